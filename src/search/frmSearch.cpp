#include "search/frmSearch.h"

#include "controls/BackColor.h"
#include "controls/DataGrid.h"
#include "core/HTMLHelp.h"
#include "core/ProgramWindow.h"
#include "core/modDBase.h"
#include "core/modDocument.h"
#include "core/modToolTips.h"
#include "db/DataControl.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/Environment.h"
#include "platform/KeyCodes.h"
#include "platform/MsgBox.h"
#include "platform/OleColor.h"
#include "platform/TabChain.h"
#include "platform/Twips.h"
#include "platform/VbError.h"
#include "platform/WaitCursor.h"
#include "search/DropImage.h"
#include "search/Guarded.h"
#include "search/frmPmaIndex.h"
#include "search/modDBaseChooser.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QToolButton>

using platform::moveTwips;
using search::guarded;

namespace {

frmSearch *s_instance = nullptr;

constexpr double NormalWidth = 15090;
constexpr double NormalHeight = 10020;
constexpr double SmallWidth = 11700;
constexpr double SmallHeight = 7470;

const char *const checkCaptions[SearchQuery::FieldBoxes] = {"Standard",    "Name",  "Number",
                                                            "Description", "Group", "Revision Date"};

// The saved search holds the boxes' texts, then the chosen standard family.
constexpr int SavedFamily = SearchQuery::BoxCount;
static_assert(ProgramWindow::SavedSearchCount == SavedFamily + 1);
// The main window keeps the widths and visibility of the columns the check boxes show or hide.
static_assert(ProgramWindow::ResultColumnCount == SearchQuery::FieldBoxes);

} // namespace

frmSearch *frmSearch::instance()
{
    return s_instance;
}

frmSearch *frmSearch::Load(ProgramWindow *mdi)
{
    if (s_instance)
        return s_instance;
    auto *frm = new frmSearch;
    s_instance = frm;
    if (mdi && mdi->mdiArea()) {
        frm->m_subWindow =
            mdi->mdiArea()->addSubWindow(frm, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                  Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        frm->m_subWindow->setAttribute(Qt::WA_DeleteOnClose);
        frm->m_subWindow->installEventFilter(frm);
    }
    guarded([&] { frm->Form_Load(); });
    return frm;
}

frmSearch::frmSearch(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmSearch"));
    setWindowTitle(QStringLiteral("Select Material(s)..."));
    setAttribute(Qt::WA_DeleteOnClose);

    dtaMaterials = new db::DataControl(this);
    dtaMaterials->setObjectName(QStringLiteral("dtaMaterials"));
    dtaMaterials->setRecordSource(QStringLiteral("Materials"));
    // Every keystroke re-runs the search over all the grades: the grid reads the rows it shows.
    dtaMaterials->setReadOnDemand(true);
    dtaStandard = new db::DataControl(this);
    dtaStandard->setRecordSource(QStringLiteral("Standard"));
    dtaSelected = new db::DataControl(this);
    dtaSelected->setRecordSource(QStringLiteral("select * from Materials where matId = 0 order by matId"));
    connect(dtaMaterials, &db::DataControl::repositioned, this,
            [this] { guarded([&] { dtaMaterials_Reposition(); }); });
    connect(dtaMaterials, &db::DataControl::refreshed, this, [this] { guarded([&] { dtaMaterials_Reposition(); }); });

    CreateControls();
    CreateGrids();
    LayoutNormal();
}

frmSearch::~frmSearch()
{
    if (s_instance == this)
        s_instance = nullptr;
}

void frmSearch::CreateControls()
{
    framSide = new QWidget(this);
    framSide->setObjectName(QStringLiteral("framSide"));
    framSearch = new QWidget(framSide);
    framSearch->setObjectName(QStringLiteral("framSearch"));
    framMatTable = new QWidget(this);
    framMatTable->setObjectName(QStringLiteral("framMatTable"));
    framTabNav = new QWidget(framMatTable);
    framSelTable = new QWidget(this);
    framSelTable->setObjectName(QStringLiteral("framSelTable"));
    framSelTabNav = new QWidget(framSelTable);

    QWidget *backParents[6] = {framSearch, framSelTable, framMatTable, framMatTable, framSelTable, framSelTable};
    for (int i = 0; i < 6; ++i) {
        lblBack[i] = new QFrame(backParents[i]);
        lblBack[i]->setFrameShape(QFrame::Panel);
        lblBack[i]->setFrameShadow(QFrame::Sunken);
        lblBack[i]->lower();
    }

    lblSearch = new QLabel(QStringLiteral("Search Materials On..."), framSearch);
    QFont bold = lblSearch->font();
    bold.setBold(true);
    lblSearch->setFont(bold);

    for (int i = 0; i < SearchQuery::BoxCount; ++i) {
        txtSearch[i] = new QLineEdit(framSearch);
        txtSearch[i]->setObjectName(QStringLiteral("txtSearch%1").arg(i));
        txtSearch[i]->installEventFilter(this);
        connect(txtSearch[i], &QLineEdit::textChanged, this, [this] { guarded([&] { txtSearch_Change(); }); });

        // Screen readers name each box after the check box or label beside it.
        txtSearch[i]->setAccessibleName(i < SearchQuery::FieldBoxes ? QString::fromLatin1(checkCaptions[i])
                                                                    : QStringLiteral("Product Form"));

        cmdSelect[i] = new QPushButton(QStringLiteral("..."), framSearch);
        cmdSelect[i]->setObjectName(QStringLiteral("cmdSelect%1").arg(i));
        cmdSelect[i]->setAccessibleName(PickButtonText(i));
        cmdSelect[i]->setAutoDefault(false);
        connect(cmdSelect[i], &QPushButton::clicked, this, [this, i] { guarded([&] { cmdSelect_Click(i); }); });
    }
    for (int i = 0; i < SearchQuery::FieldBoxes; ++i) {
        chkSearch[i] = new QCheckBox(QString::fromLatin1(checkCaptions[i]), framSearch);
        chkSearch[i]->setObjectName(QStringLiteral("chkSearch%1").arg(i));
        chkSearch[i]->setChecked(true);
        connect(chkSearch[i], &QCheckBox::toggled, this, [this, i] { guarded([&] { chkSearch_Click(i); }); });
    }
    lblProdForm = new QLabel(QStringLiteral("Product Form"), framSearch);
    // The label names the product-form box for screen readers, and would lend it a mnemonic.
    lblProdForm->setBuddy(txtSearch[SearchQuery::ProductFormBox]);

    chkListAll = new QCheckBox(QStringLiteral("&List All Materials"), framSearch);
    chkListAll->setObjectName(QStringLiteral("chkListAll"));
    chkListAll->setChecked(true);
    connect(chkListAll, &QCheckBox::toggled, this, [this] { guarded([&] { chkListAll_Click(); }); });

    cmbChooseStd = new QComboBox(framMatTable);
    cmbChooseStd->setObjectName(QStringLiteral("cmbChooseStd"));
    cmbChooseStd->addItems({QStringLiteral("EN"), QStringLiteral("SS"), QStringLiteral("ASME")});
    connect(cmbChooseStd, &QComboBox::currentIndexChanged, this, [this] { guarded([&] { cmbChooseStd_Click(); }); });

    lblStdInfo = new QLabel(framMatTable);
    lblStdInfo->setWordWrap(true);
    lblStdInfo->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette notice = lblStdInfo->palette();
    notice.setColor(QPalette::WindowText, platform::toQColor(0x0000C0));
    lblStdInfo->setPalette(notice);
    lblStdInfo->setText(QStringLiteral(
        "By entering an ASME/SS-standard/name Velkor PED gives you the corresponding EN-standard/name. The "
        "corresponding standards are not identical, therefore, the conversion must only be considered as guidance."));

    cmdSelectMat = new QPushButton(QStringLiteral("Select &Material"), framTabNav);
    cmdSelectMat->setObjectName(QStringLiteral("cmdSelectMat"));
    cmdSelectMat->setAutoDefault(false);
    connect(cmdSelectMat, &QPushButton::clicked, this, [this] { guarded([&] { cmdSelectMat_Click(); }); });
    lblMatCountCaption = new QLabel(QStringLiteral("Materials Count :"), framTabNav);
    lblMatCount = new QLabel(QStringLiteral("0"), framTabNav);
    lblMatCount->setObjectName(QStringLiteral("lblMatCount"));
    lblMatCount->setFont(bold);

    cmdBatch[BatchBelowSearch] = new QPushButton(QStringLiteral("Print All Selected Materials"), framSearch);
    cmdBatch[BatchBesideNavigation] = new QPushButton(QStringLiteral("Print All Selected Materials"), framTabNav);
    for (int i = 0; i < 2; ++i) {
        cmdBatch[i]->setObjectName(QStringLiteral("cmdBatch%1").arg(i));
        cmdBatch[i]->setAutoDefault(false);
        connect(cmdBatch[i], &QPushButton::clicked, this, [this] { guarded([&] { cmdBatch_Click(); }); });
    }
    cmdBatch[BatchBesideNavigation]->setVisible(false);

    const int picturePixels = platform::twipsToPixels(375);
    imgFolder = new DropImage(framTabNav);
    imgFolder->setObjectName(QStringLiteral("imgFolder"));
    imgFolder->setPixmap(searchpictures::folder(picturePixels));
    connect(imgFolder, &DropImage::dragDrop, this,
            [this](const QString &source) { guarded([&] { imgFolder_DragDrop(source); }); });
    imgBin = new DropImage(framSelTabNav);
    imgBin->setObjectName(QStringLiteral("imgBin"));
    imgBin->setPixmap(searchpictures::emptyBin(picturePixels));
    // The pictures are named for screen readers by what a drop on them does; their tool tips may be off.
    imgFolder->setAccessibleName(QStringLiteral("Add To 'Selected' Grid"));
    imgFolder->setAccessibleDescription(modToolTips::SearchText(modToolTips::FolderTip));
    imgBin->setAccessibleName(QStringLiteral("Remove From 'Selected' Grid"));
    imgBin->setAccessibleDescription(modToolTips::SearchText(modToolTips::BinTip));
    connect(imgBin, &DropImage::dragDrop, this,
            [this](const QString &source) { guarded([&] { imgBin_DragDrop(source); }); });
    imgFullBin = new QLabel(framSelTabNav);
    imgFullBin->setPixmap(searchpictures::fullBin(picturePixels));
    imgFullBin->setVisible(false);

    const char *selCaptions[3] = {"Sh&ow", "&Clear All", "&Remove Material"};
    for (int i = 0; i < 3; ++i) {
        cmdSelections[i] = new QPushButton(QString::fromLatin1(selCaptions[i]), framSelTabNav);
        cmdSelections[i]->setObjectName(QStringLiteral("cmdSelections%1").arg(i));
        cmdSelections[i]->setAutoDefault(false);
        connect(cmdSelections[i], &QPushButton::clicked, this, [this, i] { guarded([&] { cmdSelections_Click(i); }); });
    }
    lblSelCount = new QLabel(QStringLiteral("No Materials Currently Selected"), framSelTable);
    lblSelCount->setObjectName(QStringLiteral("lblSelCount"));
    lblSelCount->setFont(bold);

    const char *navText[modDBase::NavigationButtons] = {"|<", "<", ">", ">|"};
    const char *navTips[modDBase::NavigationButtons] = {
        "Move To First Material In List", "Move To Previous Material In List", "Move To Next Material In List",
        "Move To Last Material In List"};
    for (int i = 0; i < int(cmdTabNav.size()); ++i) {
        cmdTabNav[i] = new QToolButton(i < modDBase::NavigationButtons ? framTabNav : framSelTabNav);
        cmdTabNav[i]->setObjectName(QStringLiteral("cmdTabNav%1").arg(i));
        cmdTabNav[i]->setText(QString::fromLatin1(navText[i % modDBase::NavigationButtons]));
        cmdTabNav[i]->setToolTip(QString::fromLatin1(navTips[i % modDBase::NavigationButtons]));
        cmdTabNav[i]->setAccessibleName(QString::fromLatin1(navTips[i % modDBase::NavigationButtons]));
        connect(cmdTabNav[i], &QToolButton::clicked, this, [this, i] { guarded([&] { cmdTabNav_Click(i); }); });
    }

    cmdShowPmaIndex = new QPushButton(QStringLiteral("Show PMA Index"), framSearch);
    cmdShowPmaIndex->setObjectName(QStringLiteral("cmdShowPmaIndex"));
    cmdShowPmaIndex->setAutoDefault(false);
    connect(cmdShowPmaIndex, &QPushButton::clicked, this, [this] { guarded([&] { cmdShowPmaIndex_Click(); }); });

    imgIcon = new QLabel(framSearch);
    imgIcon->setObjectName(QStringLiteral("imgIcon"));
    imgIcon->setPixmap(searchpictures::helpIcon(platform::twipsToPixels(480)));
    imgIcon->setCursor(Qt::PointingHandCursor);
    imgIcon->setAccessibleName(QStringLiteral("How To Contact Us"));
    imgIcon->installEventFilter(this);
}

QString frmSearch::PickButtonText(int Index)
{
    if (Index < 0 || Index >= SearchQuery::FieldBoxes)
        return QStringLiteral("Select 'Product Form' From List...");
    return QStringLiteral("Select") + (Index != SearchQuery::Standard ? QStringLiteral(" Material's") : QString()) +
           QStringLiteral(" '") + QString::fromLatin1(checkCaptions[Index]) + QStringLiteral("' From List...");
}

void frmSearch::LayoutNormal()
{
    moveTwips(framSide, 120, 120, 3255, 9225);
    moveTwips(framSearch, 0, 0, 3255, 9225);
    moveTwips(lblBack[0], 0, 0, 3255, 6855);
    moveTwips(lblSearch, 120, 150, 3015, 255);
    for (int i = 0; i < SearchQuery::BoxCount; ++i) {
        // The standard first, the product form below it, then the other fields.
        const double rowTop = i == SearchQuery::Standard         ? 480
                              : i == SearchQuery::ProductFormBox ? 1320
                                                                 : 1320 + 840.0 * i;
        moveTwips(cmdSelect[i], 2760, rowTop, 375, 285);
        moveTwips(txtSearch[i], 120, rowTop + 360, 3015, 315);
        if (i < SearchQuery::FieldBoxes)
            moveTwips(chkSearch[i], 120, rowTop, 2535, 255);
    }
    moveTwips(lblProdForm, 120, 1320, 2535, 255);
    moveTwips(chkListAll, 120, 6480, 3015, 255);
    moveTwips(cmdBatch[BatchBelowSearch], 120, 7080, 3015, 375);
    moveTwips(cmdShowPmaIndex, 120, 7620, 3015, 375);
    moveTwips(imgIcon, 120, 8280, 480, 480);

    moveTwips(framMatTable, 3495, 0, 11355, 4995);
    moveTwips(cmbChooseStd, 120, 90, 1215, 315);
    moveTwips(lblStdInfo, 1455, 30, 9780, 720);
    moveTwips(framTabNav, 120, 4440, 11115, 495);
    moveTwips(lblBack[3], 60, 4380, 11235, 495);
    moveTwips(cmdSelectMat, 0, 0, 1815, 375);
    moveTwips(lblMatCountCaption, 1995, 60, 1500, 255);
    moveTwips(lblMatCount, 3540, 60, 975, 255);
    moveTwips(cmdBatch[BatchBesideNavigation], 1560, 0, 2640, 375);
    moveTwips(imgFolder, 10620, 0, 375, 375);

    moveTwips(framSelTable, 3495, 4995, 11355, 4350);
    moveTwips(lblSelCount, 120, 60, 6000, 255);
    moveTwips(lblBack[5], 60, 0, 11235, 330);
    moveTwips(lblBack[1], 60, 300, 11235, 3195);
    moveTwips(tdbSelected, 120, 360, 11115, 3015);
    moveTwips(framSelTabNav, 120, 3600, 11115, 495);
    moveTwips(lblBack[4], 60, 3540, 11235, 495);
    moveTwips(cmdSelections[ShowSelected], 0, 0, 1455, 375);
    moveTwips(cmdSelections[RemoveSelected], 1560, 0, 1815, 375);
    moveTwips(cmdSelections[ClearSelected], 3480, 0, 1335, 375);
    moveTwips(imgBin, 10620, 0, 375, 375);
    moveTwips(imgFullBin, 10620, 0, 375, 375);
    for (int i = 0; i < int(cmdTabNav.size()); ++i)
        moveTwips(cmdTabNav[i], 4920 + 600.0 * (i % modDBase::NavigationButtons), 0, 495, 375);
    ShowStandardInfo(false);
}

void frmSearch::InitSearchFields()
{
    const char *fields[SearchQuery::FieldCount] = {
        "standard",      "name",        "numbr",        "description", "groups",
        "revision_date", "productForm", "asmestandard", "asmegrade",   "ss"};
    const char *captions[SearchQuery::FieldCount] = {
        "Standard Name", "Material Name", "Material Number", "Material Description", "Material Group",
        "Revision Date", "Product Form",  "ASME Standard",   "ASME Grade",           "SS"};
    for (int i = 0; i < SearchQuery::FieldCount; ++i) {
        m_fields[i] = QString::fromLatin1(fields[i]);
        m_captions[i] = QString::fromLatin1(captions[i]);
    }
    m_families = {QStringLiteral("EN"), QStringLiteral("SS"), QStringLiteral("ASME")};
}

QString frmSearch::SearchField(int i) const
{
    return i >= 0 && i < SearchQuery::FieldCount ? m_fields[i] : QString();
}

QString frmSearch::SearchCaption(int i) const
{
    return i >= 0 && i < SearchQuery::FieldCount ? m_captions[i] : QString();
}

void frmSearch::BindDataControls()
{
    const QString name = modDBase::gMaterialDb ? modDBase::gMaterialDb->name() : QString();
    dtaStandard->setDatabaseName(name);
    dtaMaterials->setDatabaseName(name);
    dtaSelected->setDatabaseName(name);
}

void frmSearch::Form_Load()
{
    // Loading reads every grade of the database for the first list: long on a large one.
    const platform::WaitCursor wait;
    m_loading = true;
    ProgramWindow *mdi = ProgramWindow::instance();
    std::array<QString, ProgramWindow::SavedSearchCount> saved;
    if (mdi)
        for (int i = 0; i < ProgramWindow::SavedSearchCount; ++i)
            saved[i] = mdi->SavedSearch(i);

    InitSearchFields();
    BindDataControls();
    dtaStandard->refresh();
    ShowStandardInfo(false);
    db::Recordset *standards = dtaStandard->recordset();
    if (standards && !standards->bof() && !standards->eof()) {
        dtaStandard->setRecordSource(QStringLiteral("select revision_date from standard order by revision_date desc"));
        dtaStandard->refresh();
        std::unique_ptr<db::Recordset> newest = dtaStandard->recordset()->clone();
        ReadNewestRevisionDate(*newest);
        dtaStandard->setRecordSource(QString::fromLatin1(StandardsSource));
        dtaStandard->refresh();
    }
    dtaMaterials->refresh();

    if (!mdi || !mdi->blnLowResolution) {
        if (m_subWindow) {
            m_subWindow->setFixedSize(platform::twipsToPixels(NormalWidth), platform::twipsToPixels(NormalHeight));
            m_subWindow->move(platform::twipsToPixels(120), platform::twipsToPixels(20));
        }
    } else {
        Layout800x600(*this);
    }

    ShowMatCount();
    dtaSelected->refresh();
    if (mdi) {
        mdi->SetRowColors(tdbMaterials, false);
        mdi->SetRowColors(tdbSelected, true);
    }

    for (int i = 0; i < SearchQuery::FieldBoxes; ++i) {
        controls::GridColumn *result = tdbMaterials->column(i);
        if (mdi) {
            if (mdi->ColumnSize(i) != 0)
                result->setWidthTwips(mdi->ColumnSize(i));
            else
                mdi->ColumnSize(i, float(result->widthTwips()));
        }
        tdbSelected->column(i)->setWidthTwips(result->widthTwips());
        if (mdi && !mdi->ColumnVisible(i)) {
            result->setVisible(false);
            chkSearch[i]->setChecked(false);
        }
    }
    tdbMaterials->rebind();
    tdbSelected->rebind();
    tdbMaterials->setCellTips(!mdi || mdi->blnToolTips ? controls::DataGrid::FloatingCellTips
                                                       : controls::DataGrid::NoCellTips);
    modToolTips::InitToolTipTexts();
    SetTabOrder();
    BuildSearchQuery(QStringLiteral("standard,name"));

    // The saved family first, because its set-up empties the boxes; then the saved texts of the
    // boxes the family offers.
    bool ok = false;
    int family = saved[SavedFamily].toInt(&ok);
    if (!ok || family < 0 || family >= cmbChooseStd->count())
        family = 0;
    SetFamilyIndex(family);
    for (int i = 0; i < SearchQuery::BoxCount; ++i)
        if (!saved[i].isEmpty() && txtSearch[i]->isEnabled())
            txtSearch[i]->setText(saved[i]);

    cmdShowPmaIndex->setVisible(modDocument::FileExists(frmPmaIndex::IndexDatabasePath()));
    m_loading = false;
    m_loaded = true;
    RememberSearch();
}

void frmSearch::ReadNewestRevisionDate(db::Recordset &rs)
{
    rs.moveFirst();
    const QVariant value = rs.field(QStringLiteral("revision_date"));
    m_lastUpdated = value.toDate();
}

void frmSearch::SetTabOrder()
{
    // The criteria, the result and the buttons that work on it, then the pick buttons and the column
    // boxes; the rest as the layout places them, the selection's buttons after the result's
    // navigation buttons. The boxes stand the standard, the product form, then the other fields.
    using SQ = SearchQuery;
    QList<QWidget *> chain = {txtSearch[SQ::Standard], txtSearch[SQ::ProductFormBox]};
    for (int i = SQ::Standard + 1; i < SQ::FieldBoxes; ++i)
        chain << txtSearch[i];
    chain << tdbMaterials << cmdSelectMat << cmdSelections[ShowSelected] << chkListAll << cmdSelect[SQ::Standard]
          << cmdSelect[SQ::ProductFormBox];
    for (int i = SQ::Standard + 1; i < SQ::FieldBoxes; ++i)
        chain << cmdSelect[i];
    for (QCheckBox *box : chkSearch)
        chain << box;
    if (m_smallLayout)
        chain << cmbChooseStd << cmdShowPmaIndex << cmdBatch[BatchBesideNavigation];
    else
        chain << cmdBatch[BatchBelowSearch] << cmdShowPmaIndex << cmbChooseStd;
    for (int i = 0; i < modDBase::NavigationButtons; ++i)
        chain << cmdTabNav[i];
    chain << cmdSelections[RemoveSelected] << cmdSelections[ClearSelected];
    for (int i = modDBase::NavigationButtons; i < int(cmdTabNav.size()); ++i)
        chain << cmdTabNav[i];
    chain << tdbSelected;
    platform::setTabChain(chain);
}

void frmSearch::SetFamilyIndex(int index)
{
    {
        const QSignalBlocker blocker(cmbChooseStd);
        cmbChooseStd->setCurrentIndex(index);
    }
    cmbChooseStd_Click();
}

void frmSearch::SetBoxColor(int Index, platform::OleColor color)
{
    controls::setBoxBackColor(txtSearch[Index], color);
}

void frmSearch::SetMaterialColumnsVisible(bool blnVisible)
{
    for (int i = 0; i < tdbMaterials->columnCount(); ++i)
        tdbMaterials->column(i)->setVisible(blnVisible && (i >= SearchQuery::FieldBoxes || chkSearch[i]->isChecked()));
    tdbMaterials->column(SearchQuery::ProductForm)->setVisible(false);
}

void frmSearch::EnableSearchInputs(bool blnEnabled)
{
    for (int i = 0; i < SearchQuery::BoxCount; ++i) {
        const bool on = blnEnabled && (i == SearchQuery::ProductFormBox || chkSearch[i]->isChecked());
        txtSearch[i]->setEnabled(on);
        cmdSelect[i]->setEnabled(on);
    }
}

void frmSearch::cmbChooseStd_Click()
{
    const int index = cmbChooseStd->currentIndex();
    m_chosenStandard = index >= 0 ? cmbChooseStd->itemText(index) : QString();

    // A criterion or column whose check box is unticked stays off whatever the family offers.
    auto enableCriterion = [this](int i) {
        const bool on = i == SearchQuery::ProductFormBox || chkSearch[i]->isChecked();
        txtSearch[i]->setEnabled(on);
        cmdSelect[i]->setEnabled(on);
    };
    auto showColumn = [this](int i) {
        tdbMaterials->column(i)->setVisible(i >= SearchQuery::FieldBoxes || chkSearch[i]->isChecked());
    };

    if (m_chosenStandard == QLatin1String("EN")) {
        EnableSearchInputs(true);
        m_fields[SearchQuery::Standard] = QStringLiteral("standard");
        m_fields[SearchQuery::Name] = QStringLiteral("name");
        ShowStandardInfo(false);
        SetMaterialColumnsVisible(true);
    } else if (m_chosenStandard == QLatin1String("SS")) {
        EnableSearchInputs(false);
        enableCriterion(SearchQuery::ProductFormBox);
        enableCriterion(SearchQuery::Name);
        m_fields[SearchQuery::Name] = QStringLiteral("ss");
        ShowStandardInfo(true);
        SetMaterialColumnsVisible(false);
        for (int i : {SearchQuery::Standard, SearchQuery::Name, SearchQuery::Number, SearchQuery::Ss})
            showColumn(i);
    } else if (m_chosenStandard == QLatin1String("ASME")) {
        EnableSearchInputs(false);
        enableCriterion(SearchQuery::Standard);
        enableCriterion(SearchQuery::ProductFormBox);
        enableCriterion(SearchQuery::Name);
        m_fields[SearchQuery::Standard] = QStringLiteral("asmestandard");
        m_fields[SearchQuery::Name] = QStringLiteral("asmegrade");
        ShowStandardInfo(true);
        SetMaterialColumnsVisible(false);
        for (int i : {SearchQuery::Standard, SearchQuery::Name, SearchQuery::Number, SearchQuery::AsmeStandard,
                      SearchQuery::AsmeGrade})
            showColumn(i);
    }

    for (int i = 0; i < SearchQuery::BoxCount; ++i) {
        SetBoxColor(i, txtSearch[i]->isEnabled() ? platform::olecolor::InfoBackground : platform::olecolor::ButtonFace);
        txtSearch[i]->setText(QString());
    }
    BuildSearchQuery(QStringLiteral("standard,name"));
    // A new family starts from the first column of the result.
    tdbMaterials->setLeftColumn(0);
    RememberSearch();
}

void frmSearch::ShowStandardInfo(bool blnShow)
{
    if (m_smallLayout) {
        // The small layout: the notice takes the top of the result frame above the grid.
        moveTwips(lblStdInfo, 120, 345, 8655, 690);
        moveTwips(tdbMaterials, 120, blnShow ? 1035 : 360, 8655, blnShow ? 2460 : 3135);
    } else {
        moveTwips(lblBack[2], 60, blnShow ? 780 : 480, 11235, blnShow ? 3555 : 3855);
        moveTwips(tdbMaterials, 120, blnShow ? 915 : 615, 11115, blnShow ? 3315 : 3615);
    }
    lblStdInfo->setVisible(blnShow);
}

void frmSearch::imgIcon_Click()
{
    HTMLHelp::ShowHelpTopic(HTMLHelp::ProgramHelpFile, QStringLiteral("How_To_Contact_Us.htm"));
}

void frmSearch::cmdShowPmaIndex_Click()
{
    frmPmaIndex pma(platform::dialogParent());
    pma.Form_Load();
    platform::resizeTwips(&pma, 12800, 8500);
    platform::runModal(pma);
}

void frmSearch::Form_Resize()
{
    if (!m_subWindow || m_subWindow->isMinimized() || m_inResize)
        return;
    const ProgramWindow *mdi = ProgramWindow::instance();
    const bool small = mdi && mdi->blnLowResolution;
    const QSize fixed(platform::twipsToPixels(small ? SmallWidth : NormalWidth),
                      platform::twipsToPixels(small ? SmallHeight : NormalHeight));
    m_inResize = true;
    if (m_subWindow->isMaximized())
        m_subWindow->showNormal();
    if (m_subWindow->size() != fixed) {
        m_subWindow->setFixedSize(fixed);
        m_subWindow->resize(fixed);
    }
    m_inResize = false;
}

void frmSearch::Form_QueryUnload(bool &Cancel, int UnloadMode)
{
    if (UnloadMode == 0)
        Cancel = true;
}

void frmSearch::Form_Unload()
{
    ProgramWindow *mdi = ProgramWindow::instance();
    if (!mdi)
        return;
    for (int i = 0; i < SearchQuery::BoxCount; ++i)
        mdi->SavedSearch(i, txtSearch[i]->text());
    mdi->SavedSearch(SavedFamily, QString::number(cmbChooseStd->currentIndex()));
    mdi->SearchWindowUnloaded();
}

void frmSearch::RememberSearch()
{
    // The main window writes the settings file before the search window unloads, so the criteria
    // it saves are kept up to date while the user works.
    if (!m_loaded || m_loading)
        return;
    ProgramWindow *mdi = ProgramWindow::instance();
    if (!mdi)
        return;
    for (int i = 0; i < SearchQuery::BoxCount; ++i)
        mdi->SavedSearch(i, txtSearch[i]->text());
    mdi->SavedSearch(SavedFamily, QString::number(cmbChooseStd->currentIndex()));
}

void frmSearch::closeEvent(QCloseEvent *event)
{
    const ProgramWindow *mdi = ProgramWindow::instance();
    const int unloadMode = !mdi || mdi->Unloading() ? 1 : 0;
    bool cancel = false;
    Form_QueryUnload(cancel, unloadMode);
    if (cancel) {
        event->ignore();
        return;
    }
    Form_Unload();
    if (s_instance == this)
        s_instance = nullptr;
    event->accept();
}

bool frmSearch::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_subWindow) {
        if (event->type() == QEvent::Resize || event->type() == QEvent::WindowStateChange)
            Form_Resize();
        return false;
    }
    if (watched == imgIcon && event->type() == QEvent::MouseButtonRelease) {
        guarded([&] { imgIcon_Click(); });
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        for (int i = 0; i < SearchQuery::BoxCount; ++i) {
            if (watched != txtSearch[i])
                continue;
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                guarded([&] { txtSearch_KeyDown(platform::vbKeyReturn); });
                return true;
            }
            const QString text = key->text();
            if (text.size() != 1 || !text.at(0).isPrint())
                return false;
            int keyAscii = text.at(0).unicode();
            const int typed = keyAscii;
            txtSearch_KeyPress(i, keyAscii);
            if (keyAscii == typed)
                return false;
            if (keyAscii != 0)
                txtSearch[i]->insert(QString(QChar(keyAscii)));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
