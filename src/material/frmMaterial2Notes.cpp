#include "material/frmMaterial2.h"

#include "controls/DataGrid.h"
#include "core/TableCatalogue.h"
#include "core/modDBase.h"
#include "db/DataControl.h"
#include "db/Database.h"
#include "material/MainWindowLink.h"
#include "material/NoDataNote.h"
#include "material/TextBox.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "platform/VbConv.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace platform;

namespace {

void setHeightTwips(QWidget *w, double height)
{
    moveTwips(w, leftTwips(w), topTwips(w), widthTwips(w), height);
}

} // namespace

void frmMaterial2::SetNotesPicture(int picture)
{
    m_notesPicture = picture;
    cmdShowNotes->setIcon(QIcon(imgUpDown[picture]));
}

void frmMaterial2::ShowNotesPane(const QString &mode)
{
    const bool show = mode == QLatin1String("show");
    moveTwips(framNotes, leftTwips(framNotes), show ? 2520 : 4080, widthTwips(framNotes), show ? 1935 : 375);
    setHeightTwips(framOptions, show ? 2175 : 3735);
    setHeightTwips(tdbBoundTable, show ? 2175 : 3735);
    setHeightTwips(tdbTable, show ? 2175 : 3735);
    if (mainlink::ToolTipsOn())
        cmdShowNotes->setToolTip(show ? QStringLiteral("Hide Table Notes") : QStringLiteral("Show Table Notes"));
    setHeightTwips(framNoData, show ? 2175 : 3735);
    setHeightTwips(txtNoData, show ? 1775 : 3335);
    KeepNotesBoxReachable();
}

void frmMaterial2::KeepNotesBoxReachable()
{
    // The closed strip shows the notes button and caption only: Tab passes over the box below them.
    txtNotes->setFocusPolicy(framNotes->rect().contains(txtNotes->geometry()) ? Qt::StrongFocus : Qt::NoFocus);
}

void frmMaterial2::cmdShowNotes_Click()
{
    if (m_notesPicture == NotesClosed || m_notesPicture == NotesBlinking) {
        SetNotesPicture(NotesOpen);
        ShowNotesPane(QStringLiteral("show"));
    } else if (m_notesPicture == NotesOpen) {
        SetNotesPicture(NotesClosed);
        ShowNotesPane(QStringLiteral("hide"));
    }
}

void frmMaterial2::TimerFlash_Timer()
{
    if (m_notesPicture == NotesClosed)
        SetNotesPicture(NotesBlinking);
    else if (m_notesPicture == NotesBlinking)
        SetNotesPicture(NotesClosed);
}

void frmMaterial2::ShowNoDataNote(const QString &strTable)
{
    controls::DataGrid *grid = nullptr;
    if (!catalogue::IsUnbound(strTable)) {
        m_graphView = false;
        ShowGraphView(false);
        grid = tdbBoundTable;
        CommandShowGraph->hide();
        CommandShowTable->hide();
    } else {
        grid = tdbTable;
        cmdUnBoundGraph->hide();
    }
    moveTwips(framNoData, leftTwips(grid), topTwips(grid), widthTwips(grid), heightTwips(grid));
    grid->hide();
    framNoData->show();
    framNoData->raise();
    moveTwips(txtNoData, 200, 200, widthTwips(framNoData) - 400, heightTwips(framNoData) - 400);
    txtNoData->show();
    textbox::setText(txtNoData, BuildNoDataNote(*mMat, strTable, true, true));
}

QString frmMaterial2::RecordTableNotes(const QString &strTable, QString text)
{
    dtaNotes->setRecordSource(QStringLiteral("select * from MatNotes where matID = ") + QString::number(mMat->ID()) +
                              QStringLiteral(" and tableName = '") + db::quoteText(strTable) +
                              QStringLiteral("' order by ordering"));
    dtaNotes->refresh();
    // Only the texts of this material's notes: the whole table grows with the database.
    dtaTableNotes->setRecordSource(
        QStringLiteral("select * from TableNotes where tableName = '") + db::quoteText(strTable) +
        QStringLiteral("' and notID in (select notID from MatNotes where matID = ") + QString::number(mMat->ID()) +
        QStringLiteral(" and tableName = '") + db::quoteText(strTable) + QStringLiteral("')"));
    dtaTableNotes->refresh();

    db::Recordset *notes = dtaNotes->recordset();
    db::Recordset *texts = dtaTableNotes->recordset();
    int found = 0;
    if (notes && texts && !notes->eof() && !notes->bof()) {
        for (notes->moveFirst(); !notes->eof(); notes->moveNext()) {
            const QVariant notID = notes->field(QStringLiteral("notID"));
            if (isNull(notID))
                continue;
            texts->findFirst(QStringLiteral("notID=") + QString::number(cLng(notID)) + QStringLiteral(" AND ") +
                             QStringLiteral("tableName='") + db::quoteText(strTable) + QStringLiteral("'"));
            // A note row without its text for this table is skipped.
            if (texts->noMatch())
                continue;
            const QVariant notTxt = texts->field(QStringLiteral("notTxt"));
            if (isNull(notTxt))
                continue;
            if (!text.isEmpty())
                text += vbCrLf;
            text += cStr(notTxt);
            ++found;
        }
    }
    m_notesPresent = found > 0;
    if (!m_notesPresent)
        return text;
    const int index = mainlink::GetTableIndex(strTable);
    if (index >= catalogue::FirstDataTable && index < catalogue::TableCount)
        mMat->TableNotes(index, text);
    return text;
}

void frmMaterial2::LoadTableNotes(const QString &strTable)
{
    const QString text = RecordTableNotes(strTable, textbox::text(txtNotes));
    if (!m_notesPresent) {
        cmdShowNotes->hide();
        lblNotes->hide();
        return;
    }
    textbox::setText(txtNotes, text);
    cmdShowNotes->show();
    lblNotes->show();
    TimerFlash->start();
}

std::optional<QString> frmMaterial2::RecordAdditionalInfo(QString text, bool shown)
{
    std::unique_ptr<db::Recordset> rs =
        TableRows(QStringLiteral("select * from GetInfo where matID = ") + QString::number(mMat->ID()) +
                      QStringLiteral(" order by titleID, ordering"),
                  shown);
    dtaOther->setRecordSource(QStringLiteral("select * from InfoTitle order by titleID"));
    dtaOther->refresh();

    if (!rs || rs->eof() || rs->bof()) {
        mMat->TableHasData(catalogue::key::AddInfo, false);
        return std::nullopt;
    }

    qint32 currentTitleId = 0;
    QString currentTitle;
    QString untitled;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
        const QVariant titleID = rs->field(QStringLiteral("titleID"));
        if (!isNull(titleID) && cLng(titleID) != currentTitleId) {
            currentTitleId = cLng(titleID);
            currentTitle = modDBase::GetText(dtaOther->recordset(), currentTitleId, QStringLiteral("titleID"),
                                             QStringLiteral("titleText"));
            const QString separator = text.isEmpty() ? QString() : vbCrLf;
            if (currentTitle == QLatin1String("[NoTitle]"))
                currentTitle.clear();
            else
                text += separator + separator + currentTitle + vbCrLf;
        }
        const QString line = cStr(nz(rs->field(QStringLiteral("infotext"))));
        if (currentTitle.isEmpty())
            untitled += vbCrLf + line;
        else
            text += vbCrLf + line;
    }
    text += vbCrLf + vbCrLf + untitled;
    mMat->TableHasData(catalogue::key::AddInfo, true);
    mMat->AddInfo(text);
    return text;
}

void frmMaterial2::LoadAdditionalInfo()
{
    if (const std::optional<QString> text = RecordAdditionalInfo(textbox::text(txtNotes), true))
        textbox::setText(txtNotes, *text);
}
