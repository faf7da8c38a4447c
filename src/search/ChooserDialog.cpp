#include "search/ChooserDialog.h"

#include "core/ProgramWindow.h"
#include "db/DataControl.h"
#include "db/Recordset.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "search/Guarded.h"
#include "search/modDBaseChooser.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>

namespace search {

ChooserDialog::ChooserDialog(QWidget *parent) : QDialog(parent ? parent : platform::dialogParent())
{
    setModal(true);
    dtaSelect = new db::DataControl(this);
}

ChooserDialog::~ChooserDialog() = default;

bool ChooserDialog::toolTipsOn()
{
    const ProgramWindow *mdi = ProgramWindow::instance();
    return !mdi || mdi->blnToolTips;
}

void ChooserDialog::makeNavigation(QWidget *frame)
{
    const char *navText[4] = {"|<", "<", ">", ">|"};
    const char *navTips[4] = {"Move To First Record", "Move To Previous Record", "Move To Next Record",
                              "Move To Last Record"};
    for (int i = 0; i < 4; ++i) {
        cmdSelNav[i] = new QPushButton(QString::fromLatin1(navText[i]), frame);
        cmdSelNav[i]->setObjectName(QStringLiteral("cmdSelNav%1").arg(i));
        cmdSelNav[i]->setToolTip(QString::fromLatin1(navTips[i]));
        cmdSelNav[i]->setAccessibleName(QString::fromLatin1(navTips[i]));
        cmdSelNav[i]->setAutoDefault(false);
        connect(cmdSelNav[i], &QPushButton::clicked, this, [this, i] { guarded([&] { cmdSelNav_Click(i); }); });
    }
}

void ChooserDialog::makeFind(QWidget *frame)
{
    txtSearch = new QLineEdit(frame);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    txtSearch->setToolTip(QStringLiteral("Type in Find criteria here"));
    connect(txtSearch, &QLineEdit::textChanged, this, [this] { guarded([&] { txtSearch_Change(); }); });

    const char *findText[4] = {"&First", "&Prev", "&Next", "&Last"};
    const char *findTips[4] = {"Find First", "Find Previous", "Find Next", "Find Last"};
    for (int i = 0; i < 4; ++i) {
        cmdFind[i] = new QPushButton(QString::fromLatin1(findText[i]), frame);
        cmdFind[i]->setObjectName(QStringLiteral("cmdFind%1").arg(i));
        cmdFind[i]->setToolTip(QString::fromLatin1(findTips[i]));
        cmdFind[i]->setAutoDefault(false);
        connect(cmdFind[i], &QPushButton::clicked, this, [this, i] { guarded([&] { cmdFind_Click(i); }); });
    }
}

void ChooserDialog::makeSelectCancel(QWidget *frame)
{
    cmdSelect = new QPushButton(QStringLiteral("&Select"), frame);
    cmdSelect->setObjectName(QStringLiteral("cmdSelect"));
    cmdSelect->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), frame);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    connect(cmdSelect, &QPushButton::clicked, this, [this] { guarded([&] { cmdSelect_Click(); }); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { guarded([&] { cmdCancel_Click(); }); });
}

void ChooserDialog::clearTipsWhenOff()
{
    if (toolTipsOn())
        return;
    for (QPushButton *button : cmdSelNav)
        button->setToolTip(QString());
    for (QPushButton *button : cmdFind)
        button->setToolTip(QString());
    txtSearch->setToolTip(QString());
}

void ChooserDialog::showFindTips()
{
    if (!toolTipsOn())
        return;
    const QString text = txtSearch->text();
    cmdFind[modDBase::MoveFirst]->setToolTip(QStringLiteral("Find First '") + text + QStringLiteral("'"));
    cmdFind[modDBase::MovePrevious]->setToolTip(QStringLiteral("Find Previous '") + text + QStringLiteral("'"));
    cmdFind[modDBase::MoveNext]->setToolTip(QStringLiteral("Find Next '") + text + QStringLiteral("'"));
    cmdFind[modDBase::MoveLast]->setToolTip(QStringLiteral("Find Last '") + text + QStringLiteral("'"));
}

void ChooserDialog::findRecord(db::Recordset *rs, int index, const QString &criteria)
{
    switch (index) {
    case modDBase::MoveFirst: rs->findFirst(criteria); break;
    case modDBase::MovePrevious: rs->findPrevious(criteria); break;
    case modDBase::MoveNext: rs->findNext(criteria); break;
    case modDBase::MoveLast: rs->findLast(criteria); break;
    default: break;
    }
}

void ChooserDialog::cmdSelNav_Click(int Index)
{
    modDBase::RecordNavigate(dtaSelect->recordset(), qint16(Index));
}

void ChooserDialog::cmdCancel_Click()
{
    modDBase::SetSelection(QString());
    QDialog::reject();
}

void ChooserDialog::reject()
{
    cmdCancel_Click();
}

void ChooserDialog::done(int result)
{
    if (!m_unloaded) {
        m_unloaded = true;
        guarded([&] { Form_Unload(); });
    }
    QDialog::done(result);
}

void ChooserDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        guarded([&] { Form_Activate(); });
    }
}

void ChooserDialog::rememberLayout(std::vector<QWidget *> frames, QWidget *list)
{
    m_frames = std::move(frames);
    m_frameLeft.clear();
    m_frameTop.clear();
    for (QWidget *frame : m_frames) {
        m_frameLeft.push_back(platform::leftTwips(frame));
        m_frameTop.push_back(platform::topTwips(frame));
    }
    m_loadWidth = platform::widthTwips(this);
    m_loadHeight = platform::heightTwips(this);
    m_list = list;
    m_listWidth = platform::widthTwips(list);
    m_listHeight = platform::heightTwips(list);
}

void ChooserDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (m_loadWidth > 0 && !m_resizing)
        guarded([&] { Form_Resize(); });
}

void ChooserDialog::Form_Resize()
{
    {
        // Growing the dialog back to its load size resizes it again; that nested event is skipped.
        m_resizing = true;
        const auto resized = qScopeGuard([this] { m_resizing = false; });
        if (platform::heightTwips(this) < m_loadHeight)
            platform::resizeTwips(this, platform::widthTwips(this), m_loadHeight);
        if (platform::widthTwips(this) < m_loadWidth)
            platform::resizeTwips(this, m_loadWidth, platform::heightTwips(this));
    }
    const double dw = platform::widthTwips(this) - m_loadWidth;
    const double dh = platform::heightTwips(this) - m_loadHeight;
    for (std::size_t i = 0; i < m_frames.size(); ++i)
        platform::moveTwips(m_frames[i], m_frameLeft[i] + dw, m_frameTop[i] + dh, platform::widthTwips(m_frames[i]),
                            platform::heightTwips(m_frames[i]));
    platform::resizeTwips(m_list, m_listWidth + dw, m_listHeight + dh);
}

} // namespace search
