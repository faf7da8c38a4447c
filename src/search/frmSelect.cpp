#include "search/frmSelect.h"

#include "core/ProgramWindow.h"
#include "db/DataControl.h"
#include "db/Recordset.h"
#include "platform/Environment.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "platform/VbError.h"
#include "search/Guarded.h"
#include "search/modDBaseChooser.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

using platform::moveTwips;
using search::guarded;

namespace {

bool toolTipsOn()
{
    const ProgramWindow *mdi = ProgramWindow::instance();
    return !mdi || mdi->blnToolTips;
}

[[noreturn]] void raiseAgain(platform::VbError error, const char *tag)
{
    error.setSource(platform::exeName() + QLatin1String(tag));
    throw error;
}

} // namespace

frmSelect::frmSelect(QWidget *parent) : QDialog(parent ? parent : platform::dialogParent())
{
    setObjectName(QStringLiteral("frmSelect"));
    setWindowTitle(QStringLiteral("Select..."));
    setModal(true);

    dtaSelect = new db::DataControl(this);
    dtaSelect->setRecordSource(QStringLiteral("select * from Materials where matId = 0 order by matId"));

    dblSelect = new DataBoundList(this);
    dblSelect->setObjectName(QStringLiteral("dblSelect"));
    dblSelect->setDataSource(dtaSelect);
    moveTwips(dblSelect, 120, 120, 3000, 4215);

    const char *frameCaptions[3] = {"Move...", "Find...", ""};
    for (int i = 0; i < 3; ++i) {
        framSelect[i] = new QGroupBox(QString::fromLatin1(frameCaptions[i]), this);
        framSelect[i]->setObjectName(QStringLiteral("framSelect%1").arg(i));
    }
    moveTwips(framSelect[0], 3240, 60, 1455, 735);
    moveTwips(framSelect[1], 3240, 855, 1455, 1935);
    moveTwips(framSelect[2], 3240, 2910, 1455, 1425);

    const char *navText[4] = {"|<", "<", ">", ">|"};
    const char *navTips[4] = {"Move To First Record", "Move To Previous Record", "Move To Next Record",
                              "Move To Last Record"};
    for (int i = 0; i < 4; ++i) {
        cmdSelNav[i] = new QPushButton(QString::fromLatin1(navText[i]), framSelect[0]);
        cmdSelNav[i]->setToolTip(QString::fromLatin1(navTips[i]));
        cmdSelNav[i]->setAccessibleName(QString::fromLatin1(navTips[i]));
        cmdSelNav[i]->setAutoDefault(false);
        moveTwips(cmdSelNav[i], 90 + 330 * i, 300, 315, 330);
        connect(cmdSelNav[i], &QPushButton::clicked, this, [this, i] { guarded([&] { cmdSelNav_Click(i); }); });
    }

    txtSearch = new QLineEdit(framSelect[1]);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    txtSearch->setToolTip(QStringLiteral("Type in Find criteria here"));
    moveTwips(txtSearch, 120, 300, 1215, 315);
    connect(txtSearch, &QLineEdit::textChanged, this, [this] { guarded([&] { txtSearch_Change(); }); });

    const char *findText[4] = {"&First", "&Prev", "&Next", "&Last"};
    const char *findTips[4] = {"Find First", "Find Previous", "Find Next", "Find Last"};
    for (int i = 0; i < 4; ++i) {
        cmdFind[i] = new QPushButton(QString::fromLatin1(findText[i]), framSelect[1]);
        cmdFind[i]->setToolTip(QString::fromLatin1(findTips[i]));
        cmdFind[i]->setAutoDefault(false);
        moveTwips(cmdFind[i], 120 + 615 * (i % 2), 780 + 495 * (i / 2), 600, 375);
        connect(cmdFind[i], &QPushButton::clicked, this, [this, i] { guarded([&] { cmdFind_Click(i); }); });
    }

    cmdSelect = new QPushButton(QStringLiteral("&Select"), framSelect[2]);
    cmdSelect->setDefault(true);
    moveTwips(cmdSelect, 120, 240, 1215, 375);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), framSelect[2]);
    cmdCancel->setAutoDefault(false);
    moveTwips(cmdCancel, 120, 780, 1215, 375);
    connect(cmdSelect, &QPushButton::clicked, this, [this] { guarded([&] { cmdSelect_Click(); }); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { guarded([&] { cmdCancel_Click(); }); });
    connect(dblSelect, &DataBoundList::dblClick, this, [this] { guarded([&] { cmdSelect_Click(); }); });

    platform::resizeTwips(this, 4815, 4455);
}

frmSelect::~frmSelect() = default;

void frmSelect::Form_Load()
{
    try {
        for (int i = 0; i < 3; ++i) {
            m_frameLeft[i] = platform::leftTwips(framSelect[i]);
            m_frameTop[i] = platform::topTwips(framSelect[i]);
        }
        m_loadWidth = platform::widthTwips(this);
        m_loadHeight = platform::heightTwips(this);
        m_listWidth = platform::widthTwips(dblSelect);
        m_listHeight = platform::heightTwips(dblSelect);
        if (!toolTipsOn()) {
            for (QPushButton *button : cmdSelNav)
                button->setToolTip(QString());
            for (QPushButton *button : cmdFind)
                button->setToolTip(QString());
            txtSearch->setToolTip(QString());
        }
    } catch (const platform::VbError &error) {
        raiseAgain(error, "frm.Select.frm.Form_Load");
    }
}

void frmSelect::Form_Activate()
{
    try {
        dtaSelect->setDatabaseName(modDBase::OpenDatabaseName());
        dtaSelect->refresh();
        db::Recordset *rs = dtaSelect->recordset();
        if (rs && rs->recordCount() > 0)
            rs->moveFirst();
    } catch (const platform::VbError &) {
        m_noData = true;
        for (QPushButton *button : cmdFind)
            button->setEnabled(false);
        for (QPushButton *button : cmdSelNav)
            button->setEnabled(false);
        txtSearch->setEnabled(false);
        dblSelect->refill();
    }
}

QString frmSelect::Criteria() const
{
    return dblSelect->listField() + QStringLiteral(" LIKE '*") + modDBase::LikeText(txtSearch->text()) +
           QStringLiteral("*'");
}

void frmSelect::txtSearch_Change()
{
    try {
        db::Recordset *rs = dtaSelect->recordset();
        if (rs && !m_noData) {
            rs->findFirst(Criteria());
            dblSelect->update();
        }
        if (toolTipsOn()) {
            const QString text = txtSearch->text();
            cmdFind[0]->setToolTip(QStringLiteral("Find First '") + text + QStringLiteral("'"));
            cmdFind[1]->setToolTip(QStringLiteral("Find Previous '") + text + QStringLiteral("'"));
            cmdFind[2]->setToolTip(QStringLiteral("Find Next '") + text + QStringLiteral("'"));
            cmdFind[3]->setToolTip(QStringLiteral("Find Last '") + text + QStringLiteral("'"));
        }
    } catch (const platform::VbError &error) {
        raiseAgain(error, "frm.Select.frm.txtSearch_Change");
    }
}

void frmSelect::cmdFind_Click(int Index)
{
    try {
        db::Recordset *rs = dtaSelect->recordset();
        if (!rs || m_noData)
            return;
        const QString criteria = Criteria();
        switch (Index) {
        case 0:
            rs->findFirst(criteria);
            break;
        case 1:
            rs->findPrevious(criteria);
            break;
        case 2:
            rs->findNext(criteria);
            break;
        case 3:
            rs->findLast(criteria);
            break;
        default:
            break;
        }
        dblSelect->update();
    } catch (const platform::VbError &error) {
        raiseAgain(error, "frm.Select.frm.cmdFind_Click");
    }
}

void frmSelect::cmdSelNav_Click(int Index)
{
    modDBase::RecordNavigate(dtaSelect->recordset(), qint16(Index));
}

void frmSelect::cmdSelect_Click()
{
    modDBase::SetSelection(m_noData ? QString() : dblSelect->boundText());
    accept();
}

void frmSelect::cmdCancel_Click()
{
    modDBase::SetSelection(QString());
    QDialog::reject();
}

void frmSelect::reject()
{
    cmdCancel_Click();
}

void frmSelect::done(int result)
{
    guarded([&] { Form_Unload(); });
    QDialog::done(result);
}

void frmSelect::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    try {
        db::Recordset *rs = dtaSelect->recordset();
        if (!m_noData && rs) {
            if (rs->editMode() != db::Recordset::dbEditNone)
                rs->cancelUpdate();
            rs->close();
        }
    } catch (const platform::VbError &error) {
        raiseAgain(error, "frm.Select.frm.Form_Unload");
    }
}

void frmSelect::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        Form_Activate();
    }
}

void frmSelect::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (m_loadWidth > 0 && !m_resizing)
        guarded([&] { Form_Resize(); });
}

void frmSelect::Form_Resize()
{
    try {
        m_resizing = true;
        if (platform::heightTwips(this) < m_loadHeight)
            platform::resizeTwips(this, platform::widthTwips(this), m_loadHeight);
        if (platform::widthTwips(this) < m_loadWidth)
            platform::resizeTwips(this, m_loadWidth, platform::heightTwips(this));
        m_resizing = false;
        const double dw = platform::widthTwips(this) - m_loadWidth;
        const double dh = platform::heightTwips(this) - m_loadHeight;
        for (int i = 0; i < 3; ++i)
            moveTwips(framSelect[i], m_frameLeft[i] + dw, m_frameTop[i] + dh, platform::widthTwips(framSelect[i]),
                      platform::heightTwips(framSelect[i]));
        platform::resizeTwips(dblSelect, m_listWidth + dw, m_listHeight + dh);
    } catch (const platform::VbError &error) {
        m_resizing = false;
        raiseAgain(error, "frm.Select.frm.Form_Resize");
    }
}
