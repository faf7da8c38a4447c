#include "material/frmMaterial2.h"

#include "controls/DataGrid.h"
#include "core/TableCatalogue.h"
#include "db/DataControl.h"
#include "db/Database.h"
#include "material/MainWindowLink.h"
#include "material/TextBox.h"
#include "platform/MsgBox.h"
#include "platform/VbConv.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace platform;

platform::XArray frmMaterial2::RecordChemComp(bool shown, QStringList *captions)
{
    std::unique_ptr<db::Recordset> rs = TableRows(
        QStringLiteral("select * from Chemical where standard = '") + db::quoteText(mMat->Standard()) +
            QStringLiteral("' and name = '") + db::quoteText(mMat->Name()) + QStringLiteral("' and numbr = '") +
            db::quoteText(mMat->Number()) + QStringLiteral("' order by elemID"),
        shown);

    XArray cells;
    if (!rs || rs->eof() || rs->bof()) {
        mMat->TableHasData(catalogue::key::ChemComp, false);
    } else {
        rs->moveLast();
        rs->moveFirst();
        // Two records per element; a record left over without its partner is not shown.
        const int n = rs->recordCount() / 2;
        cells.redim(1, 2, 0, n);
        cells.setValue(1, 0, QStringLiteral("min"));
        cells.setValue(2, 0, QStringLiteral("max"));
        for (int c = 1; c <= n; ++c) {
            if (c > 1)
                rs->moveNext();
            cells.setValue(1, c, nz(rs->field(QStringLiteral("val"))));
            rs->moveNext();
            cells.setValue(2, c, nz(rs->field(QStringLiteral("val"))));
            const QVariant note = rs->field(QStringLiteral("note"));
            const QString caption = cStr(nz(rs->field(QStringLiteral("element")))) + vbCrLf + vbCrLf +
                                    (m_notesPresent && !isNull(note) ? cStr(note) : QString());
            if (captions)
                *captions << caption;
            if (!mMat->TableHasData(catalogue::key::ChemComp))
                mMat->AddColCaption(catalogue::key::ChemComp, caption);
        }
        mMat->TableHasData(catalogue::key::ChemComp, true);
    }

    if (mMat->OthersElement()) {
        dtaOther->setRecordSource(QStringLiteral("select other from OtherElem where mID = ") +
                                  QString::number(mMat->ID()) + QStringLiteral(" and stID = ") +
                                  QString::number(mMat->StandardID()));
        dtaOther->refresh();
        db::Recordset *other = dtaOther->recordset();
        // A standard with other elements but no entry for this material adds no line.
        const QVariant value =
            other && !other->eof() && !other->bof() ? other->field(QStringLiteral("other")) : QVariant();
        mMat->OthersText(isNull(value) ? QString() : cStr(value));
    }

    // A grade without composition is kept as one empty cell.
    mMat->SetUnboundArrayData(catalogue::key::ChemComp, cells.isAllocated() ? cells : XArray(0, 0, 0, 0));
    return cells;
}

void frmMaterial2::FillChemCompTable()
{
    QStringList captions;
    xTableDB = RecordChemComp(true, &captions);
    QList<GridColumnLayout> columns;
    for (const QString &caption : std::as_const(captions))
        columns.append({caption, 0});
    AddGridColumns(tdbTable, columns);

    tdbTable->setCaption(mainlink::GetTableName(catalogue::IndexOfKey(catalogue::key::ChemComp)));
    tdbTable->setArray(&xTableDB);
    tdbTable->refresh();
    tdbTable->rebind();

    if (mMat->OthersElement()) {
        const QString text = mMat->OthersText();
        if (!text.isEmpty() && text != QLatin1String("-")) {
            textbox::setText(txtNotes,
                             QStringLiteral("Other Elements - ") + text + vbCrLf + vbCrLf + textbox::text(txtNotes));
            if (!m_notesPresent) {
                m_notesPresent = true;
                cmdShowNotes->show();
                lblNotes->setText(QStringLiteral("Other Elements..."));
                lblNotes->show();
                TimerFlash->start();
            } else {
                lblNotes->setText(QStringLiteral("Other Elements & Notes..."));
            }
        }
    }
}
