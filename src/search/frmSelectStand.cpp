#include "search/frmSelectStand.h"

#include "db/DataControl.h"
#include "db/Database.h"
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

QString fieldText(const db::Recordset *rs, const QString &field)
{
    if (!rs || rs->isClosed() || rs->bof() || rs->eof())
        return QString();
    return DataListModel::displayText(rs->field(field));
}

} // namespace

frmSelectStand::frmSelectStand(QWidget *parent) : ChooserDialog(parent)
{
    setObjectName(QStringLiteral("frmSelectStand"));
    setWindowTitle(QStringLiteral("Select Standard..."));

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

    const char *frameCaptions[Frames] = {"", "", "Find...", "Move..."};
    for (int i = 0; i < Frames; ++i) {
        framSelect[i] = new QGroupBox(QString::fromLatin1(frameCaptions[i]), this);
        framSelect[i]->setObjectName(QStringLiteral("framSelect%1").arg(i));
    }
    moveTwips(framSelect[DescriptionFrame], 2895, 60, 4455, 2940);
    moveTwips(framSelect[FindFrame], 2895, 3090, 2295, 1335);
    moveTwips(framSelect[MoveFrame], 5265, 3090, 1005, 1335);
    moveTwips(framSelect[ChooseFrame], 6345, 3090, 1005, 1335);

    lblDescription = new QLabel(QStringLiteral("Description"), framSelect[DescriptionFrame]);
    moveTwips(lblDescription, 120, 120, 4200, 255);
    txtDescription = new QPlainTextEdit(framSelect[DescriptionFrame]);
    txtDescription->setObjectName(QStringLiteral("txtDescription"));
    txtDescription->setAccessibleName(lblDescription->text());
    txtDescription->setReadOnly(true);
    txtDescription->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    moveTwips(txtDescription, 120, 375, 4215, 855);
    lblRevisionDate = new QLabel(QStringLiteral("Revision Date"), framSelect[DescriptionFrame]);
    moveTwips(lblRevisionDate, 120, 1290, 4200, 255);
    txtRevisionDate = new QLineEdit(framSelect[DescriptionFrame]);
    txtRevisionDate->setObjectName(QStringLiteral("txtRevisionDate"));
    txtRevisionDate->setAccessibleName(lblRevisionDate->text());
    txtRevisionDate->setReadOnly(true);
    txtRevisionDate->setToolTip(QStringLiteral("Date Velkor-PED last updated for this Standard"));
    moveTwips(txtRevisionDate, 120, 1545, 1815, 315);
    lblProductForms = new QLabel(QStringLiteral("Product Forms"), framSelect[DescriptionFrame]);
    moveTwips(lblProductForms, 120, 1920, 4200, 255);
    txtProductForms = new QPlainTextEdit(framSelect[DescriptionFrame]);
    txtProductForms->setObjectName(QStringLiteral("txtProductForms"));
    txtProductForms->setAccessibleName(lblProductForms->text());
    txtProductForms->setReadOnly(true);
    txtProductForms->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    moveTwips(txtProductForms, 120, 2175, 4215, 660);

    makeFind(framSelect[FindFrame]);
    moveTwips(txtSearch, 120, 300, 2055, 315);
    for (int i = 0; i < 4; ++i)
        moveTwips(cmdFind[i], 120 + 525 * i, 780, 510, 375);

    makeNavigation(framSelect[MoveFrame]);
    for (int i = 0; i < 4; ++i)
        moveTwips(cmdSelNav[i], 105 + 405 * (i % 2), 300 + 465 * (i / 2), 390, 375);

    makeSelectCancel(framSelect[ChooseFrame]);
    moveTwips(cmdSelect, 90, 240, 825, 375);
    moveTwips(cmdCancel, 90, 765, 825, 375);

    platform::resizeTwips(this, 7470, 4545);
}

frmSelectStand::~frmSelectStand() = default;

QString frmSelectStand::ListText() const
{
    const QListWidgetItem *item = lstSelect->currentItem();
    return item ? item->text() : QString();
}

void frmSelectStand::ListStandards(const QString &strDbName, const QString &strSQL)
{
    dtaProdForms->setDatabaseName(strDbName);
    dtaSelect->setDatabaseName(strDbName);
    dtaSelect->setRecordSource(strSQL);
    dtaSelect->refresh();
    GetStandardList();
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
    showFindTips();
}

void frmSelectStand::cmdFind_Click(int Index)
{
    db::Recordset *rs = dtaSelect->recordset();
    if (!rs || rs->isClosed())
        return;
    findRecord(rs, Index,
               QStringLiteral("standard like '*") + modDBase::LikeText(txtSearch->text()) + QStringLiteral("*'"));
    SyncListToRecord();
}

void frmSelectStand::cmdSelNav_Click(int Index)
{
    ChooserDialog::cmdSelNav_Click(Index);
    SyncListToRecord();
}

void frmSelectStand::cmdSelect_Click()
{
    modDBase::SetSelection(ListText());
    accept();
}

void frmSelectStand::Form_Load()
{
    rememberLayout({framSelect.begin(), framSelect.end()}, lstSelect);
    clearTipsWhenOff();
    if (!toolTipsOn())
        txtRevisionDate->setToolTip(QString());
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
    db::Recordset *rs = dtaSelect->recordset();
    if (rs)
        rs->close();
}
