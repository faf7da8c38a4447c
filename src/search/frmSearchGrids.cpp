// The result and selection grids of the search window: columns, sorting, tips, widths, drag and drop,
// navigation.

#include "search/frmSearch.h"

#include "controls/DataGrid.h"
#include "controls/GridView.h"
#include "core/ProgramWindow.h"
#include "db/DataControl.h"
#include "db/Recordset.h"
#include "platform/KeyCodes.h"
#include "search/Guarded.h"
#include "search/modDBaseChooser.h"

using search::guarded;

namespace {

struct ColumnDef
{
    const char *caption;
    const char *field;
    double width;
};

const ColumnDef resultColumns[SearchQuery::FieldCount] = {
    {"EN Standard", "standard", 1650}, {"EN Name", "name", 2100},
    {"EN Number", "numbr", 1350},      {"Description", "description", 3000},
    {"EN Group", "groups", 1050},      {"Revision Date", "revision_date", 1500},
    {"Product Form", "", 1200},        {"ASME Standard", "asmestandard", 1650},
    {"ASME Grade", "asmegrade", 1500}, {"SS", "ss", 1200},
};

const char *const selectedCaptions[SearchQuery::FieldBoxes] = {"Standard",    "Name",  "Number",
                                                               "Description", "Group", "Revision Date"};

// The grids' common style: a bold heading in a larger type.
void applyBigRed(controls::DataGrid *grid)
{
    QFont font = grid->headFont();
    font.setBold(true);
    grid->setHeadFont(font);
}

} // namespace

void frmSearch::CreateGrids()
{
    tdbMaterials = new controls::DataGrid(framMatTable);
    tdbMaterials->setObjectName(QStringLiteral("tdbMaterials"));
    for (const ColumnDef &def : resultColumns) {
        controls::GridColumn *column = tdbMaterials->addColumn();
        column->setCaption(QString::fromLatin1(def.caption));
        column->setDataField(QString::fromLatin1(def.field));
        column->setWidthTwips(def.width);
    }
    tdbMaterials->column(SearchQuery::ProductForm)->setVisible(false);
    tdbMaterials->setColumnFooters(true);
    applyBigRed(tdbMaterials);
    tdbMaterials->setDataSource(dtaMaterials);
    // Named as the status texts call the two grids.
    tdbMaterials->view()->setAccessibleName(QStringLiteral("Materials List"));

    tdbSelected = new controls::DataGrid(framSelTable);
    tdbSelected->setObjectName(QStringLiteral("tdbSelected"));
    for (int i = 0; i < SearchQuery::FieldBoxes; ++i) {
        controls::GridColumn *column = tdbSelected->addColumn();
        column->setCaption(QString::fromLatin1(selectedCaptions[i]));
        column->setDataField(QString::fromLatin1(resultColumns[i].field));
        column->setWidthTwips(resultColumns[i].width);
    }
    applyBigRed(tdbSelected);
    tdbSelected->setDataSource(dtaSelected);
    tdbSelected->view()->setAccessibleName(QStringLiteral("Selected Materials"));

    connect(tdbMaterials, &controls::DataGrid::headClick, this,
            [this](int column) { guarded([&] { tdbMaterials_HeadClick(column); }); });
    connect(tdbMaterials, &controls::DataGrid::footClick, this,
            [this](int column) { guarded([&] { tdbMaterials_FootClick(column); }); });
    connect(tdbMaterials, &controls::DataGrid::fetchCellTips, this,
            [this](controls::GridArea, int column, int row, QString *tip) {
                if (tip)
                    tdbMaterials_FetchCellTips(column, row, *tip);
            });
    connect(tdbMaterials, &controls::DataGrid::colResize, this,
            [this](int column, bool *) { guarded([&] { tdbMaterials_ColResize(column); }); });
    connect(tdbMaterials, &controls::DataGrid::dragCell, this,
            [this](int, int row, int) { guarded([&] { tdbMaterials_DragCell(row); }); });
    connect(tdbMaterials, &controls::DataGrid::dragDrop, this, [this](QObject *source, double, double) {
        guarded([&] { tdbMaterials_DragDrop(source ? source->objectName() : QString()); });
    });
    connect(tdbMaterials, &controls::DataGrid::dblClick, this, [this] { guarded([&] { tdbMaterials_DblClick(); }); });
    connect(tdbMaterials, &controls::DataGrid::keyDown, this, [this](int *keyCode, int) {
        if (keyCode)
            guarded([&] { tdbMaterials_KeyDown(*keyCode); });
    });

    connect(tdbSelected, &controls::DataGrid::headClick, this,
            [this](int column) { guarded([&] { tdbSelected_HeadClick(column); }); });
    connect(tdbSelected, &controls::DataGrid::colResize, this,
            [this](int column, bool *) { guarded([&] { tdbSelected_ColResize(column); }); });
    connect(tdbSelected, &controls::DataGrid::dragCell, this,
            [this](int, int row, int) { guarded([&] { tdbSelected_DragCell(row); }); });
    connect(tdbSelected, &controls::DataGrid::dragDrop, this, [this](QObject *source, double, double) {
        guarded([&] { tdbSelected_DragDrop(source ? source->objectName() : QString()); });
    });
    connect(tdbSelected, &controls::DataGrid::dblClick, this, [this] { guarded([&] { tdbSelected_DblClick(); }); });
}

void frmSearch::tdbMaterials_HeadClick(int ColIndex)
{
    if (ColIndex < 0 || ColIndex >= SearchQuery::FieldCount)
        return;
    BuildSearchQuery(m_fields[ColIndex] + QStringLiteral(" ASC"));
}

void frmSearch::tdbMaterials_FootClick(int ColIndex)
{
    if (ColIndex < 0 || ColIndex >= SearchQuery::FieldCount)
        return;
    BuildSearchQuery(m_fields[ColIndex] + QStringLiteral(" DESC"));
}

void frmSearch::tdbSelected_HeadClick(int ColIndex)
{
    if (ColIndex < 0 || ColIndex >= SearchQuery::FieldBoxes)
        return;
    RefreshSelected(m_fields[ColIndex]);
}

void frmSearch::tdbMaterials_FetchCellTips(int ColIndex, int RowIndex, QString &CellTip)
{
    if (tdbMaterials->rowCount() < 1 || ColIndex < 0 || ColIndex >= tdbMaterials->columnCount())
        return;
    const QString caption = tdbMaterials->column(ColIndex)->caption();
    if (RowIndex == controls::DataGrid::HeaderRow)
        CellTip = QStringLiteral(" Order by '") + caption + QStringLiteral("' - ") + QStringLiteral("Ascending") +
                  QStringLiteral(" ");
    else if (RowIndex == controls::DataGrid::FooterRow)
        CellTip = QStringLiteral(" Order by '") + caption + QStringLiteral("' - ") + QStringLiteral("Descending") +
                  QStringLiteral(" ");
    else
        CellTip = QString();
}

void frmSearch::tdbMaterials_ColResize(int ColIndex)
{
    if (ColIndex < 0 || ColIndex >= SearchQuery::FieldBoxes)
        return;
    const double width = tdbMaterials->column(ColIndex)->widthTwips();
    tdbSelected->column(ColIndex)->setWidthTwips(width);
    if (ProgramWindow *mdi = ProgramWindow::instance())
        mdi->ColumnSize(ColIndex, float(width));
}

void frmSearch::tdbSelected_ColResize(int ColIndex)
{
    if (ColIndex < 0 || ColIndex >= SearchQuery::FieldBoxes)
        return;
    tdbMaterials->column(ColIndex)->setWidthTwips(tdbSelected->column(ColIndex)->widthTwips());
}

void frmSearch::tdbMaterials_DragCell(int RowBookmark)
{
    tdbMaterials->setCurrentRow(RowBookmark);
    tdbMaterials->beginDrag();
}

void frmSearch::tdbSelected_DragCell(int RowBookmark)
{
    tdbSelected->setCurrentRow(RowBookmark);
    tdbSelected->beginDrag();
}

void frmSearch::tdbMaterials_DragDrop(const QString &Source)
{
    if (Source == tdbSelected->objectName())
        cmdSelections_Click(RemoveSelected);
}

void frmSearch::tdbSelected_DragDrop(const QString &Source)
{
    if (Source == tdbMaterials->objectName())
        cmdSelectMat_Click();
}

void frmSearch::tdbMaterials_DblClick()
{
    cmdSelectMat_Click();
}

void frmSearch::tdbSelected_DblClick()
{
    cmdSelections_Click(ShowSelected);
}

void frmSearch::tdbMaterials_KeyDown(int KeyCode)
{
    if (KeyCode == platform::vbKeyReturn && ResultHasCurrentRow())
        cmdSelectMat_Click();
}

void frmSearch::txtSearch_KeyDown(int KeyCode)
{
    if (KeyCode == platform::vbKeyReturn && ResultHasCurrentRow())
        cmdSelectMat_Click();
}

void frmSearch::cmdTabNav_Click(int Index)
{
    // The result grid's buttons first, then the selection's.
    constexpr int buttons = modDBase::NavigationButtons;
    if (Index >= 0 && Index < buttons)
        modDBase::RecordNavigate(dtaMaterials->recordset(), qint16(Index));
    else if (Index >= buttons && Index < 2 * buttons)
        modDBase::RecordNavigate(dtaSelected->recordset(), qint16(Index - buttons));
}
