#include "search/frmSelect.h"

#include "db/DataControl.h"
#include "db/Recordset.h"
#include "platform/Environment.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "platform/VbError.h"
#include "search/Guarded.h"
#include "search/modDBaseChooser.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

using platform::moveTwips;
using search::guarded;

namespace {

[[noreturn]] void raiseAgain(platform::VbError error, const char *tag)
{
    error.setSource(platform::exeName() + QLatin1String(tag));
    throw error;
}

} // namespace

frmSelect::frmSelect(QWidget *parent) : ChooserDialog(parent)
{
    setObjectName(QStringLiteral("frmSelect"));
    setWindowTitle(QStringLiteral("Select..."));

    dtaSelect->setRecordSource(QStringLiteral("select * from Materials where matId = 0 order by matId"));

    dblSelect = new DataBoundList(this);
    dblSelect->setObjectName(QStringLiteral("dblSelect"));
    dblSelect->setDataSource(dtaSelect);
    moveTwips(dblSelect, 120, 120, 3000, 4215);

    const char *frameCaptions[Frames] = {"Move...", "Find...", ""};
    for (int i = 0; i < Frames; ++i) {
        framSelect[i] = new QGroupBox(QString::fromLatin1(frameCaptions[i]), this);
        framSelect[i]->setObjectName(QStringLiteral("framSelect%1").arg(i));
    }
    moveTwips(framSelect[MoveFrame], 3240, 60, 1455, 735);
    moveTwips(framSelect[FindFrame], 3240, 855, 1455, 1935);
    moveTwips(framSelect[ChooseFrame], 3240, 2910, 1455, 1425);

    makeNavigation(framSelect[MoveFrame]);
    for (int i = 0; i < 4; ++i)
        moveTwips(cmdSelNav[i], 90 + 330 * i, 300, 315, 330);

    makeFind(framSelect[FindFrame]);
    moveTwips(txtSearch, 120, 300, 1215, 315);
    for (int i = 0; i < 4; ++i)
        moveTwips(cmdFind[i], 120 + 615 * (i % 2), 780 + 495 * (i / 2), 600, 375);

    makeSelectCancel(framSelect[ChooseFrame]);
    moveTwips(cmdSelect, 120, 240, 1215, 375);
    moveTwips(cmdCancel, 120, 780, 1215, 375);
    connect(dblSelect, &DataBoundList::dblClick, this, [this] { guarded([&] { cmdSelect_Click(); }); });

    platform::resizeTwips(this, 4815, 4455);
}

frmSelect::~frmSelect() = default;

void frmSelect::Form_Load()
{
    try {
        rememberLayout({framSelect.begin(), framSelect.end()}, dblSelect);
        clearTipsWhenOff();
    } catch (const platform::VbError &error) {
        raiseAgain(error, "frm.Select.frm.Form_Load");
    }
}

void frmSelect::ListValues(const QString &strDbName, const QString &strSQL, const QString &strField,
                           const QString &strNoun)
{
    dtaSelect->setDatabaseName(strDbName);
    dtaSelect->setRecordSource(strSQL);
    dblSelect->setListField(strField);
    dblSelect->setBoundColumn(strField);
    dblSelect->refill();
    setWindowTitle(QStringLiteral("Select '") + strNoun + QStringLiteral("'"));
    dblSelect->setAccessibleName(strNoun);
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
        showFindTips();
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
        findRecord(rs, Index, Criteria());
        dblSelect->update();
    } catch (const platform::VbError &error) {
        raiseAgain(error, "frm.Select.frm.cmdFind_Click");
    }
}

void frmSelect::cmdSelect_Click()
{
    modDBase::SetSelection(m_noData ? QString() : dblSelect->boundText());
    accept();
}

void frmSelect::Form_Unload()
{
    try {
        db::Recordset *rs = dtaSelect->recordset();
        if (!m_noData && rs)
            rs->close();
    } catch (const platform::VbError &error) {
        raiseAgain(error, "frm.Select.frm.Form_Unload");
    }
}

void frmSelect::Form_Resize()
{
    try {
        ChooserDialog::Form_Resize();
    } catch (const platform::VbError &error) {
        raiseAgain(error, "frm.Select.frm.Form_Resize");
    }
}
