#include "shell/frmAbout.h"

#include "core/ProductInfo.h"
#include "core/ProductPictures.h"
#include "core/frmAgreement.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "platform/VbError.h"
#include "search/frmSearch.h"
#include "shell/mdiVelkor.h"

#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// The locale's short date, its year always written with four digits.
QString shortDateText(const QDate &date)
{
    if (!date.isValid())
        return QString();
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return QLocale().toString(date, format);
}

void showStatus(int code)
{
    if (mdiVelkor *mdi = mdiVelkor::instance()) {
        try {
            mdi->ShowStatus(code);
        } catch (const platform::VbError &) {
        }
    }
}

} // namespace

frmAbout::frmAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    platform::resizeTwips(this, 7200, 5160);
    setFixedSize(size());

    imgIcon = new QLabel(this);
    imgIcon->setObjectName(QStringLiteral("imgIcon"));
    platform::moveTwips(imgIcon, 240, 240, 720, 720);
    imgIcon->setPixmap(product::logoPicture(platform::twipsToPixels(720)));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    platform::moveTwips(Image1, 240, 1200, 720, 2400);
    Image1->setPixmap(product::vesselPicture(platform::twipsToPixels(720), platform::twipsToPixels(2400),
                                             product::VesselStance::Standing));

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    platform::moveTwips(Frame1, 1140, 120, 5880, 1440);
    lblTitle = new QLabel(Frame1);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    platform::moveTwips(lblTitle, 180, 150, 5520, 480);
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    lblTitle->setFont(big);
    lblVersion = new QLabel(Frame1);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    platform::moveTwips(lblVersion, 180, 690, 5520, 300);
    lblLastUpdated = new QLabel(Frame1);
    lblLastUpdated->setObjectName(QStringLiteral("lblLastUpdated"));
    platform::moveTwips(lblLastUpdated, 180, 1020, 5520, 300);

    lblDescription = new QLabel(this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    platform::moveTwips(lblDescription, 1140, 1680, 5880, 660);
    lblDescription->setWordWrap(true);
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDescription->setText(product::ProductName +
                            QStringLiteral(" gives read-only access to material data of European EN steel grades "
                                           "for the design of pressure equipment."));

    lblCopyright = new QLabel(this);
    lblCopyright->setObjectName(QStringLiteral("lblCopyright"));
    platform::moveTwips(lblCopyright, 1140, 2400, 5880, 900);
    lblCopyright->setWordWrap(true);
    lblCopyright->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont small = lblCopyright->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    lblCopyright->setFont(small);

    framContact = new QGroupBox(this);
    framContact->setObjectName(QStringLiteral("framContact"));
    platform::moveTwips(framContact, 1140, 3360, 5880, 1020);
    Label1 = new QLabel(QStringLiteral("Contact:"), framContact);
    Label1->setObjectName(QStringLiteral("Label1"));
    platform::moveTwips(Label1, 120, 180, 900, 300);
    txtContact = new QPlainTextEdit(framContact);
    txtContact->setObjectName(QStringLiteral("txtContact"));
    txtContact->setAccessibleName(QStringLiteral("Contact"));
    platform::moveTwips(txtContact, 1080, 150, 4680, 780);
    txtContact->setReadOnly(true);

    Frame2 = new QGroupBox(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    platform::moveTwips(Frame2, 120, 4440, 6900, 600);
    cmdAgreement = new QPushButton(QStringLiteral("License &Agreement"), Frame2);
    cmdAgreement->setObjectName(QStringLiteral("cmdAgreement"));
    cmdAgreement->setToolTip(QStringLiteral("View License Agreement..."));
    platform::moveTwips(cmdAgreement, 120, 120, 2100, 390);
    cmdOK = new QPushButton(QStringLiteral("Return to Program"), Frame2);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    platform::moveTwips(cmdOK, 4680, 120, 2100, 390);
    cmdOK->setDefault(true);

    connect(cmdAgreement, &QPushButton::clicked, this, &frmAbout::cmdAgreement_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
}

QString frmAbout::ContactText()
{
    return QStringLiteral("For questions about ") + product::ProductName +
           QStringLiteral(", its data or your licence, contact ") + product::CompanyName +
           QStringLiteral(" through the supplier from whom you obtained the program.");
}

void frmAbout::ShowModal(QWidget *owner)
{
    frmAbout dialog(owner ? owner : platform::dialogParent());
    dialog.Form_Load();
    platform::runModal(dialog);
}

void frmAbout::Form_Load()
{
    setWindowTitle(QStringLiteral("About ") + platform::appTitle());
    lblVersion->setText(product::VersionText());
    lblTitle->setText(platform::appTitle());
    lblCopyright->setText(product::LegalCopyright);
    txtContact->setPlainText(ContactText());
    QDate lastUpdated;
    if (const frmSearch *search = frmSearch::instance())
        lastUpdated = search->LastUpdated();
    // Without a date (an empty standard table) the label names none.
    lblLastUpdated->setText(QStringLiteral("Last Updated - ") + shortDateText(lastUpdated));
    setTabOrder(cmdOK, cmdAgreement);
    setTabOrder(cmdAgreement, txtContact);
    cmdOK->setFocus();
}

void frmAbout::cmdAgreement_Click()
{
    showStatus(status::Passing + status::Agreement);
    frmAgreement::ShowModal(this);
    showStatus(status::Passing + status::About);
}

void frmAbout::cmdOK_Click()
{
    accept();
}
