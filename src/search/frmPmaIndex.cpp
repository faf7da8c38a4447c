#include "search/frmPmaIndex.h"

#include "controls/DataGrid.h"
#include "controls/GridView.h"
#include "core/ProgramWindow.h"
#include "core/modDocument.h"
#include "db/DataControl.h"
#include "db/Recordset.h"
#include "platform/Environment.h"
#include "platform/KeyCodes.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "platform/VbConv.h"
#include "platform/VbError.h"
#include "platform/WaitCursor.h"
#include "search/modDBaseChooser.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

using platform::moveTwips;

namespace {

struct PmaColumn
{
    const char *caption;
    const char *field;
    double width;
};

constexpr int PmaColumns = 6;
const PmaColumn pmaColumns[PmaColumns] = {
    {"Specification", "Specification", 2400}, {"Name", "Designationname", 2700},
    {"Number", "Designationnumber", 1500},    {"Product", "Product", 2700},
    {"Date", "RevisionDate", 1350},           {"Revision", "Revision", 1200},
};

// The layout below the search line, in twips: the index's top, the explanation's height, the margins
// right of both and below the explanation.
constexpr double GridTop = 630;
constexpr double MinGridHeight = 1200;
constexpr double InfoHeight = 1995;
constexpr double InfoMargins = 365;
constexpr double BottomMargin = 580;

// The index's row holds its document's file name after the shown columns.
constexpr int DocumentField = PmaColumns;

// The text fields the search box looks in, after Specification, in this order.
const char *const searchFields[6] = {"Designationname", "Designationnumber", "Product",
                                     "Revision",        "Revisiondate",      "Searchstring"};

} // namespace

frmPmaIndex::frmPmaIndex(QWidget *parent) : QDialog(parent ? parent : platform::dialogParent())
{
    setObjectName(QStringLiteral("frmPmaIndex"));
    setWindowTitle(QStringLiteral("PMA Index"));
    setModal(true);

    dtaPmaIndex = new db::DataControl(this);

    txtSearchString = new QLineEdit(this);
    txtSearchString->setObjectName(QStringLiteral("txtSearchString"));
    txtSearchString->setAccessibleName(QStringLiteral("Search Text"));
    moveTwips(txtSearchString, 120, 165, 4455, 315);
    txtSearchString->installEventFilter(this);
    connect(txtSearchString, &QLineEdit::textChanged, this, &frmPmaIndex::txtSearchString_Change);

    cmdSearch = new QPushButton(QStringLiteral("Search"), this);
    cmdSearch->setObjectName(QStringLiteral("cmdSearch"));
    cmdSearch->setAutoDefault(false);
    moveTwips(cmdSearch, 4695, 135, 1215, 375);
    connect(cmdSearch, &QPushButton::clicked, this, &frmPmaIndex::cmdSearch_Click);

    tdbIndex = new controls::DataGrid(this);
    tdbIndex->setObjectName(QStringLiteral("tdbIndex"));
    tdbIndex->view()->setAccessibleName(QStringLiteral("PMA Index"));
    for (const PmaColumn &def : pmaColumns) {
        controls::GridColumn *column = tdbIndex->addColumn();
        column->setCaption(QString::fromLatin1(def.caption));
        column->setDataField(QString::fromLatin1(def.field));
        column->setWidthTwips(def.width);
    }
    tdbIndex->setColumnFooters(true);
    tdbIndex->setDataSource(dtaPmaIndex);
    connect(tdbIndex, &controls::DataGrid::dblClick, this, &frmPmaIndex::tdbIndex_DblClick);
    connect(tdbIndex, &controls::DataGrid::keyDown, this, [this](int *keyCode, int) {
        if (keyCode)
            tdbIndex_KeyDown(*keyCode);
    });
    connect(tdbIndex, &controls::DataGrid::headClick, this, &frmPmaIndex::tdbIndex_HeadClick);
    connect(tdbIndex, &controls::DataGrid::footClick, this, &frmPmaIndex::tdbIndex_FootClick);

    fraInfo = new QGroupBox(QStringLiteral("Particular Material Appraisal (PMA)"), this);
    lblInfo = new QLabel(fraInfo);
    lblInfo->setWordWrap(true);
    lblInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblInfo->setText(QStringLiteral(
        "A Particular Material Appraisal (PMA) is the appraisal by which a material that is not covered by a "
        "harmonised standard or a European approval of materials is accepted for pressure equipment.\n"
        "Type a search text and press Enter or 'Search' to list the appraisals holding it in any field; "
        "clicking a column heading sorts the whole index ascending, clicking its footer descending.\n"
        "Double-click an appraisal or press Enter on it to open its document. 'More info >>' opens general "
        "information on PMAs."));
    cmdInfo = new QPushButton(QStringLiteral("More info >>"), fraInfo);
    cmdInfo->setObjectName(QStringLiteral("cmdInfo"));
    cmdInfo->setAutoDefault(false);
    connect(cmdInfo, &QPushButton::clicked, this, &frmPmaIndex::cmdInfo_Click);
}

frmPmaIndex::~frmPmaIndex() = default;

void frmPmaIndex::ArrangeControls()
{
    // The search line keeps its place; the index takes the width and the height that the
    // explanation at the bottom leaves, so that a smaller screen shrinks the index, not the buttons.
    const double width = platform::widthTwips(this) - InfoMargins;
    const double infoTop = std::max(platform::heightTwips(this) - BottomMargin - InfoHeight, GridTop + MinGridHeight);
    moveTwips(tdbIndex, 120, GridTop, width, infoTop - GridTop - 120);
    moveTwips(fraInfo, 120, infoTop, width, InfoHeight);
    moveTwips(lblInfo, 120, 285, width - 2220, 1590);
    moveTwips(cmdInfo, width - 1950, 1500, 1815, 375);
}

void frmPmaIndex::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    ArrangeControls();
}

QString frmPmaIndex::IndexDatabasePath()
{
    return platform::programFolder() + QStringLiteral("/PMA_Index.mdb");
}

QString frmPmaIndex::InfoDocumentPath()
{
    return platform::programFolder() + QStringLiteral("/morepmainfo.pdf");
}

QString frmPmaIndex::DocumentPath(const QString &strStored)
{
    QString path = strStored.trimmed();
    if (path.isEmpty())
        return path;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (QFileInfo(path).isRelative())
        path = QDir(platform::programFolder()).filePath(path);
    return path;
}

void frmPmaIndex::Form_Load()
{
    dtaPmaIndex->setDatabaseName(IndexDatabasePath());
    ShowAllPma();
    if (const ProgramWindow *mdi = ProgramWindow::instance()) {
        tdbIndex->setEvenRowColor(mdi->vMyGreen);
        tdbIndex->setOddRowColor(mdi->vMyBlue);
        tdbIndex->setAlternatingRows(true);
    }
    platform::resizeTwips(this, 11280, 5040);
}

void frmPmaIndex::RunSource(const QString &strSource)
{
    const QString previous = dtaPmaIndex->recordSource();
    dtaPmaIndex->setRecordSource(strSource);
    try {
        dtaPmaIndex->refresh();
    } catch (const platform::VbError &error) {
        platform::msgBox(error.description(), platform::vbExclamation);
        dtaPmaIndex->setRecordSource(previous);
        if (previous.isEmpty())
            return;
        try {
            dtaPmaIndex->refresh();
        } catch (const platform::VbError &) {
        }
    }
}

void frmPmaIndex::ShowAllPma()
{
    RunSource(QStringLiteral("SELECT * FROM PMA_Index"));
}

void frmPmaIndex::cmdSearch_Click()
{
    const QString s = modDBase::LikeText(txtSearchString->text());
    QString source = QStringLiteral("SELECT * FROM PMA_Index WHERE Specification LIKE '*") + s + QStringLiteral("*'");
    for (const char *field : searchFields)
        source += QStringLiteral(" OR ") + QLatin1String(field) + QStringLiteral(" LIKE '*") + s + QStringLiteral("*'");
    RunSource(source);
}

void frmPmaIndex::txtSearchString_Change()
{
    if (txtSearchString->text().trimmed().isEmpty())
        ShowAllPma();
}

bool frmPmaIndex::txtSearchString_KeyPress(int KeyAscii)
{
    if (KeyAscii != 13)
        return false;
    cmdSearch_Click();
    return true;
}

bool frmPmaIndex::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtSearchString && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            txtSearchString_KeyPress(platform::vbKeyReturn))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

QString frmPmaIndex::FieldOfColumn(int ColIndex) const
{
    if (ColIndex < 0 || ColIndex >= PmaColumns)
        return QString();
    return QString::fromLatin1(pmaColumns[ColIndex].field);
}

void frmPmaIndex::tdbIndex_HeadClick(int ColIndex)
{
    const QString field = FieldOfColumn(ColIndex);
    if (field.isEmpty())
        return;
    txtSearchString->clear();
    RunSource(QStringLiteral("SELECT * FROM PMA_Index ORDER BY ") + field + QStringLiteral(" ASC"));
}

void frmPmaIndex::tdbIndex_FootClick(int ColIndex)
{
    const QString field = FieldOfColumn(ColIndex);
    if (field.isEmpty())
        return;
    txtSearchString->clear();
    RunSource(QStringLiteral("SELECT * FROM PMA_Index ORDER BY ") + field + QStringLiteral(" DESC"));
}

void frmPmaIndex::tdbIndex_DblClick()
{
    const platform::WaitCursor wait;
    try {
        const db::Recordset *rs = dtaPmaIndex->recordset();
        if (rs && !rs->isClosed() && !rs->bof() && !rs->eof() && rs->fieldCount() > DocumentField) {
            const QString path = DocumentPath(platform::nz(rs->field(DocumentField)).toString());
            if (modDocument::FileExists(path))
                modDocument::OpenDocument(this, path);
        }
    } catch (const platform::VbError &) {
        // A row without a readable document opens nothing.
    }
}

void frmPmaIndex::tdbIndex_KeyDown(int KeyCode)
{
    if (KeyCode == platform::vbKeyReturn)
        tdbIndex_DblClick();
}

void frmPmaIndex::cmdInfo_Click()
{
    modDocument::OpenDocument(this, InfoDocumentPath());
}
