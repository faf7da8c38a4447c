#include "core/ProgramWindow.h"

#include "core/ProductInfo.h"
#include "platform/VbError.h"

#include <QBrush>
#include <QLabel>
#include <QMdiArea>

void ProgramWindow::SetStatus()
{
    m_statusTexts.fill(QString());
    m_statusTexts[0] = QStringLiteral("You can search Materials by typing in the 'Search Materials On...' boxes.") +
                       QStringLiteral(" Select materials from 'Materials List' and then press 'Show' to view data.");
    m_statusTexts[1] = QStringLiteral("Select table from 'View' menu or by pressing appropriate toolbar button.");
    m_statusTexts[2] = QStringLiteral("Select/de-select tables for printing by clicking") +
                       QStringLiteral(" appropriate check-box(es) and then press 'Print Preview...'");
    m_statusTexts[3] = QStringLiteral("Select/de-select tables to be saved to file by clicking") +
                       QStringLiteral(" appropriate check-box(es), select file format by clicking") +
                       QStringLiteral(" appropriate option button and then press 'Save...'");
    m_statusTexts[4] = QStringLiteral("Checking data...");
    m_statusTexts[5] = QStringLiteral("Mark the required item in list and press 'Select' or double-click the item.");
    m_statusTexts[6] =
        QStringLiteral("Design Values - Enter 'Design Temperature' in box above grid, values calculated automatically.");
    m_statusTexts[7] = QStringLiteral("About ") + product::ProductName +
                       QStringLiteral(" - press 'License Agreement' to see License, 'OK' or 'X' to return.");
    m_statusTexts[8] = QStringLiteral("Enlarged Chart - Press 'Return to Material'(Opened folder symbol) or 'X' to return.");
    m_statusTexts[9] = QStringLiteral("Select 'File Format' then press 'Save...'");
    m_statusTexts[10] = QStringLiteral("Print Preview Window - Press 'Print' to print, 'X' to return.");
    m_statusTexts[11] = QStringLiteral("License Agreement - Press 'Print' to print out, 'Return' or 'X' to close.");
    m_statusTexts[12] = QStringLiteral("Choose directory and filename then press 'Save'");
    m_statusTexts[13] = QStringLiteral("Select table from 'View' menu or by pressing appropriate toolbar button or option "
                                       "button. Toggle between 'Table' and 'Graph' using the 'Show' options");
    m_statusTexts[14] = QStringLiteral("Select table from 'View' menu or by pressing appropriate toolbar button. Toggle "
                                       "between 'Table' and 'Graph' using the 'Show...' button");
}

void ProgramWindow::ShowStatus(int index)
{
    const int last = int(m_statusTexts.size()) - 1;
    int shown = 0;
    if (index >= 0 && index <= 99) {
        shown = index;
    } else if (index == 100) {
        shown = m_statusRemembered;
    } else if (index > 100 && index <= 120) {
        shown = index - 100;
    } else {
        shown = -1;
    }
    if (shown < 0 || shown > last)
        throw platform::VbError(platform::vberr::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    m_statusPanel->setText(m_statusTexts[shown]);
    if (index <= 99)
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
