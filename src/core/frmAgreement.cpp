#include "core/frmAgreement.h"

#include "controls/RichTextBox.h"
#include "core/ProductInfo.h"
#include "platform/Environment.h"
#include "platform/ErrorBoundary.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "platform/VbError.h"

#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>

using platform::heightTwips;
using platform::leftTwips;
using platform::topTwips;
using platform::widthTwips;

frmAgreement::frmAgreement(QWidget *parent) : QDialog(parent), m_printer(std::make_unique<QPrinter>())
{
    setObjectName(QStringLiteral("frmAgreement"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    platform::resizeTwips(this, 9600, 7200);

    rtfAgreement = new controls::RichTextBox(this);
    rtfAgreement->setObjectName(QStringLiteral("rtfAgreement"));
    rtfAgreement->setAccessibleName(QStringLiteral("License Agreement"));
    platform::moveTwips(rtfAgreement, 120, 120, 9360, 6360);

    cmdPrint = new QPushButton(QStringLiteral("&Print..."), this);
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    platform::moveTwips(cmdPrint, 120, 6630, 1500, 420);
    cmdReturn = new QPushButton(QStringLiteral("&Return"), this);
    cmdReturn->setObjectName(QStringLiteral("cmdReturn"));
    platform::moveTwips(cmdReturn, 1740, 6630, 1500, 420);
    cmdReturn->setDefault(true);

    connect(cmdPrint, &QPushButton::clicked, this, &frmAgreement::cmdPrint_Click);
    connect(cmdReturn, &QPushButton::clicked, this, &frmAgreement::cmdReturn_Click);
}

frmAgreement::~frmAgreement() = default;

void frmAgreement::ShowModal(QWidget *owner)
{
    frmAgreement dialog(owner ? owner : platform::dialogParent());
    dialog.Form_Load();
    platform::runModal(dialog);
}

QString frmAgreement::AgreementPath()
{
    return platform::programFolder() + QLatin1Char('/') + platform::exeName() + QStringLiteral("_License.rtf");
}

void frmAgreement::Form_Load()
{
    setWindowTitle(product::ProductName + QStringLiteral(" License Agreement"));
    try {
        rtfAgreement->LoadFile(AgreementPath());
    } catch (const platform::VbError &) {
        // A missing or unreadable document leaves the viewer open on an empty text.
    }
    m_minWidth = widthTwips(this);
    m_minHeight = heightTwips(this);
    m_textRightMargin = m_minWidth - leftTwips(rtfAgreement) - widthTwips(rtfAgreement);
    m_textBottomMargin = m_minHeight - topTwips(rtfAgreement) - heightTwips(rtfAgreement);
    m_buttonBottomDistance = m_minHeight - topTwips(cmdPrint);
}

void frmAgreement::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmAgreement::Form_Resize()
{
    if (isMinimized() || m_minWidth <= 0)
        return;
    const double width = widthTwips(this);
    const double height = heightTwips(this);
    if (width < m_minWidth || height < m_minHeight) {
        platform::resizeTwips(this, qMax(width, m_minWidth), qMax(height, m_minHeight));
        return;
    }
    platform::moveTwips(rtfAgreement, leftTwips(rtfAgreement), topTwips(rtfAgreement),
                        width - leftTwips(rtfAgreement) - m_textRightMargin,
                        height - topTwips(rtfAgreement) - m_textBottomMargin);
    for (QPushButton *button : {cmdPrint, cmdReturn})
        platform::moveTwips(button, leftTwips(button), height - m_buttonBottomDistance, widthTwips(button),
                            heightTwips(button));
}

void frmAgreement::cmdPrint_Click()
{
    platform::guard(
        platform::OnError::ShowErrorNo,
        [this] {
            m_printer->setPrintRange(rtfAgreement->SelLength() == 0 ? QPrinter::AllPages : QPrinter::Selection);
            if (platform::showPrinter(m_printer.get()))
                rtfAgreement->SelPrint(m_printer.get());
        },
        QStringLiteral("Error occurred..."));
}

void frmAgreement::cmdReturn_Click()
{
    accept();
}
