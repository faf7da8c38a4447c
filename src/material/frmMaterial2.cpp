#include "material/frmMaterial2.h"

#include "controls/Chart.h"
#include "controls/DataGrid.h"
#include "controls/GridView.h"
#include "controls/Pictograms.h"
#include "core/TableCatalogue.h"
#include "core/modDBase.h"
#include "core/modToolTips.h"
#include "db/DataControl.h"
#include "db/Database.h"
#include "material/MainWindowLink.h"
#include "platform/ErrorBoundary.h"
#include "platform/MsgBox.h"
#include "platform/TabChain.h"
#include "platform/Twips.h"
#include "platform/VbConv.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using platform::moveTwips;
using platform::vbCrLf;

namespace {

constexpr int FormWidth = 11280;
// The header shows the physical properties' button picture, the thermometer, at the size of the
// table pictures.
constexpr const char *HeaderPicture = catalogue::PhysicalButton;
constexpr int PictureTwips = 480;
constexpr int FormHeight = 5040;
const QChar Degree(0x00B0);
// The pictures of the small print and save buttons (25 pixels square), in pixels.
constexpr int SmallButtonPicture = 16;

QLabel *makeLabel(QWidget *parent, const QString &text, double l, double t, double w, double h)
{
    auto *label = new QLabel(text, parent);
    moveTwips(label, l, t, w, h);
    return label;
}

QPlainTextEdit *makeBox(QWidget *parent, double l, double t, double w, double h, bool multiLine)
{
    auto *box = new QPlainTextEdit(parent);
    box->setReadOnly(true);
    box->setTabChangesFocus(true);
    box->document()->setDocumentMargin(1);
    if (!multiLine) {
        box->setLineWrapMode(QPlainTextEdit::NoWrap);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    } else {
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }
    moveTwips(box, l, t, w, h);
    return box;
}

QPushButton *makeButton(QWidget *parent, const QString &name, const QString &text, double l, double t, double w,
                        double h)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    moveTwips(button, l, t, w, h);
    return button;
}

QGroupBox *makeFrame(QWidget *parent, const QString &title, double l, double t, double w, double h)
{
    auto *frame = new QGroupBox(title, parent);
    moveTwips(frame, l, t, w, h);
    return frame;
}

db::DataControl *makeDataControl(QObject *parent, const QString &name, const QString &recordSource)
{
    auto *control = new db::DataControl(parent);
    control->setObjectName(name);
    control->setRecordSource(recordSource);
    return control;
}

} // namespace

frmMaterial2::frmMaterial2(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmMaterial2"));
    // Texts of the laid-out boxes must fit their twip heights: a small sans-serif face.
    QFont small = font();
    small.setFamilies({QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                       QStringLiteral("DejaVu Sans")});
    small.setPixelSize(11);
    setFont(small);
    // The window paints its own background: a panel shown or hidden inside it is then painted
    // from here, without the frame and title bar around it.
    setAutoFillBackground(true);
    CreatePictures();
    CreateControls();
    Form_Load();
}

frmMaterial2::~frmMaterial2()
{
    // The controls and the sub-window send events while they are destroyed after this body has
    // run; no filter may then reach this window.
    if (m_watchedSubWindow)
        m_watchedSubWindow->removeEventFilter(this);
    txtDesignTemp->removeEventFilter(m_designTempFilter);
}

void frmMaterial2::CreateControls()
{
    // Background labels first, so that everything else lies in front of them.
    lblFullForm = makeLabel(this, QString(), 120, 120, 10935, 4455);
    lblFullForm->setFrameShape(QFrame::Panel);
    lblFullForm->setFrameShadow(QFrame::Sunken);
    lblMain = makeLabel(this, QString(), 120, 120, 10935, 4455);
    lblMain->setFrameShape(QFrame::Panel);
    lblMain->setFrameShadow(QFrame::Sunken);

    // Header.
    framStand = makeFrame(this, QString(), 240, 240, 10695, 2535);
    framMain = makeFrame(this, QString(), 240, 2895, 10695, 1575);
    struct HeaderField
    {
        int index;
        QGroupBox *frame;
        const char *label;
        int top;
        bool right;
    };
    const HeaderField fields[] = {
        {0, framStand, "Standard .........", 120, false}, {7, framStand, "Product Forms.", 600, false},
        {8, framStand, "Revision Date ..", 600, true},    {1, framStand, "Standard Description ......", 1080, false},
        {2, framMain, "Name ..............", 120, false}, {5, framMain, "Group ..............", 120, true},
        {4, framMain, "Number ...........", 600, false},  {6, framMain, "Revision Date ..", 600, true},
        {3, framMain, "Description ......", 1080, false},
    };
    for (const HeaderField &f : fields) {
        const double labelLeft = f.right ? 6360 : 240;
        const double labelWidth = f.right ? 1335 : 1215;
        const double labelHeight = f.index == 1 ? 495 : 255;
        lblMainData[f.index] =
            makeLabel(f.frame, QString::fromLatin1(f.label), labelLeft, f.top, labelWidth, labelHeight);
        lblMainData[f.index]->setWordWrap(f.index == 1);
        lblMainData[f.index]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        const double boxLeft = f.right ? 7560 : 1440;
        double boxWidth = f.right ? 1935 : 4815;
        double boxHeight = 315;
        if (f.index == 1) {
            boxWidth = 8895;
            boxHeight = 1275;
        } else if (f.index == 3) {
            boxWidth = 8895;
        }
        txtMainData[f.index] = makeBox(f.frame, boxLeft, f.top, boxWidth, boxHeight, f.index == 1);
        txtMainData[f.index]->setObjectName(QStringLiteral("txtMainData%1").arg(f.index));
        // Screen readers name each box after its label, without the leader dots.
        QString name = QString::fromLatin1(f.label);
        while (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
            name.chop(1);
        txtMainData[f.index]->setAccessibleName(name);
    }
    // The two revision dates are told apart by their tool-tip texts, also while tool tips are off.
    txtMainData[StandardRevisionDateBox]->setAccessibleDescription(
        modToolTips::MaterialText(modToolTips::StandardRevisionDateTip));
    txtMainData[RevisionDateBox]->setAccessibleDescription(modToolTips::MaterialText(modToolTips::RevisionDateTip));
    ImgPic[HeaderFramePicture] = makeLabel(framStand, QString(), 9840, 120, 480, 480);

    // Grids of the work area.
    tdbTable = new controls::DataGrid(this);
    tdbTable->setObjectName(QStringLiteral("tdbTable"));
    moveTwips(tdbTable, 240, 240, 10695, 3735);
    tdbTable->addColumn();
    tdbTable->setAlternatingRows(true);
    tdbTable->setArray(&xTableDB);

    tdbBoundTable = new controls::DataGrid(this);
    tdbBoundTable->setObjectName(QStringLiteral("tdbBoundTable"));
    moveTwips(tdbBoundTable, 300, 240, 6945, 3735);
    for (int c = 0; c < 4; ++c)
        tdbBoundTable->addColumn();
    tdbBoundTable->setAlternatingRows(true);

    // Options of the property tables, with the blank frame behind them.
    framBlank = new QFrame(this);
    framBlank->setFrameShape(QFrame::NoFrame);
    framBlank->setAutoFillBackground(true);
    moveTwips(framBlank, 7320, 240, 3615, 3735);
    ImgPic[BlankFramePicture] = makeLabel(framBlank, QString(), 3000, 120, 480, 480);

    framOptions = makeFrame(this, QString(), 7320, 240, 3615, 3735);
    framMechOpt = makeFrame(framOptions, QStringLiteral("Minimum values for..."), 240, 120, 3015, 735);
    for (int i = 0; i < catalogue::ElevatedTableCount; ++i) {
        optMechProp[i] = new QRadioButton(QString::fromLatin1(catalogue::ElevatedTable(i)->optionCaption), framMechOpt);
        optMechProp[i]->setObjectName(QStringLiteral("optMechProp%1").arg(i));
        moveTwips(optMechProp[i], 360 + 900 * i, 240, 735, 375);
        // The option acts when it becomes selected, by mouse, keyboard or an assistive tool alike.
        platform::connectGuarded(optMechProp[i], &QRadioButton::toggled, this, ErrorPolicy, [this, i](bool on) {
            if (on)
                optMechProp_Click(i);
        });
    }
    lblElevated = makeLabel(framOptions, QStringLiteral("...At Elevated Temperature"), 960, 960, 2295, 255);
    CommandShowGraph =
        makeButton(framOptions, QStringLiteral("CommandShowGraph"), QStringLiteral("Show Graph"), 240, 3360, 1215, 255);
    CommandShowTable =
        makeButton(framOptions, QStringLiteral("CommandShowTable"), QStringLiteral("Show Table"), 240, 3360, 1215, 255);
    ImgPic[OptionsFramePicture] = makeLabel(framOptions, QString(), 3000, 3120, 480, 480);

    // Notes pane.
    framNotes = makeFrame(this, QString(), 225, 4080, 10695, 375);
    cmdShowNotes = makeButton(framNotes, QStringLiteral("cmdShowNotes"), QString(), 240, 60, 375, 285);
    cmdShowNotes->setAccessibleName(QStringLiteral("Table Notes"));
    cmdShowNotes->setIconSize(imgUpDown[NotesClosed].size());
    platform::connectGuarded(cmdShowNotes, &QPushButton::clicked, this, ErrorPolicy, [this] { cmdShowNotes_Click(); });
    lblNotes = makeLabel(framNotes, QStringLiteral("Notes"), 840, 75, 4215, 255);
    cmdUnBoundGraph =
        makeButton(framNotes, QStringLiteral("cmdUnBoundGraph"), QStringLiteral("Show Graph"), 7305, 60, 1215, 255);
    txtNotes = makeBox(framNotes, 240, 480, 10095, 1215, true);
    txtNotes->setObjectName(QStringLiteral("txtNotes"));
    txtNotes->setAccessibleName(QStringLiteral("Notes"));
    TimerFlash = new QTimer(this);
    TimerFlash->setInterval(1000);
    platform::connectGuarded(TimerFlash, &QTimer::timeout, this, ErrorPolicy, [this] { TimerFlash_Timer(); });
    TimerFlash->start();

    // Charts.
    framChart = makeFrame(this, QString(), 240, 240, 6975, 4215);
    MSChart1 = new controls::Chart(framChart);
    MSChart1->setObjectName(QStringLiteral("MSChart1"));
    moveTwips(MSChart1, 60, 60, 6240, 4095);
    framAxisCols = makeFrame(this, QString(), 7320, 2520, 3615, 1935);
    lblAxis[XAxis] = makeLabel(framAxisCols, QStringLiteral("X-Axis"), 240, 600, 615, 255);
    lblXAxis = makeLabel(framAxisCols, QString(), 840, 600, 2655, 255);
    lblAxis[YAxis] = makeLabel(framAxisCols, QStringLiteral("Y-Axis"), 240, 1080, 615, 255);
    cboColumnList = new QComboBox(framAxisCols);
    cboColumnList->setObjectName(QStringLiteral("cboColumnList"));
    moveTwips(cboColumnList, 840, 960, 2655, 315);
    cboColumnList->setAccessibleName(QStringLiteral("Y-Axis"));
    cmdUnBoundTable =
        makeButton(framAxisCols, QStringLiteral("cmdUnBoundTable"), QStringLiteral("Show Table"), 255, 1620, 1215, 255);

    // Design values.
    framDesign = makeFrame(this, QString(), 240, 240, 10695, 4215);
    lblDesignTemp = makeLabel(framDesign, QStringLiteral("Design temperature"), 120, 120, 2175, 255);
    txtDesignTemp = new QLineEdit(framDesign);
    txtDesignTemp->setObjectName(QStringLiteral("txtDesignTemp"));
    txtDesignTemp->setMaxLength(6);
    txtDesignTemp->setAccessibleName(lblDesignTemp->text());
    moveTwips(txtDesignTemp, 2400, 120, 1095, 255);
    lblKey =
        makeLabel(framDesign,
                  QStringLiteral("KEY:  '-' = Below Temperature Range of this table, '+' = Above Temperature Range "
                                 "of this table,  'x' = No value given for this Temperature"),
                  240, 3900, 10335, 255);
    tdbDesign = new controls::DataGrid(framDesign);
    tdbDesign->setObjectName(QStringLiteral("tdbDesign"));
    tdbDesign->view()->setAccessibleName(QStringLiteral("Design Values"));
    moveTwips(tdbDesign, 240, 480, 9735, 3375);
    tdbDesign->addColumn();
    tdbDesign->addColumn();
    tdbDesign->setAlternatingRows(true);
    tdbDesign->setArray(&xDesignDB);

    // Print and save buttons, the enlarge button at the top of the chart's, save above print beside
    // the design values.
    const auto printSaveButton = [this](int index, QWidget *frame, double top) {
        cmdPrintSave[index] = makeButton(frame, QStringLiteral("cmdPrintSave%1").arg(index), QString(),
                                         frame == framChart ? 6360 : 10080, top, 375, 375);
    };
    printSaveButton(EnlargeChart, framChart, 2640);
    printSaveButton(SaveChart, framChart, 3120);
    printSaveButton(PrintChart, framChart, 3600);
    printSaveButton(SaveDesignValues, framDesign, 2160);
    printSaveButton(PrintDesignValues, framDesign, 2640);
    const char *printSavePictures[PrintSaveButtons] = {"document-save", "document-print", "zoom-in", "document-print",
                                                       "document-save"};
    for (int i = 0; i < PrintSaveButtons; ++i) {
        cmdPrintSave[i]->setIcon(controls::themeIcon(QString::fromLatin1(printSavePictures[i])));
        cmdPrintSave[i]->setIconSize(QSize(SmallButtonPicture, SmallButtonPicture));
        // The tool tips may be switched off; the name stays for screen readers.
        cmdPrintSave[i]->setAccessibleName(modToolTips::MaterialText(modToolTips::FirstPrintSaveTip + i));
    }
    ConnectChartControls();
    ConnectDesignControls();

    // No-data note: placed over the grid it covers when shown.
    framNoData = makeFrame(this, QString(), 240, 240, 10695, 3735);
    txtNoData = makeBox(framNoData, 200, 200, 10295, 3335, true);
    txtNoData->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    txtNoData->setObjectName(QStringLiteral("txtNoData"));
    txtNoData->setAccessibleName(QStringLiteral("No Data"));
    framNoData->hide();

    // Data controls; dtaTable and dtaNotes get their record source from code.
    dtaTable = makeDataControl(this, QStringLiteral("dtaTable"), QString());
    dtaOther = makeDataControl(this, QStringLiteral("dtaOther"), QStringLiteral("OtherElem"));
    dtaNotes = makeDataControl(this, QStringLiteral("dtaNotes"), QString());
    dtaTableNotes = makeDataControl(this, QStringLiteral("dtaTableNotes"), QStringLiteral("TableNotes"));
    dtaUnits = makeDataControl(this, QStringLiteral("dtaUnits"), QStringLiteral("Units"));
    dtaColumns = makeDataControl(this, QStringLiteral("dtaColumns"), QStringLiteral("Columns"));
    tdbBoundTable->setDataSource(dtaTable);
}

void frmMaterial2::Form_Load()
{
    SetNotesPicture(NotesClosed);
    ArrangeControls();
    if (ProgramWindow *mdi = mainlink::mdi()) {
        mdi->SetRowColors(tdbTable, false);
        mdi->SetRowColors(tdbBoundTable, false);
        mdi->SetRowColors(tdbDesign, false);
        // The boxes are laid out without a colour of their own, so the scheme is applied whether it is
        // on (the light boxes of the design) or off.
        mdi->Do_Undo_Colour(this);
        if (const QPixmap picture =
                mdi->ListPicture(mdi->PictureNumber(QString::fromLatin1(HeaderPicture)), PictureTwips);
            !picture.isNull())
            ImgPic[HeaderFramePicture]->setPixmap(picture);
    }

    controls::GridColumn *temp = tdbBoundTable->column(0);
    temp->setCaption(QStringLiteral("Temperature ") + vbCrLf + vbCrLf + QStringLiteral("[") + Degree +
                     QStringLiteral("C]"));
    temp->setDataField(QStringLiteral("temp"));
    temp->setWidthTwips(1500);
    for (int c = 0; c < 4; ++c)
        tdbBoundTable->column(c)->setCentered();
    tdbBoundTable->setSplitAlignment(Qt::AlignHCenter);
    tdbBoundTable->rebind();

    tdbTable->setSplitAlignment(Qt::AlignHCenter);
    tdbTable->column(0)->setCentered();
    tdbTable->rebind();

    tdbDesign->setSplitAlignment(Qt::AlignHCenter);
    tdbDesign->column(0)->setCentered();
    tdbDesign->column(1)->setCentered();
    // The headings of the design blocks keep their line breaks: wrapped cells show them whole.
    tdbDesign->column(0)->setWidthTwips(2295);
    tdbDesign->column(1)->setWidthTwips(1150);
    tdbDesign->column(0)->setWrapText(true);
    tdbDesign->column(1)->setWrapText(true);
    tdbDesign->setRowsFitText(true);
    tdbDesign->rebind();

    lblDesignTemp->setText(lblDesignTemp->text() + QStringLiteral(" [") + Degree + QStringLiteral("C]"));

    ApplyToolTips();
    m_graphView = false;

    // Until the first table is chosen the window shows its header, the view the main window marks
    // as shown after opening, rather than every panel on top of each other.
    for (QWidget *w :
         std::initializer_list<QWidget *>{framAxisCols, framChart, tdbTable, framNotes, lblFullForm, tdbBoundTable,
                                          framOptions, framBlank, cmdUnBoundGraph, framDesign, txtNoData, framNoData})
        w->hide();
    for (QWidget *w : std::initializer_list<QWidget *>{framMain, framStand, lblMain, ImgPic[HeaderFramePicture]})
        w->show();
    m_loaded = true;
}

void frmMaterial2::ArrangeControls()
{
    using namespace platform;
    const QWidget *geometry[2] = {txtNotes, framNotes};
    for (int i = 0; i < 2; ++i) {
        m_notesGeometry[4 * i + 0] = qint16(leftTwips(geometry[i]));
        m_notesGeometry[4 * i + 1] = qint16(topTwips(geometry[i]));
        m_notesGeometry[4 * i + 2] = qint16(widthTwips(geometry[i]));
        m_notesGeometry[4 * i + 3] = qint16(heightTwips(geometry[i]));
    }
    moveTwips(framBlank, leftTwips(framOptions), topTwips(framOptions), widthTwips(framOptions),
              heightTwips(framOptions));

    if (QMdiSubWindow *sub = subWindow())
        resizeTwips(sub, FormWidth, FormHeight);
    else
        resizeTwips(this, FormWidth, FormHeight);

    moveTwips(framChart, 240, 240, widthTwips(framChart), heightTwips(framChart));
    moveTwips(framStand, 240, 240, widthTwips(framStand), heightTwips(framStand));
    moveTwips(framMain, 240, topTwips(framStand) + heightTwips(framStand) + 120, widthTwips(framMain),
              heightTwips(framMain));
    moveTwips(framDesign, 240, 240, widthTwips(framDesign), heightTwips(framDesign));
    moveTwips(tdbTable, 240, 240, 10695, heightTwips(tdbTable));
    moveTwips(lblMain, 120, 120, widthTwips(lblMain), heightTwips(lblMain));
    moveTwips(framAxisCols, 7320, 2520, widthTwips(framAxisCols), heightTwips(framAxisCols));
    moveTwips(framOptions, 7320, 240, 3615, 3735);
    moveTwips(lblFullForm, 120, 120, 10935, 4455);

    // Tab order: the header's boxes row by row; the table, the notes button, the options and the chart
    // buttons, then the bound grid; the switches between table and chart, each followed by what takes
    // the focus when the switch hides itself, the notes and the chart; the design temperature with its
    // grid and buttons; the no-data note.
    QList<QWidget *> chain;
    for (HeaderBox box : {StandardBox, ProductFormsBox, StandardRevisionDateBox, StandardDescriptionBox, NameBox,
                          MaterialGroupBox, NumberBox, RevisionDateBox, DescriptionBox})
        chain << txtMainData[box];
    chain << tdbTable << cmdShowNotes;
    for (QRadioButton *option : optMechProp)
        chain << option;
    chain << cmdPrintSave[EnlargeChart] << cmdPrintSave[SaveChart] << cmdPrintSave[PrintChart] << tdbBoundTable;
    chain << CommandShowGraph << CommandShowTable << cmdUnBoundGraph << cboColumnList << cmdUnBoundTable << txtNotes
          << MSChart1;
    chain << txtDesignTemp << tdbDesign << cmdPrintSave[SaveDesignValues] << cmdPrintSave[PrintDesignValues]
          << txtNoData;
    platform::setTabChain(chain);
}

QMdiSubWindow *frmMaterial2::subWindow() const
{
    return qobject_cast<QMdiSubWindow *>(parentWidget());
}

void frmMaterial2::Form_Resize()
{
    QWidget *outer = subWindow() ? static_cast<QWidget *>(subWindow()) : static_cast<QWidget *>(this);
    if (outer->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))
        return;
    const QSize fixed(platform::twipsToPixels(FormWidth), platform::twipsToPixels(FormHeight));
    if (outer->size() != fixed)
        outer->resize(fixed);
}

void frmMaterial2::Form_Activate()
{
    if (ProgramWindow *mdi = mainlink::mdi())
        mdi->SetCurrentMaterial(mMat);
    // After the frame has placed the focus as it does for an activated window.
    QTimer::singleShot(0, this, [this] { platform::guard(ErrorPolicy, [this] { FocusFirstControl(); }); });
}

void frmMaterial2::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    TimerFlash->stop();
    if (ProgramWindow *mdi = mainlink::mdi())
        mdi->MaterialWindowClosed();
}

bool frmMaterial2::event(QEvent *e)
{
    switch (e->type()) {
    case QEvent::ParentChange:
        if (m_watchedSubWindow)
            m_watchedSubWindow->removeEventFilter(this);
        m_watchedSubWindow = subWindow();
        if (QMdiSubWindow *sub = subWindow()) {
            sub->installEventFilter(this);
            platform::connectGuarded(sub, &QMdiSubWindow::windowStateChanged, this, ErrorPolicy,
                                     [this](Qt::WindowStates oldState, Qt::WindowStates newState) {
                                         if ((newState & Qt::WindowActive) && !(oldState & Qt::WindowActive))
                                             Form_Activate();
                                     });
            if (m_loaded)
                Form_Resize();
        }
        break;
    case QEvent::Show:
        // In front of the sub-window's own filter, which the next layout request would reach first.
        installEventFilter(this);
        break;
    case QEvent::WindowActivate:
        if (!subWindow())
            Form_Activate();
        break;
    case QEvent::Resize:
        if (!subWindow() && isWindow() && m_loaded)
            Form_Resize();
        break;
    default: break;
    }
    return QWidget::event(e);
}

bool frmMaterial2::eventFilter(QObject *watched, QEvent *e)
{
    // The controls are placed by the window itself, without a layout, so a control shown or hidden
    // asks for a layout that changes nothing; the sub-window would answer it by measuring its
    // frame and eliding its title again, for every window whose table changes.
    if (watched == this && e->type() == QEvent::LayoutRequest && !layout())
        return true;
    if (watched == m_watchedSubWindow.data() && m_loaded &&
        (e->type() == QEvent::Resize || e->type() == QEvent::WindowStateChange))
        QTimer::singleShot(0, this, [this] { platform::guard(ErrorPolicy, [this] { Form_Resize(); }); });
    return QWidget::eventFilter(watched, e);
}

void frmMaterial2::closeEvent(QCloseEvent *e)
{
    Form_Unload();
    e->accept();
}

bool frmMaterial2::RunGuarded(const std::function<void()> &step)
{
    return platform::guard(ErrorPolicy, step);
}

void frmMaterial2::SetMaterial(const MaterialPtr &mMaterial)
{
    RunGuarded([this] { ConnectDataControls(); });
    hide();
    mMat = mMaterial;
    RunGuarded([this] { LoadProductForms(); });
    mMat->MyForm(this);

    auto dateText = [](const QDate &d) { return d.isValid() ? platform::shortDate(d) : QString(); };
    txtMainData[StandardBox]->setPlainText(QStringLiteral(" ") + mMat->Standard());
    txtMainData[StandardDescriptionBox]->setPlainText(mMat->StandardDescription());
    txtMainData[NameBox]->setPlainText(QStringLiteral(" ") + mMat->Name());
    txtMainData[DescriptionBox]->setPlainText(QStringLiteral(" ") + mMat->Description());
    txtMainData[NumberBox]->setPlainText(QStringLiteral(" ") + mMat->Number());
    txtMainData[MaterialGroupBox]->setPlainText(QStringLiteral(" ") + mMat->Group());
    txtMainData[RevisionDateBox]->setPlainText(QStringLiteral(" ") + dateText(mMat->RevisionDate()));
    txtMainData[StandardRevisionDateBox]->setPlainText(QStringLiteral(" ") + dateText(mMat->StandardRevisionDate()));

    xTableDB = platform::XArray();
    tdbTable->setArray(&xTableDB);
    xDesignDB = platform::XArray();
    strCurrentTable = QString::fromLatin1(catalogue::HeaderKey);
    mMat->TableHasData(strCurrentTable, true);
}

void frmMaterial2::ConnectDataControls()
{
    const QString name = modDBase::gMaterialDb ? modDBase::gMaterialDb->name() : QString();
    for (db::DataControl *control : {dtaTable, dtaOther, dtaNotes, dtaTableNotes, dtaColumns, dtaUnits})
        control->setDatabaseName(name);
    m_columnTextsRead = false;
    dtaUnits->refresh();
}

void frmMaterial2::LoadProductForms()
{
    dtaTable->setRecordSource(QStringLiteral("select * from StandProdForm where stID = ") +
                              QString::number(mMat->StandardID()));
    dtaTable->refresh();
    db::Recordset *rs = dtaTable->recordset();
    if (!rs || rs->eof() || rs->bof())
        return;
    QList<qint32> ids;
    while (!rs->eof()) {
        ids.append(platform::cLng(rs->field(QStringLiteral("prodFID"))));
        rs->moveNext();
    }

    QString sql = QStringLiteral("select * from ProdForm where prodFID = ") + QString::number(ids.first());
    for (int i = 1; i < ids.size(); ++i)
        sql += QStringLiteral(" or prodFID = ") + QString::number(ids.at(i));
    sql += QStringLiteral(" order by productForm");
    dtaTable->setRecordSource(sql);
    dtaTable->refresh();

    // An id listed twice or without a ProdForm row brings fewer rows back: the list holds what came.
    rs = dtaTable->recordset();
    QStringList forms;
    while (rs && !rs->eof() && forms.size() < ids.size()) {
        forms.append(platform::cStr(platform::nz(rs->field(QStringLiteral("productForm")))));
        rs->moveNext();
    }
    if (forms.isEmpty())
        return;
    platform::VbArray<QString> list;
    list.redim(0, int(forms.size()) - 1);
    QString text;
    for (int i = 0; i < forms.size(); ++i) {
        list[i] = forms.at(i);
        text += (i == 0 ? QStringLiteral(" ") : QStringLiteral(", ")) + forms.at(i);
    }
    txtMainData[ProductFormsBox]->setPlainText(text);
    mMat->ProductForms(list);
}
