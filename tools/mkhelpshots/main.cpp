// mkhelpshots: the help file's pictures of the program's windows, taken offscreen on the demo
// database while the build makes the help file, so that the pictures show the program as built.
//
//   mkhelpshots <program folder> <picture folder>
//
// The demo databases of the program folder are copied to a private folder first, and the program's
// settings and caches go to a private home, so that a running program is not disturbed. Writes
// the PNG files named in `Shots` below; exits 1 when a window cannot be shown or a picture written.

#include "core/ProductInfo.h"
#include "core/TableCatalogue.h"
#include "core/modFileHandler.h"
#include "db/DataControl.h"
#include "db/Recordset.h"
#include "material/Material.h"
#include "material/frmMaterial2.h"
#include "platform/Environment.h"
#include "platform/MsgBox.h"
#include "search/frmSearch.h"
#include "shell/mdiVelkor.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

// The grades of the pictures: the search window's selection, and the one whose window is shown.
const char *const SelectedGrades[] = {"P265GH", "16Mo3", "X6CrNiTi18-10"};
const char *const ShownGrade = "16Mo3";
const char *const DesignTemperature = "350";
const QSize PreviewSize(720, 600);
// The help window shows its pages beside the contents: wider pictures are made smaller.
constexpr int MaxPictureWidth = 600;

// A screen large enough for the full layouts; the help viewer shows the pictures at their size.
const char *const ScreenConfig = R"({"screens": [{"name": "help", "x": 0, "y": 0, "width": 1280,
    "height": 1024, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";

bool failed = false;

void fail(const QString &what)
{
    std::fprintf(stderr, "mkhelpshots: %s\n", qPrintable(what));
    failed = true;
}

void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

QPixmap withTitleBar(const QWidget &window, const QPixmap &content)
{
    QStyle *style = window.style();
    QStyleOptionTitleBar bar;
    bar.initFrom(&window);
    bar.text = window.windowTitle();
    bar.icon = window.windowIcon();
    bar.titleBarState = Qt::WindowActive;
    bar.titleBarFlags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    bar.state |= QStyle::State_Active;
    const int height = style->pixelMetric(QStyle::PM_TitleBarHeight, &bar, &window);
    bar.rect = QRect(0, 0, content.width(), height);
    bar.palette = window.palette();

    QPixmap framed(content.width(), content.height() + height);
    framed.fill(window.palette().color(QPalette::Window));
    QPainter painter(&framed);
    style->drawComplexControl(QStyle::CC_TitleBar, &bar, &painter, &window);
    painter.drawPixmap(0, height, content);
    painter.setPen(window.palette().color(QPalette::Dark));
    painter.drawRect(framed.rect().adjusted(0, 0, -1, -1));
    return framed;
}

class Shots
{
public:
    explicit Shots(QString folder) : m_folder(std::move(folder)) {}

    // A window inside the main window is taken with its frame; a window of its own gets the
    // style's title bar drawn above it, as the window system would show it.
    void save(QWidget *widget, const QString &name)
    {
        if (!widget) {
            fail(QStringLiteral("no window for %1").arg(name));
            return;
        }
        settle();
        QPixmap picture = widget->grab();
        if (widget->isWindow())
            picture = withTitleBar(*widget, picture);
        if (picture.width() > MaxPictureWidth)
            picture = picture.scaledToWidth(MaxPictureWidth, Qt::SmoothTransformation);
        if (!picture.save(QDir(m_folder).filePath(name)))
            fail(QStringLiteral("cannot write %1").arg(name));
    }

    // A modal dialog the next command opens: shown and arranged, its picture taken, then `then`
    // acts on it.
    void nextDialog(platform::ScriptedResponder &responder, const QString &name,
                    std::function<void(QDialog &)> then = {}, std::function<void(QDialog &)> arrange = {})
    {
        responder.answerDialog([this, name, then, arrange](QDialog &dialog) {
            dialog.show();
            if (arrange)
                arrange(dialog);
            save(&dialog, name);
            if (then)
                then(dialog);
        });
    }

private:
    QString m_folder;
};

template <typename T>
T *control(QObject *parent, const QString &name)
{
    T *found = parent ? parent->findChild<T *>(name) : nullptr;
    if (!found)
        fail(QStringLiteral("no control %1").arg(name));
    return found;
}

void click(QObject *parent, const QString &name)
{
    if (auto *button = control<QPushButton>(parent, name))
        button->click();
}

// The demo databases, and empty settings files: the pictures show the program as a new user sees it.
bool makeProgramFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    for (const char *file : {"Velkor_PED.mdb", "PMA_Index.mdb"}) {
        const QString name = QString::fromLatin1(file);
        if (!QFile::copy(QDir(from).filePath(name), QDir(to).filePath(name))) {
            fail(QStringLiteral("cannot copy %1 from %2").arg(name, from));
            return false;
        }
    }
    for (const char *file : {"PathSet.vlk", "Settings.vlk"}) {
        QFile empty(QDir(to).filePath(QString::fromLatin1(file)));
        if (!empty.open(QIODevice::WriteOnly)) {
            fail(QStringLiteral("cannot write %1").arg(empty.fileName()));
            return false;
        }
    }
    return true;
}

void selectGrade(frmSearch *search, const QString &name)
{
    auto *materials = control<db::DataControl>(search, QStringLiteral("dtaMaterials"));
    if (!materials || !materials->recordset())
        return;
    materials->recordset()->findFirst(QStringLiteral("name = '%1'").arg(name));
    if (materials->recordset()->noMatch()) {
        fail(QStringLiteral("no grade %1 in the demo database").arg(name));
        return;
    }
    search->cmdSelectMat_Click();
}

frmMaterial2 *showGrade(mdiVelkor *mdi, const QString &name)
{
    for (QMdiSubWindow *sub : mdi->MaterialWindows()) {
        auto *frm = qobject_cast<frmMaterial2 *>(sub->widget());
        if (frm && frm->mMat && frm->mMat->Name() == name) {
            mdi->mdiArea()->setActiveSubWindow(sub);
            settle();
            return frm;
        }
    }
    fail(QStringLiteral("no window of %1").arg(name));
    return nullptr;
}

void takeShots(const QString &folder)
{
    Shots shots(folder);
    platform::ScriptedResponder responder;
    auto *mdi = new mdiVelkor;
    mdi->MDIForm_Load();
    mdi->showNormal();
    mdi->resize(1120, 860);
    settle();

    frmSearch *search = frmSearch::instance();
    if (!search) {
        fail(QStringLiteral("the search window did not open"));
        return;
    }
    for (const char *grade : SelectedGrades)
        selectGrade(search, QString::fromLatin1(grade));
    shots.save(search->window() == mdi ? search->parentWidget() : search, QStringLiteral("search-batch.png"));

    search->cmdSelections_Click(0);
    settle();
    frmMaterial2 *frm = showGrade(mdi, QString::fromLatin1(ShownGrade));
    if (!frm)
        return;
    QWidget *frame = frm->parentWidget();

    // The chart of the elevated-temperature strength and the enlarged chart window.
    frm->ShowTable(catalogue::key::Rp02);
    click(frm, QStringLiteral("CommandShowGraph"));
    shots.save(frame, QStringLiteral("chart.png"));
    shots.nextDialog(responder, QStringLiteral("chart-window.png"));
    click(frm, QStringLiteral("cmdPrintSave2"));

    // The design values and the choice of the file format for saving them.
    frm->ShowTable(catalogue::key::Design);
    if (auto *box = control<QLineEdit>(frm, QStringLiteral("txtDesignTemp")))
        box->setText(QString::fromLatin1(DesignTemperature));
    shots.save(frame, QStringLiteral("design-values.png"));
    shots.nextDialog(responder, QStringLiteral("save-format.png"),
                     [](QDialog &dialog) { click(&dialog, QStringLiteral("cmdSave1")); });
    click(frm, QStringLiteral("cmdPrintSave4"));

    // The tables to print, then the print preview of the report.
    shots.nextDialog(responder, QStringLiteral("select-data-print.png"),
                     [](QDialog &dialog) { click(&dialog, QStringLiteral("cmdSavePrint")); });
    // The preview smaller than it opens, so that the help window shows it whole.
    shots.nextDialog(responder, QStringLiteral("preview.png"), {}, [](QDialog &dialog) {
        dialog.resize(PreviewSize);
        if (auto *zoom = control<QComboBox>(&dialog, {}))
            zoom->setCurrentIndex(zoom->findText(QStringLiteral("75 %")));
    });
    mdi->mnuFileElem_Click(3);

    // The tables and the file format to save.
    shots.nextDialog(responder, QStringLiteral("select-data-save.png"),
                     [](QDialog &dialog) { click(&dialog, QStringLiteral("cmdCancel")); });
    mdi->mnuFileElem_Click(2);

    if (responder.count() != 0)
        fail(QStringLiteral("a message box came up: %1").arg(responder.messages().value(0).text));
    mdi->close();
    settle();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkhelpshots <program folder> <picture folder>\n");
        return 1;
    }
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    const QString config = home.filePath(QStringLiteral("screen.json"));
    {
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly) || file.write(ScreenConfig) < 0)
            return 1;
    }
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + QFile::encodeName(config));
    for (const char *variable : {"HOME", "APPDATA", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"})
        qputenv(variable, QFile::encodeName(home.filePath(QString::fromLatin1(variable))));

    QApplication app(argc, argv);
    product::identifyApplication();
    const QString program = home.filePath(QStringLiteral("program"));
    if (!makeProgramFolder(QString::fromLocal8Bit(argv[1]), program))
        return 1;
    const QString folder = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(folder);
    platform::setProgramFolder(program);
    modFileHandler::SetupFileEnvironment();
    takeShots(folder);
    return failed ? 1 : 0;
}
