#include "material/frmMaterial2.h"

#include "controls/DataGrid.h"
#include "core/TableCatalogue.h"
#include "db/DataControl.h"
#include "db/Recordset.h"
#include "material/MainWindowLink.h"
#include "material/TextBox.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>

using namespace platform;

namespace {
// The table pictures beside the grids, square.
constexpr int PictureTwips = 480;
} // namespace

void frmMaterial2::HideAllPanels()
{
    ShowNotesPane(QStringLiteral("hide"));
    SetNotesPicture(NotesClosed);
    TimerFlash->stop();
    moveTwips(lblNotes, 840, topTwips(lblNotes), widthTwips(lblNotes), heightTwips(lblNotes));
    lblNotes->hide();
    lblNotes->setText(QStringLiteral("Notes..."));

    ImgPic[HeaderFramePicture]->hide();
    moveTwips(framBlank, leftTwips(framBlank), topTwips(framOptions), widthTwips(framBlank), heightTwips(framOptions));
    ImgPic[BlankFramePicture]->hide();

    for (QWidget *w : std::initializer_list<QWidget *>{framAxisCols, framChart, tdbTable, framMain, framStand,
                                                       framNotes, lblFullForm, lblMain, tdbBoundTable})
        w->hide();
    textbox::clearLater(txtNotes);
    framOptions->hide();

    moveTwips(txtNotes, m_notesGeometry[0], m_notesGeometry[1], m_notesGeometry[2], m_notesGeometry[3]);
    moveTwips(framNotes, m_notesGeometry[4], m_notesGeometry[5], m_notesGeometry[6], m_notesGeometry[7]);
    KeepNotesBoxReachable();

    lblNotes->setText(QStringLiteral("Notes..."));
    framBlank->hide();
    cmdUnBoundGraph->hide();
    framDesign->hide();

    tdbBoundTable->removeColumnsFrom(4);
    for (int c = 0; c < 4 && c < tdbBoundTable->columnCount(); ++c)
        tdbBoundTable->column(c)->setWidthTwips(1200);
    tdbBoundTable->column(2)->setVisible(false);
    tdbBoundTable->column(3)->setVisible(false);
    tdbBoundTable->rebind();

    txtNoData->hide();
    framNoData->hide();
}

void frmMaterial2::ShowTable(QString strTable)
{
    // The grids change column by column: each lays itself out once they are set.
    const controls::GridLayoutHold holdTable(tdbTable), holdBound(tdbBoundTable), holdDesign(tdbDesign);
    HideAllPanels();
    m_multiThickness = false;
    strCurrentTable = strTable;

    if (strTable == catalogue::key::Elevated) {
        // The group opens on its first table.
        constexpr int first = 0;
        strTable = catalogue::ElevatedKey(first);
        strCurrentTable = strTable;
        // Selected for the table shown here, which is then shown once.
        const QSignalBlocker quiet(optMechProp[first]);
        optMechProp[first]->setChecked(true);
    }
    RunGuarded([&] { ShowTableContent(strTable); });
    textbox::showText(txtNotes);

    QPixmap picture;
    if (ProgramWindow *mdi = mainlink::mdi())
        picture = mdi->ListPicture(mdi->PictureNumber(TableIcon(strTable)), PictureTwips);
    ImgPic[OptionsFramePicture]->setPixmap(picture);
    ImgPic[BlankFramePicture]->setPixmap(picture);
    FocusFirstControl();
}

void frmMaterial2::FocusFirstControl()
{
    QMdiSubWindow *sub = subWindow();
    if (!sub || !sub->mdiArea() || sub->mdiArea()->activeSubWindow() != sub)
        return;
    const QWidget *focus = QApplication::focusWidget();
    if (focus && focus != sub && isAncestorOf(focus) && focus->isVisible())
        return;
    for (QWidget *w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (isAncestorOf(w) && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void frmMaterial2::ShowTableContent(const QString &strTable)
{
    if (strTable == QLatin1String(catalogue::HeaderKey)) {
        framMain->show();
        framStand->show();
        lblMain->show();
        ImgPic[HeaderFramePicture]->show();
    } else if (!mMat) {
        return; // nothing to show before a material is attached
    } else if (strTable == catalogue::key::ChemComp) {
        tdbTable->show();
        lblFullForm->show();
        framNotes->show();
        ClearGridColumns(tdbTable);
        LoadTableNotes(catalogue::key::ChemComp);
        FillChemCompTable();
    } else if (strTable == catalogue::key::MechProp || strTable == catalogue::key::CreepProp) {
        tdbTable->show();
        lblFullForm->show();
        framNotes->show();
        ClearGridColumns(tdbTable);
        BuildMechCreepColumns(strTable);
        if (strTable == catalogue::key::CreepProp && mMat->TableHasData(catalogue::key::CreepProp))
            cmdUnBoundGraph->show();
    } else if (strTable == catalogue::key::AddInfo) {
        moveTwips(framNotes, leftTwips(lblFullForm) + 100, topTwips(lblFullForm) + 100, widthTwips(lblFullForm) - 200,
                  heightTwips(lblFullForm) - 200);
        moveTwips(txtNotes, leftTwips(txtNotes), topTwips(txtNotes), widthTwips(txtNotes),
                  heightTwips(framNotes) - 800);
        KeepNotesBoxReachable();
        lblNotes->setText(QStringLiteral("Additional Information..."));
        lblNotes->show();
        framNotes->show();
        lblFullForm->show();
        LoadAdditionalInfo();
        cmdShowNotes->hide();
        moveTwips(lblNotes, 240, topTwips(lblNotes), widthTwips(lblNotes), heightTwips(lblNotes));
    } else if (strTable == QLatin1String(catalogue::DesignKey)) {
        if (!m_designGridBuilt) {
            BuildDesignGrid();
            m_designGridBuilt = true;
        }
        framDesign->show();
        lblFullForm->show();
    } else {
        framOptions->show();
        const bool elevated = catalogue::IsElevated(strTable);
        lblElevated->setVisible(elevated);
        framMechOpt->setVisible(elevated);
        EnableGraphButtons(!m_graphView);
        ShowGraphView(m_graphView);
        lblFullForm->show();
        LoadTableNotes(strTable);
        ShowBoundTable(strTable);
    }
}

void frmMaterial2::RecordTable(const QString &strTable)
{
    m_multiThickness = false;
    if (!mMat)
        return;
    if (strTable == catalogue::key::ChemComp) {
        RecordTableNotes(strTable, QString());
        RecordChemComp(false, nullptr);
    } else if (strTable == catalogue::key::MechProp || strTable == catalogue::key::CreepProp) {
        RecordTableNotes(strTable, QString());
        const QList<GridColumnLayout> columns = RecordMechCreepColumns(strTable);
        RecordMechCreepColSizes(strTable, columns);
        XArray cells;
        RecordMechCreepData(strTable, qint16(columns.size()), cells, false);
    } else if (strTable == catalogue::key::AddInfo) {
        RecordAdditionalInfo(QString(), false);
    } else if (const catalogue::TableInfo *table = catalogue::Find(strTable);
               table && table->binding == catalogue::Binding::Bound) {
        RecordTableNotes(strTable, QString());
        RecordBoundTable(strTable);
    }
}

std::unique_ptr<db::Recordset> frmMaterial2::TableRows(const QString &source, bool shown)
{
    if (!shown)
        return dtaTable->openRecordset(source);
    dtaTable->setRecordSource(source);
    dtaTable->refresh();
    return dtaTable->recordset() ? dtaTable->recordset()->clone() : nullptr;
}

QString frmMaterial2::TableIcon(const QString &strTable)
{
    const catalogue::TableInfo *table = catalogue::Find(strTable);
    return QString::fromLatin1(table ? table->iconButton : catalogue::PhysicalButton);
}

void frmMaterial2::optMechProp_Click(int Index)
{
    if (const QString key = catalogue::ElevatedKey(Index); !key.isEmpty())
        ShowTable(key);
}

void frmMaterial2::CheckTablesForRecords()
{
    // The tables are read for what they record, without their views.
    for (int i = catalogue::FirstDataTable; i < catalogue::TableCount; ++i) {
        const QString key = mainlink::GetShortTableName(i);
        if (!key.isEmpty() && !mMat->TableChecked(key))
            RunGuarded([&] { RecordTable(key); });
    }
    ShowTable(strCurrentTable);
}
