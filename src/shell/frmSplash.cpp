#include "shell/frmSplash.h"

#include "controls/AccessibleRole.h"
#include "controls/BackColor.h"
#include "controls/Pictograms.h"
#include "core/ProductInfo.h"
#include "core/ProductPictures.h"
#include "core/modDBase.h"
#include "core/modFileHandler.h"
#include "platform/ErrorBoundary.h"
#include "platform/OleColor.h"
#include "platform/Twips.h"
#include "shell/mdiVelkor.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QScreen>
#include <QSysInfo>
#include <QTimer>

namespace {

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, double left, double top, double width,
                  double height)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    platform::moveTwips(label, left, top, width, height);
    return label;
}

QString platformName()
{
    QString kernel = QSysInfo::kernelType();
    if (!kernel.isEmpty())
        kernel[0] = kernel[0].toUpper();
    return kernel;
}

} // namespace

frmSplash::frmSplash(QWidget *parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    controls::setWindowRole(this, QAccessible::Window);
    setWindowTitle(product::ProductName);
    QGuiApplication::setWindowIcon(controls::programIcon());
    setFocusPolicy(Qt::StrongFocus);
    platform::resizeTwips(this, 7500, 4650);

    Frame1 = new QGroupBox(QStringLiteral("Double-Click To Start"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    platform::moveTwips(Frame1, 60, 0, 7380, 4590);

    lblBack = makeLabel(Frame1, "lblBack", {}, 120, 300, 7140, 1500);
    controls::setFrameBackColor(lblBack, 0xFEC7A5);

    imgLogo = makeLabel(Frame1, "imgLogo", {}, 300, 480, 900, 900);
    imgLogo->setPixmap(product::logoPicture(platform::twipsToPixels(900)));

    lblProductName = makeLabel(Frame1, "lblProductName", product::ProductName, 1380, 420, 3600, 720);
    QFont big = lblProductName->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    lblProductName->setFont(big);

    lblCompanyProduct = makeLabel(Frame1, "lblCompanyProduct",
                                  product::CompanyName + QStringLiteral(" ") + product::ProductName +
                                      QStringLiteral(": material data for pressure equipment"),
                                  1380, 1140, 5700, 360);

    lblPlatform = makeLabel(Frame1, "lblPlatform", platformName(), 5040, 420, 2100, 300);
    lblPlatform->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblVersion = makeLabel(Frame1, "lblVersion", {}, 5040, 720, 2100, 300);
    lblVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    imgVelkor = makeLabel(Frame1, "imgVelkor", {}, 240, 1920, 2700, 1500);
    imgVelkor->setPixmap(product::vesselPicture(platform::twipsToPixels(2700), platform::twipsToPixels(1500),
                                                product::VesselStance::Lying));

    lblCompany = makeLabel(Frame1, "lblCompany", product::CompanyName, 3120, 1980, 4080, 360);
    QFont bold = lblCompany->font();
    bold.setBold(true);
    lblCompany->setFont(bold);

    lblCopyright = makeLabel(Frame1, "lblCopyright", {}, 3120, 2400, 4080, 1200);
    lblCopyright->setWordWrap(true);
    lblCopyright->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    imgLogos = makeLabel(Frame1, "imgLogos", QStringLiteral("EN \u00B7 SS \u00B7 ASME"), 240, 3600, 2700, 360);
    imgLogos->setAlignment(Qt::AlignCenter);

    lblPress = makeLabel(Frame1, "lblPress", QStringLiteral("Press Any Key To Start...."), 3120, 3960, 4080, 360);
    lblPress->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    // A click on these reaches nothing.
    for (QWidget *w : std::initializer_list<QWidget *>{lblBack, imgLogos, lblPress})
        w->setAttribute(Qt::WA_NoMousePropagation);
    for (QWidget *w : std::initializer_list<QWidget *>{Frame1, imgLogo, imgVelkor, lblCompany, lblCompanyProduct,
                                                       lblCopyright, lblPlatform, lblProductName, lblVersion})
        w->installEventFilter(this);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    // To the millisecond: a coarse timer may hand over up to 150 ms early or late.
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
}

void frmSplash::Form_Load()
{
    modFileHandler::SetupFileEnvironment();
    // The database is read while the splash is shown; the main window's load opens it as before,
    // and reports what fails, but finds it read.
    modDBase::ReadAheadDBase(modDBase::MaterialDbName(), modDBase::PathFileName(), modDBase::MaterialPassword());
    Timer1->setInterval(3000);
    Timer1->start();
    lblVersion->setText(product::VersionText());
    lblCopyright->setText(product::LegalCopyright);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    activateWindow();
    setFocus();
}

void frmSplash::Timer1_Timer()
{
    Frame1_Click();
}

void frmSplash::Frame1_Click()
{
    // The main window's load shows modal dialogs, during which the timer, a key or a click may
    // arrive again.
    if (m_closing)
        return;
    m_closing = true;
    Timer1->stop();
    platform::guard(platform::OnError::AbsorbAny, [] {
        auto *main = new mdiVelkor;
        main->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<mdiVelkor> guard(main);
        // Absorbed: the main window stays as far as it got, so that the user can end the program.
        platform::guard(platform::OnError::AbsorbAny, [main] { main->MDIForm_Load(); });
        if (guard && !guard->Unloaded())
            guard->ShowOnScreen();
    });
    close();
}

void frmSplash::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    Frame1_Click();
}

bool frmSplash::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonDblClick) {
        Frame1_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
