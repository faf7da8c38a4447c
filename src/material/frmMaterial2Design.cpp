#include "material/frmMaterial2.h"

#include "controls/DataGrid.h"
#include "core/TableCatalogue.h"
#include "material/DesignValues.h"
#include "material/MainWindowLink.h"
#include "platform/MsgBox.h"
#include "platform/VbConv.h"
#include "platform/VbError.h"

#include <QLineEdit>
#include <QPushButton>

using namespace platform;

namespace {

constexpr double DesignColumnWidth = 1150;

} // namespace

void frmMaterial2::BuildDesignGrid()
{
    // A table not yet shown is read for its values and what the material records of it; its view is
    // built when it is shown. With no table shown in passing, the window stays on the screen.
    QStringList keys;
    for (const QString &key : catalogue::DesignKeys()) {
        if (!mMat->TableChecked(key))
            RunGuarded([&] { RecordTable(key); });
        if (mMat->TableHasData(key))
            keys << key;
    }
    HideAllPanels();
    strCurrentTable = QString::fromLatin1(catalogue::DesignKey);

    if (keys.isEmpty()) {
        txtDesignTemp->setEnabled(false);
        cmdPrintSave[PrintDesignValues]->setEnabled(false);
        cmdPrintSave[SaveDesignValues]->setEnabled(false);
        return;
    }
    const int n = int(keys.size());
    m_keysWithData.redim(0, n - 1);
    for (int k = 0; k < n; ++k)
        m_keysWithData[k] = keys.at(k);

    if (mMat->MaxDesignCols() == 0)
        mMat->MaxDesignCols(1);
    const int m = mMat->MaxDesignCols();
    xDesignDB.redim(1, 3 * n, 0, m);
    for (int r = 1; r <= 3 * n; ++r)
        for (int c = 0; c <= m; ++c)
            xDesignDB.setValue(r, c, QString());

    for (int k = 0; k < n; ++k) {
        const QString &key = keys.at(k);
        const int row = 3 * k + 1;
        QStringList headings;
        const catalogue::TableInfo &table = *catalogue::Find(key);
        if (table.designTitledByKey)
            xDesignDB.setValue(row, 0, key);
        else
            xDesignDB.setValue(row, 0, mainlink::GetCaption(key));

        const QString unit = QString::fromUtf16(table.valueUnit);
        if (catalogue::IsElevated(key) && mMat->ElevatedMultiCol(key)) {
            const VbArray<qint16> t = mMat->ElevatedColumns(key);
            for (int c = 1; t.isAllocated() && c <= t.upperBound(); ++c)
                headings << (c == 1 ? QStringLiteral("(  ) - ")
                                    : QStringLiteral("(") + QString::number(t.at(c - 1)) + QStringLiteral(") - ")) +
                                QString::number(t.at(c)) + QStringLiteral("mm");
        } else if (table.binding == catalogue::Binding::Unbound) {
            for (int c = 1; m_creepCaptions.isAllocated() && c <= m_creepCaptions.upperBound(); ++c)
                headings << m_creepCaptions.at(c);
        } else if (*table.secondField) {
            headings << QString::fromUtf16(table.valueSymbols[0]) + QLatin1Char(' ') + unit;
            if (m >= 2)
                headings << QString::fromUtf16(table.valueSymbols[1]) + QLatin1Char(' ') + unit;
        } else {
            headings << unit;
        }
        for (int c = 1; c <= headings.size() && c <= m; ++c)
            xDesignDB.setValue(row, c, headings.at(c - 1));
    }

    QList<GridColumnLayout> added;
    for (int c = tdbDesign->columnCount() - 1; c < mMat->MaxDesignCols(); ++c)
        added.append({QString(), DesignColumnWidth});
    AddGridColumns(tdbDesign, added);
    tdbDesign->setArray(&xDesignDB);
    tdbDesign->rebind();

    // A temperature that reached this window before its grid existed is shown with its values.
    const QString text = txtDesignTemp->text();
    if (!text.isEmpty() && text != QLatin1String("-"))
        RecalcDesignValues();
}

void frmMaterial2::RecalcDesignValues()
{
    ComputeDesignValues();
}

void frmMaterial2::ComputeDesignValues()
{
    const QString typed = txtDesignTemp->text();
    if (typed == QLatin1String(".") || typed == QLatin1String(",") || typed.isEmpty()) {
        txtDesignTemp->setText(QString());
        m_designSeparator = false;
        return;
    }
    // Before its grid is built the window has nothing to compute; the grid computes when it is built.
    if (!m_keysWithData.isAllocated())
        return;

    try {
        const bool english = mainlink::mdi() && mainlink::mdi()->blnEnglish;
        const int m = xDesignDB.upperBound(2);
        for (int k = m_keysWithData.lowerBound(); k <= m_keysWithData.upperBound(); ++k) {
            const QString key = m_keysWithData.at(k);
            const XArray &A = key == catalogue::key::CreepProp ? m_creepText : m_textMatrices[key];
            // Columns beyond the grid have no heading to stand under.
            const QStringList values = designvalues::valuesAt(A, typed, qMin(A.upperBound(2), m), english);
            for (int c = 1; c <= values.size(); ++c)
                xDesignDB.setValue(3 * k + 2, c, values.at(c - 1));
        }
        tdbDesign->rebind();
    } catch (const VbError &err) {
        msgBox(err.description(), vbOKOnly);
        txtDesignTemp->setText(QString());
    }
}
