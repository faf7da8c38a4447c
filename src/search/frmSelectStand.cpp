#include "search/frmSelectStand.h"

#include "core/ProgramWindow.h"
#include "db/Database.h"
#include "db/DataControl.h"
#include "db/Recordset.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "platform/VbConv.h"
#include "platform/VbError.h"
#include "search/DataBoundList.h"
#include "search/Guarded.h"
#include "search/modDBaseChooser.h"

#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>

using platform::moveTwips;
using search::guarded;

namespace {

bool toolTipsOn()
{
    const ProgramWindow *mdi = ProgramWindow::instance();
    return !mdi || mdi->blnToolTips;
}

QString fieldText(const db::Recordset *rs, const QString &field)
{
    if (!rs || rs->isClosed() || rs->bof() || rs->eof())
        return QString();
    return DataListModel::displayText(rs->field(field));
}

} // namespace

frmSelectStand::frmSelectStand(QWidget *parent) : QDialog(parent ? parent : platform::dialogParent())
{
    setObjectName(QStringLiteral("frmSelectStand"));
    setWindowTitle(QStringLiteral("Select Standard..."));
    setModal(true);

    dtaSelect = new db::DataControl(this);
    dtaProdForms = new db::DataControl(this);
    dtaProdForms->setRecordSource(QStringLiteral("select * from Materials where matId = 0 order by matId"));
    connect(dtaSelect, &db::DataControl::repositioned, this, [this] { guarded([&] { dtaSelect_Reposition(); }); });
    connect(dtaSelect, &db::DataControl::refreshed, this, [this] { guarded([&] { dtaSelect_Reposition(); }); });

    lstSelect = new QListWidget(this);
    lstSelect->setObjectName(QStringLiteral("lstSelect"));
    lstSelect->setAccessibleName(QStringLiteral("Standard"));
    moveTwips(lstSelect, 120, 120, 2655, 4305);
    connect(lstSelect, &QListWidget::currentRowChanged, this, [this] { guarded([&] { lstSelect_Click(); }); });
    connect(lstSelect, &QListWidget::itemDoubleClicked, this, [this] { guarded([&] { lstSelect_DblClick(); }); });

    const char *frameCaptions[4] = {"", "", "Find...", "Move..."};
    for (int i = 0; i < 4; ++i) {
        framSelect[i] = new QGroupBox(QString::fromLatin1(frameCaptions[i]), this);
        framSelect[i]->setObjectName(QStringLiteral("framSelect%1").arg(i));
    }
    moveTwips(framSelect[0], 2895, 60, 4455, 2940);
    moveTwips(framSelect[2], 2895, 3090, 2295, 1335);
    moveTwips(framSelect[3], 5265, 3090, 1005, 1335);
    moveTwips(framSelect[1], 6345, 3090, 1005, 1335);

    lblDescription = new QLabel(QStringLiteral("Description"), framSelect[0]);
    moveTwips(lblDescription, 120, 120, 4200, 255);
    txtDescription = new QPlainTextEdit(framSelect[0]);
    txtDescription->setAccessibleName(lblDescription->text());
    txtDescription->setReadOnly(true);
    txtDescription->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    moveTwips(txtDescription, 120, 375, 4215, 855);
    lblRevisionDate = new QLabel(QStringLiteral("Revision Date"), framSelect[0]);
    moveTwips(lblRevisionDate, 120, 1290, 4200, 255);
    txtRevisionDate = new QLineEdit(framSelect[0]);
    txtRevisionDate->setAccessibleName(lblRevisionDate->text());
    txtRevisionDate->setReadOnly(true);
    txtRevisionDate->setToolTip(QStringLiteral("Date Velkor-PED last updated for this Standard"));
    moveTwips(txtRevisionDate, 120, 1545, 1815, 315);
    lblProductForms = new QLabel(QStringLiteral("Product Forms"), framSelect[0]);
    moveTwips(lblProductForms, 120, 1920, 4200, 255);
    txtProductForms = new QPlainTextEdit(framSelect[0]);
    txtProductForms->setAccessibleName(lblProductForms->text());
    txtProductForms->setReadOnly(true);
    txtProductForms->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    moveTwips(txtProductForms, 120, 2175, 4215, 660);

    txtSearch = new QLineEdit(framSelect[2]);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    txtSearch->setToolTip(QStringLiteral("Type in Find criteria here"));
    moveTwips(txtSearch, 120, 300, 2055, 315);
    connect(txtSearch, &QLineEdit::textChanged, this, [this] { guarded([&] { txtSearch_Change(); }); });
    const char *findText[4] = {"&First", "&Prev", "&Next", "&Last"};
    const char *findTips[4] = {"Find First", "Find Previous", "Find Next", "Find Last"};
    for (int i = 0; i < 4; ++i) {
        cmdFind[i] = new QPushButton(QString::fromLatin1(findText[i]), framSelect[2]);
        cmdFind[i]->setToolTip(QString::fromLatin1(findTips[i]));
        cmdFind[i]->setAutoDefault(false);
        moveTwips(cmdFind[i], 120 + 525 * i, 780, 510, 375);
        connect(cmdFind[i], &QPushButton::clicked, this, [this, i] { guarded([&] { cmdFind_Click(i); }); });
    }

    const char *navText[4] = {"|<", "<", ">", ">|"};
    const char *navTips[4] = {"Move To First Record", "Move To Previous Record", "Move To Next Record",
                              "Move To Last Record"};
    for (int i = 0; i < 4; ++i) {
        cmdSelNav[i] = new QPushButton(QString::fromLatin1(navText[i]), framSelect[3]);
        cmdSelNav[i]->setToolTip(QString::fromLatin1(navTips[i]));
        cmdSelNav[i]->setAccessibleName(QString::fromLatin1(navTips[i]));
        cmdSelNav[i]->setAutoDefault(false);
        moveTwips(cmdSelNav[i], 105 + 405 * (i % 2), 300 + 465 * (i / 2), 390, 375);
        connect(cmdSelNav[i], &QPushButton::clicked, this, [this, i] { guarded([&] { cmdSelNav_Click(i); }); });
    }

    cmdSelect = new QPushButton(QStringLiteral("&Select"), framSelect[1]);
    cmdSelect->setDefault(true);
    moveTwips(cmdSelect, 90, 240, 825, 375);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), framSelect[1]);
    cmdCancel->setAutoDefault(false);
    moveTwips(cmdCancel, 90, 765, 825, 375);
    connect(cmdSelect, &QPushButton::clicked, this, [this] { guarded([&] { cmdSelect_Click(); }); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { guarded([&] { cmdCancel_Click(); }); });

    platform::resizeTwips(this, 7470, 4545);
}

frmSelectStand::~frmSelectStand() = default;

QString frmSelectStand::ListText() const
{
    const QListWidgetItem *item = lstSelect->currentItem();
    return item ? item->text() : QString();
}

void frmSelectStand::GetStandardList()
{
    m_standards.clear();
    db::Recordset *source = dtaSelect->recordset();
    if (!source)
        return;
    const std::unique_ptr<db::Recordset> rs = source->clone();
    if (rs->bof() && rs->eof())
        return;
    rs->moveLast();
    rs->moveFirst();
    const int count = rs->recordCount();
    for (int i = 0; i < count; ++i) {
        const QString standard = DataListModel::displayText(rs->field(QStringLiteral("standard")));
        lstSelect->addItem(standard);
        m_standards.append(standard);
        if (i < count - 1)
            rs->moveNext();
    }
    lstSelect->setCurrentRow(0);
}

void frmSelectStand::lstSelect_Click()
{
    db::Recordset *rs = dtaSelect->recordset();
    if (!rs || rs->isClosed() || lstSelect->currentRow() < 0)
        return;
    rs->findFirst(QStringLiteral("standard = '") + db::quoteText(ListText()) + QStringLiteral("'"));
}

void frmSelectStand::lstSelect_DblClick()
{
    cmdSelect_Click();
}

void frmSelectStand::dtaSelect_Reposition()
{
    ShowBoundFields();
    txtProductForms->clear();
    ShowProductForms();
}

void frmSelectStand::ShowBoundFields()
{
    const db::Recordset *rs = dtaSelect->recordset();
    txtDescription->setPlainText(fieldText(rs, QStringLiteral("description")));
    QString date;
    if (rs && !rs->isClosed() && !rs->bof() && !rs->eof()) {
        const QVariant value = rs->field(QStringLiteral("revision_date"));
        if (value.typeId() == QMetaType::QDate)
            date = platform::shortDate(value.toDate());
        else
            date = DataListModel::displayText(value);
    }
    txtRevisionDate->setText(date);
}

void frmSelectStand::ShowProductForms()
{
    const QString standard = ListText();
    if (standard.isEmpty())
        return;
    dtaProdForms->setRecordSource(QStringLiteral("select * from StandardProdForm where standard = '") +
                                  db::quoteText(standard) + QStringLiteral("'"));
    dtaProdForms->refresh();
    db::Recordset *rs = dtaProdForms->recordset();
    if (!rs || (rs->bof() && rs->eof()))
        return;
    rs->moveFirst();
    QString text = fieldText(rs, QStringLiteral("productForm"));
    for (rs->moveNext(); !rs->eof(); rs->moveNext())
        text += QStringLiteral(", ") + fieldText(rs, QStringLiteral("productForm"));
    txtProductForms->setPlainText(text);
}

void frmSelectStand::SyncListToRecord()
{
    const db::Recordset *rs = dtaSelect->recordset();
    if (!rs || rs->isClosed() || rs->bof() || rs->eof())
        return;
    const QString standard = fieldText(rs, QStringLiteral("standard"));
    const int i = m_standards.indexOf(standard);
    if (i >= 0)
        lstSelect->setCurrentRow(i);
}

void frmSelectStand::txtSearch_Change()
{
    db::Recordset *rs = dtaSelect->recordset();
    if (rs && !rs->isClosed()) {
        rs->findFirst(QStringLiteral("standard LIKE '*") + modDBase::LikeText(txtSearch->text()) +
                      QStringLiteral("*'"));
        SyncListToRecord();
    }
    if (toolTipsOn()) {
        const QString text = txtSearch->text();
        cmdFind[0]->setToolTip(QStringLiteral("Find First '") + text + QStringLiteral("'"));
        cmdFind[1]->setToolTip(QStringLiteral("Find Previous '") + text + QStringLiteral("'"));
        cmdFind[2]->setToolTip(QStringLiteral("Find Next '") + text + QStringLiteral("'"));
        cmdFind[3]->setToolTip(QStringLiteral("Find Last '") + text + QStringLiteral("'"));
    }
}

void frmSelectStand::cmdFind_Click(int Index)
{
    db::Recordset *rs = dtaSelect->recordset();
    if (!rs || rs->isClosed())
        return;
    const QString criteria =
        QStringLiteral("standard like '*") + modDBase::LikeText(txtSearch->text()) + QStringLiteral("*'");
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
    SyncListToRecord();
}

void frmSelectStand::cmdSelNav_Click(int Index)
{
    modDBase::RecordNavigate(dtaSelect->recordset(), qint16(Index));
    SyncListToRecord();
}

void frmSelectStand::cmdSelect_Click()
{
    modDBase::SetSelection(ListText());
    accept();
}

void frmSelectStand::cmdCancel_Click()
{
    modDBase::SetSelection(QString());
    QDialog::reject();
}

void frmSelectStand::reject()
{
    cmdCancel_Click();
}

void frmSelectStand::done(int result)
{
    guarded([&] { Form_Unload(); });
    QDialog::done(result);
}

void frmSelectStand::Form_Load()
{
    for (int i = 0; i < 4; ++i) {
        m_frameLeft[i] = platform::leftTwips(framSelect[i]);
        m_frameTop[i] = platform::topTwips(framSelect[i]);
    }
    m_loadWidth = platform::widthTwips(this);
    m_loadHeight = platform::heightTwips(this);
    m_listWidth = platform::widthTwips(lstSelect);
    m_listHeight = platform::heightTwips(lstSelect);
    if (!toolTipsOn()) {
        for (QPushButton *button : cmdSelNav)
            button->setToolTip(QString());
        for (QPushButton *button : cmdFind)
            button->setToolTip(QString());
        txtSearch->setToolTip(QString());
        txtRevisionDate->setToolTip(QString());
    }
}

void frmSelectStand::Form_Activate()
{
    dtaProdForms->setDatabaseName(modDBase::OpenDatabaseName());
    dtaProdForms->refresh();
    db::Recordset *rs = dtaSelect->recordset();
    if (rs && !rs->isClosed() && rs->recordCount() > 0)
        rs->moveFirst();
}

void frmSelectStand::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    db::Recordset *rs = dtaSelect->recordset();
    if (rs) {
        if (rs->editMode() != db::Recordset::dbEditNone)
            rs->cancelUpdate();
        rs->close();
    }
}

void frmSelectStand::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        guarded([&] { Form_Activate(); });
    }
}

void frmSelectStand::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (m_loadWidth > 0 && !m_resizing)
        guarded([&] { Form_Resize(); });
}

void frmSelectStand::Form_Resize()
{
    m_resizing = true;
    if (platform::heightTwips(this) < m_loadHeight)
        platform::resizeTwips(this, platform::widthTwips(this), m_loadHeight);
    if (platform::widthTwips(this) < m_loadWidth)
        platform::resizeTwips(this, m_loadWidth, platform::heightTwips(this));
    m_resizing = false;
    const double dw = platform::widthTwips(this) - m_loadWidth;
    const double dh = platform::heightTwips(this) - m_loadHeight;
    for (int i = 0; i < 4; ++i)
        moveTwips(framSelect[i], m_frameLeft[i] + dw, m_frameTop[i] + dh, platform::widthTwips(framSelect[i]),
                  platform::heightTwips(framSelect[i]));
    platform::resizeTwips(lstSelect, m_listWidth + dw, m_listHeight + dh);
}
