// The criteria of the search window and the query they build.

#include "search/frmSearch.h"

#include "controls/DataGrid.h"
#include "core/ProgramWindow.h"
#include "db/DataControl.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/OleColor.h"
#include "search/SearchQuery.h"
#include "search/modDBaseChooser.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

void frmSearch::BuildSearchQuery(const QString &strOrder)
{
    SearchQuery::Texts t;
    for (int i = 0; i < SearchQuery::BoxCount; ++i)
        t[i] = txtSearch[i]->text();
    const SearchQuery query(m_fields, t);
    m_where = query.where();
    // The file never changes while it is open: the standards read once stay right until another
    // source is set (a new database loads the window again).
    const QString standards = QString::fromLatin1(StandardsSource);
    db::Recordset *read = dtaStandard->recordset();
    if (read && !read->isClosed() && dtaStandard->recordSource() == standards) {
        if (!read->bof() || !read->eof())
            read->moveFirst();
    } else {
        dtaStandard->setRecordSource(standards);
        dtaStandard->refresh();
    }

    dtaMaterials->setRecordSource(query.materials(strOrder));
    dtaMaterials->refresh();
    ShowMatCount();
}

void frmSearch::ShowMatCount()
{
    const db::Recordset *rs = dtaMaterials->recordset();
    if (!rs) {
        lblMatCount->setText(QStringLiteral("0"));
        return;
    }
    const std::unique_ptr<db::Recordset> clone = rs->clone();
    if (clone->bof() || clone->eof()) {
        lblMatCount->setText(QStringLiteral("0"));
        return;
    }
    clone->moveLast();
    clone->moveFirst();
    lblMatCount->setText(QString::number(clone->recordCount()));
}

void frmSearch::cmdSelect_Click(int Index)
{
    ProgramWindow *mdi = ProgramWindow::instance();
    if (mdi)
        mdi->ShowStatus(status::PickFromList);
    const QString database = QStringLiteral("DatabaseName");
    const bool enStandards = m_chosenStandard == QLatin1String("EN");
    const QString query =
        SearchQuery::pickList(Index, m_fields, m_where, txtSearch[SearchQuery::ProductFormBox]->text(), enStandards);

    QString result;
    if (Index == SearchQuery::ProductFormBox)
        result =
            modDBase::SelectFromList(query, QStringLiteral("productForm"), QStringLiteral("Product Form"), database);
    else if (Index > SearchQuery::Standard && Index < SearchQuery::FieldBoxes)
        result = modDBase::SelectFromList(query, m_fields[Index], m_captions[Index], database);
    else if (Index == SearchQuery::Standard && enStandards)
        result = modDBase::SelectStandard(query, database);
    else if (Index == SearchQuery::Standard)
        result =
            modDBase::SelectFromList(query, QStringLiteral("asmestandard"), QStringLiteral("ASME Standard"), database);
    if (!result.isEmpty() && Index >= 0 && Index < SearchQuery::BoxCount)
        txtSearch[Index]->setText(result);
    if (mdi)
        mdi->ShowStatus(status::Search);
}

void frmSearch::chkSearch_Click(int Index)
{
    if (Index < 0 || Index >= SearchQuery::FieldBoxes)
        return;
    const bool ticked = chkSearch[Index]->isChecked();
    ProgramWindow *mdi = ProgramWindow::instance();
    // Each step runs even when the one before failed.
    try {
        if (mdi)
            mdi->ColumnVisible(Index, ticked);
    } catch (const std::exception &) {
    }
    try {
        tdbMaterials->column(Index)->setVisible(ticked);
        tdbSelected->column(Index)->setVisible(ticked);
    } catch (const std::exception &) {
    }
    txtSearch[Index]->setEnabled(ticked);
    cmdSelect[Index]->setEnabled(ticked);
    const QString caption = chkSearch[Index]->text();
    if (ticked) {
        SetBoxColor(Index, platform::olecolor::InfoBackground);
        chkSearch[Index]->setToolTip(QStringLiteral("Hide '") + caption + QStringLiteral("' Column"));
    } else {
        SetBoxColor(Index, platform::olecolor::ButtonFace);
        chkSearch[Index]->setToolTip(QStringLiteral("Show '") + caption + QStringLiteral("' Column"));
    }
    try {
        tdbMaterials->rebind();
        tdbSelected->rebind();
    } catch (const std::exception &) {
    }
    cmbChooseStd_Click();
}

void frmSearch::dtaMaterials_Reposition()
{
    db::Recordset *rs = dtaMaterials->recordset();
    db::Recordset *standards = dtaStandard->recordset();
    if (!rs || rs->isClosed() || rs->bof() || rs->eof() || !standards || standards->isClosed())
        return;
    const QString standard = rs->field(QStringLiteral("standard")).toString();
    standards->findFirst(QStringLiteral("standard='") + db::quoteText(standard) + QStringLiteral("'"));
}

void frmSearch::txtSearch_Change()
{
    int filled = 0;
    for (const QLineEdit *box : txtSearch)
        if (!box->text().isEmpty())
            ++filled;
    if (filled > 0 && chkListAll->isChecked())
        chkListAll->setChecked(false);
    else if (filled == 0 && !chkListAll->isChecked())
        chkListAll->setChecked(true);
    tdbMaterials->rebind();
    BuildSearchQuery(QStringLiteral("standard,name"));
    RememberSearch();
}

void frmSearch::chkListAll_Click()
{
    if (chkListAll->isChecked()) {
        for (QLineEdit *box : txtSearch)
            box->setText(QString());
        return;
    }
    for (const QLineEdit *box : txtSearch)
        if (!box->text().isEmpty())
            return;
    chkListAll->setChecked(true);
}

void frmSearch::txtSearch_KeyPress(int Index, int &KeyAscii)
{
    if (KeyAscii == '[' || KeyAscii == ']' || KeyAscii == '\'')
        KeyAscii = 0;
    else if (Index == SearchQuery::Number && KeyAscii == ',') // material numbers are written "1.0425"
        KeyAscii = '.';
}
