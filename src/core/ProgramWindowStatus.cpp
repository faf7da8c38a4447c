#include "core/ProgramWindow.h"

#include "core/ProductInfo.h"
#include "platform/VbError.h"

#include <QBrush>
#include <QLabel>
#include <QMdiArea>

void ProgramWindow::SetStatus()
{
    m_statusTexts.fill(QString());
    m_statusTexts[status::Search] =
        QStringLiteral("You can search Materials by typing in the 'Search Materials On...' boxes.") +
        QStringLiteral(" Select materials from 'Materials List' and then press 'Show' to view data.");
    m_statusTexts[status::ChooseTable] =
        QStringLiteral("Select table from 'View' menu or by pressing appropriate toolbar button.");
    m_statusTexts[status::PrintTables] = QStringLiteral("Select/de-select tables for printing by clicking") +
                                         QStringLiteral(" appropriate check-box(es) and then press 'Print Preview...'");
    m_statusTexts[status::SaveTables] = QStringLiteral("Select/de-select tables to be saved to file by clicking") +
                                        QStringLiteral(" appropriate check-box(es), select file format by clicking") +
                                        QStringLiteral(" appropriate option button and then press 'Save...'");
    m_statusTexts[status::CheckingData] = QStringLiteral("Checking data...");
    m_statusTexts[status::PickFromList] =
        QStringLiteral("Mark the required item in list and press 'Select' or double-click the item.");
    m_statusTexts[status::DesignValues] = QStringLiteral(
        "Design Values - Enter 'Design Temperature' in box above grid, values calculated automatically.");
    m_statusTexts[status::About] =
        QStringLiteral("About ") + product::ProductName +
        QStringLiteral(" - press 'License Agreement' to see License, 'OK' or 'X' to return.");
    m_statusTexts[status::EnlargedChart] =
        QStringLiteral("Enlarged Chart - Press 'Return to Material'(Opened folder symbol) or 'X' to return.");
    m_statusTexts[status::SaveFormat] = QStringLiteral("Select 'File Format' then press 'Save...'");
    m_statusTexts[status::PrintPreview] =
        QStringLiteral("Print Preview Window - Press 'Print' to print, 'X' to return.");
    m_statusTexts[status::Agreement] =
        QStringLiteral("License Agreement - Press 'Print' to print out, 'Return' or 'X' to close.");
    m_statusTexts[status::ChooseFile] = QStringLiteral("Choose directory and filename then press 'Save'");
    m_statusTexts[status::ChooseTableOrShowOption] =
        QStringLiteral("Select table from 'View' menu or by pressing appropriate toolbar button or option "
                       "button. Toggle between 'Table' and 'Graph' using the 'Show' options");
    m_statusTexts[status::ChooseTableOrShowButton] =
        QStringLiteral("Select table from 'View' menu or by pressing appropriate toolbar button. Toggle "
                       "between 'Table' and 'Graph' using the 'Show...' button");
}

void ProgramWindow::ShowStatus(int index)
{
    const int last = int(m_statusTexts.size()) - 1;
    int shown = 0;
    if (index >= 0 && index < status::Remembered) {
        shown = index;
    } else if (index == status::Remembered) {
        shown = m_statusRemembered;
    } else if (index > status::Passing) { // an n beyond the texts is rejected below
        shown = index - status::Passing;
    } else {
        shown = -1;
    }
    if (shown < 0 || shown > last)
        platform::raiseSubscriptOutOfRange();
    m_statusPanel->setText(m_statusTexts[shown]);
    if (index < status::Remembered)
        m_statusRemembered = index;
}

QString ProgramWindow::StatusText() const
{
    return m_statusPanel->text();
}

void ProgramWindow::SetBackColor(platform::OleColor color)
{
    m_backColor = color;
    m_mdiArea->setBackground(QBrush(platform::toQColor(color)));
}
