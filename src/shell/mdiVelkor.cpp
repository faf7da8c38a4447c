#include "shell/mdiVelkor.h"

#include "controls/Pictograms.h"
#include "core/ProductInfo.h"
#include "core/TableCatalogue.h"
#include "core/modDBase.h"
#include "platform/Environment.h"
#include "platform/MsgBox.h"
#include "platform/VbConv.h"
#include "platform/VbError.h"
#include "reports/MainReportRunner.h"
#include "shell/HelpTopics.h"
#include "shell/ToolbarDesign.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QStatusBar>

using platform::vbCrLf;

mdiVelkor::mdiVelkor(QWidget *parent) : ProgramWindow(parent)
{
    reportcalls::SetRunner(&reportcalls::mainReportRunner());
    // Every window of the program, the child windows too, shows the program's icon.
    QApplication::setWindowIcon(controls::programIcon());
    setObjectName(QStringLiteral("mdiVelkor"));
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(m_mdiArea);
    m_mdiArea->viewport()->installEventFilter(this);
    resize(1024, 740);

    CreateImageList();
    CreateMenus();
    AssignMenuPictures();
    CreateToolbar();
    CreateStatusBar();
    ConnectCommands();
    stbStatus->installEventFilter(this);
    for (QWidget *panel : stbStatus->findChildren<QWidget *>())
        panel->installEventFilter(this);
    SetBackColor(vMyBlue);
    // F1 opens the help on the window in use, in the main window and in every dialog.
    qApp->installEventFilter(new helptopics::HelpKey(this));
}

mdiVelkor::~mdiVelkor() = default;

void mdiVelkor::MDIForm_Load()
{
    setWindowTitle(product::ProductName + QStringLiteral("   "));
    SetStatus();
    ShowStatus(status::Search);
    AssignToolbarPictures();
    strLastWindowButton = QString::fromLatin1(toolbar::Cascade);
    strLastViewButton = QString::fromLatin1(catalogue::HeaderKey);
    vMyGreen = 0xA8FBA2;
    vMyBlue = 0xFEC7A5;
    SetBackColor(vMyBlue);
    GetDecimal();
    LoadSettings();
    CheckScreen();

    const bool opened = modDBase::OpenDBase(this, modDBase::MaterialDbName(), modDBase::PathFileName(), true, true,
                                            modDBase::MaterialPassword(), MissingDatabaseText());
    if (!opened) {
        CloseMainWindow();
        return;
    }
    InitTableNames();
    ShowSearchWindow();
    if (blnColoursOFF)
        Do_Undo_Colour_All();
    ShowToolTips(blnToolTips);
}

void mdiVelkor::CheckScreen()
{
    const int width = CheckScreenResolution();
    blnLowResolution = width < 1024;
    if (width < 800) {
        platform::msgBox(QStringLiteral("Velkor-PED is best viewed with Screen Resolution ") +
                             QStringLiteral("(Desktop Area) of 800 x 600 (Pixels) or greater.") + vbCrLf + vbCrLf +
                             QStringLiteral("Close this program.") + vbCrLf +
                             QStringLiteral("Right-Click on Desktop.") + vbCrLf +
                             QStringLiteral("Click on 'Properties' in pop-up menu.") + vbCrLf +
                             QStringLiteral("Click the 'Settings' tab on the Display Properties window.") + vbCrLf +
                             QStringLiteral("Change the 'Desktop Area' to 800 x 600 (Pixels) or greater."),
                         platform::vbOKOnly, QStringLiteral("Screen Resolution"));
    }
}

QString mdiVelkor::MissingDatabaseText() const
{
    return QStringLiteral("Unable to locate database.") + vbCrLf + vbCrLf +
           QStringLiteral("Click 'Yes' to search for file, 'No' to exit program...") + vbCrLf + vbCrLf +
           QStringLiteral("For more information double-click on the help file 'Velkor_PED_Help.chm'") + vbCrLf +
           QStringLiteral("in directory '") + platform::programFolder() +
           QStringLiteral("/' and read 'Can't Start Velkor-PED?'") + vbCrLf +
           QStringLiteral("in the 'How To Use Velkor-PED' book.");
}

void mdiVelkor::GetDecimal()
{
    if (platform::cStr(1.5) == QLatin1String("1.5"))
        blnEnglish = true;

    // Formatting a text reads its comma as a grouping sign, whatever the locale: "1,5" is 15.
    QString text = QStringLiteral("1,5");
    text.remove(QLatin1Char(','));
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (ok) {
        const QString formatted = platform::formatNumber(value, QStringLiteral("##0.00"));
        if (formatted == QLatin1String("15.00") || formatted == QLatin1String("15,00"))
            blnEnglishSystem = true;
    }
}

qint16 mdiVelkor::CheckScreenResolution() const
{
    return qint16(qBound(0, platform::screenWidthPixels(), 32767));
}

void mdiVelkor::CloseMainWindow()
{
    close();
    // A window that was never shown gets no close event; it is unloaded all the same.
    if (!m_unloaded)
        MDIForm_Unload();
}

void mdiVelkor::closeEvent(QCloseEvent *event)
{
    if (!m_unloaded)
        MDIForm_Unload();
    event->accept();
}

void mdiVelkor::MDIForm_Unload()
{
    if (m_unloading)
        return;
    m_unloading = true;
    try {
        modDBase::CloseDBase();
    } catch (const platform::VbError &) {
        // The rest of the shutdown still runs.
    }
    try {
        SaveSettings();
    } catch (const platform::VbError &) {
    }
    UnloadOtherWindows();
    mCurrent.reset();
    colMaterials.clear();
    m_unloaded = true;
}

void mdiVelkor::UnloadOtherWindows()
{
    const QList<QMdiSubWindow *> children = m_mdiArea->subWindowList();
    for (QMdiSubWindow *child : children) {
        QPointer<QMdiSubWindow> guard(child);
        child->close();
        if (guard && !guard->isHidden())
            delete guard.data();
    }
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window == this || window->isHidden() || qobject_cast<QMenu *>(window))
            continue;
        window->close();
    }
}

bool mdiVelkor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_mdiArea->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton) {
            MDIForm_DblClick();
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonDblClick && watched->isWidgetType() &&
        (watched == stbStatus || static_cast<QWidget *>(watched)->parentWidget() == stbStatus)) {
        stbStatus_DblClick();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
