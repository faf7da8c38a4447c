#include "core/ProgramWindow.h"

#include "core/modFileHandler.h"
#include "platform/MsgBox.h"
#include "platform/SafeFile.h"
#include "platform/VbConv.h"
#include "platform/VbError.h"

#include <QAction>
#include <QStatusBar>
#include <QToolBar>

namespace {

// The main window's own settings, one a line, then the search window's arrays.
enum Line : int {
    ArrangementLine = 0,
    ToolbarShownLine = 1,
    ToolbarPlaceLine = 2,
    StatusBarLine = 3,
    BackColourLine = 4,
    ColoursLine = 5,
    ToolTipsLine = 6,
};
constexpr int FirstColumnSizeLine = ToolTipsLine + 1;
constexpr int FirstColumnVisibleLine = FirstColumnSizeLine + ProgramWindow::ResultColumnCount;
constexpr int FirstSavedSearchLine = FirstColumnVisibleLine + ProgramWindow::ResultColumnCount;
constexpr int SettingsLines = FirstSavedSearchLine + ProgramWindow::SavedSearchCount;
// Longer lines are no settings of ours; they are read as empty.
constexpr qint64 MaxLineBytes = 4096;
// Enough for 27 lines of any length we read; what lies beyond is never looked at.
constexpr qint64 MaxSettingsBytes = 256 * 1024;

QString settingsPath()
{
    return modFileHandler::DataFilePath(QStringLiteral("Settings.vlk"));
}

// Reads at most the first 27 lines; a line ends with LF, CR LF or CR. Control characters are dropped.
// A file that is not a regular file (a folder, a fifo, a device) is not ours: all lines stay empty,
// which gives the defaults. Of a long file only the first bytes are read.
std::array<QString, SettingsLines> readSettingsLines()
{
    std::array<QString, SettingsLines> lines;
    const platform::FileRead file =
        platform::readRegularFile(settingsPath(), MaxSettingsBytes, platform::Oversize::Head);
    if (!file.ok())
        return lines;
    int n = 0;
    QByteArray current;
    bool overlong = false;
    const auto finishLine = [&]() {
        if (n < SettingsLines) {
            QString text = overlong ? QString() : QString::fromUtf8(current);
            text.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
            lines[n] = text;
        }
        ++n;
        current.clear();
        overlong = false;
    };
    bool pendingCr = false;
    for (qsizetype i = 0; i < file.bytes.size() && n < SettingsLines; ++i) {
        const char c = file.bytes.at(i);
        if (pendingCr) {
            pendingCr = false;
            if (c == '\n')
                continue;
        }
        if (c == '\r') {
            finishLine();
            pendingCr = true;
        } else if (c == '\n') {
            finishLine();
        } else if (!overlong) {
            current.append(c);
            if (current.size() > MaxLineBytes) {
                overlong = true;
                current.clear();
            }
        }
    }
    if (n < SettingsLines && (!current.isEmpty() || overlong))
        finishLine();
    return lines;
}

// A whole number that stands for a colour: an RGB value or a system colour, written signed or not.
bool parseColour(const QString &text, platform::OleColor &colour)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok || value < -2147483648LL || value > 0xFFFFFFFFLL)
        return false;
    const platform::OleColor candidate =
        value < 0 ? platform::OleColor(quint32(qint32(value))) : platform::OleColor(value);
    const bool rgb = candidate <= 0xFFFFFF;
    const bool system = (candidate & 0xFFFFFF00u) == 0x80000000u && (candidate & 0xFF) <= 0x18;
    if (!rgb && !system)
        return false;
    colour = candidate;
    return true;
}

} // namespace

void ProgramWindow::LoadSettings()
{
    const std::array<QString, SettingsLines> line = readSettingsLines();

    if (line[ArrangementLine] == QLatin1String("Tile_Horizontal")) {
        iWindowArrange = 1;
        mnuWindowElem[menuitem::Cascade]->setChecked(false);
        mnuWindowElem[menuitem::TileHorizontal]->setChecked(true);
    }
    if (line[ToolbarShownLine] == QLatin1String("Tool_HIDE")) {
        Toolbar1->setHidden(true);
        mnuSettingsToolElem[menuitem::ShowToolbar]->setEnabled(true);
        mnuSettingsToolElem[menuitem::HideToolbar]->setEnabled(false);
    }
    if (line[ToolbarPlaceLine] == QLatin1String("Tool_BOTTOM")) {
        SetToolbarAtBottom(true);
        mnuSettingsToolElem[menuitem::AlignTop]->setEnabled(true);
        mnuSettingsToolElem[menuitem::AlignBottom]->setEnabled(false);
    }
    if (line[StatusBarLine] == QLatin1String("Status_HIDE")) {
        stbStatus->setHidden(true);
        mnuSettingsElem[menuitem::StatusBar]->setChecked(false);
    }
    if (platform::OleColor colour = 0; !line[BackColourLine].isEmpty() && parseColour(line[BackColourLine], colour))
        SetBackColor(colour);
    if (line[ColoursLine] == QLatin1String("Colours_OFF")) {
        blnColoursOFF = true;
        mnuSettingsElem[menuitem::Colour]->setChecked(false);
    }
    if (line[ToolTipsLine] == QLatin1String("ToolTips_OFF")) {
        blnToolTips = false;
        mnuSettingsElem[menuitem::ToolTips]->setChecked(false);
    } else {
        blnToolTips = true;
    }

    for (int i = 0; i < ResultColumnCount; ++i) {
        const QString &text = line[FirstColumnSizeLine + i];
        if (text.isEmpty())
            continue;
        try {
            float width = platform::cSng(text);
            if (width > 9999)
                width /= 1000;
            m_columnSize[i] = width;
        } catch (const platform::VbError &) {
        }
    }
    for (int i = 0; i < ResultColumnCount; ++i) {
        const QString &text = line[FirstColumnVisibleLine + i];
        if (text.isEmpty()) {
            m_columnVisible[i] = true;
            continue;
        }
        try {
            m_columnVisible[i] = platform::cBool(text);
        } catch (const platform::VbError &) {
        }
    }
    for (int i = 0; i < SavedSearchCount; ++i) {
        QString text = line[FirstSavedSearchLine + i];
        text.remove(QLatin1Char('[')).remove(QLatin1Char(']')).remove(QLatin1Char('\''));
        m_savedSearch[i] = text;
    }
}

void ProgramWindow::SaveSettings()
{
    QStringList lines;
    lines << (mnuWindowElem[menuitem::Cascade]->isChecked() ? QStringLiteral("Cascade")
                                                            : QStringLiteral("Tile_Horizontal"));
    lines << (!mnuSettingsToolElem[menuitem::ShowToolbar]->isEnabled() ? QStringLiteral("Tool_SHOW")
                                                                       : QStringLiteral("Tool_HIDE"));
    lines << (!ToolbarAtBottom() ? QStringLiteral("Tool_TOP") : QStringLiteral("Tool_BOTTOM"));
    lines << (!stbStatus->isHidden() ? QStringLiteral("Status_SHOW") : QStringLiteral("Status_HIDE"));
    // Written as the runtime writes a colour: a signed whole number.
    lines << QString::number(qint32(m_backColor));
    lines << (blnColoursOFF ? QStringLiteral("Colours_OFF") : QStringLiteral("Colours_ON"));
    lines << (blnToolTips ? QStringLiteral("ToolTips_ON") : QStringLiteral("ToolTips_OFF"));
    for (float width : m_columnSize) {
        const double rounded = platform::roundHalfEven(double(width));
        lines << QString::number(qint16(qBound(-32768.0, rounded, 32767.0)));
    }
    for (bool visible : m_columnVisible)
        lines << (visible ? QStringLiteral("True") : QStringLiteral("False"));
    for (const QString &search : m_savedSearch)
        lines << search;

    QByteArray bytes;
    for (const QString &line : std::as_const(lines))
        bytes += (line + platform::vbCrLf).toUtf8();

    // Written whole or not at all: a data folder that cannot be written keeps the earlier file,
    // and the failure is not reported.
    platform::writeFileAtomically(settingsPath(), bytes);
}

float ProgramWindow::ColumnSize(int Index) const
{
    if (Index < 0 || Index >= ResultColumnCount)
        platform::raiseSubscriptOutOfRange();
    return m_columnSize[Index];
}

void ProgramWindow::ColumnSize(int Index, float sngWidth)
{
    if (Index < 0 || Index >= ResultColumnCount)
        platform::raiseSubscriptOutOfRange();
    m_columnSize[Index] = sngWidth;
}

bool ProgramWindow::ColumnVisible(int Index) const
{
    if (Index < 0 || Index >= ResultColumnCount)
        platform::raiseSubscriptOutOfRange();
    return m_columnVisible[Index];
}

void ProgramWindow::ColumnVisible(int Index, bool blnVisible)
{
    if (Index < 0 || Index >= ResultColumnCount)
        platform::raiseSubscriptOutOfRange();
    m_columnVisible[Index] = blnVisible;
}

QString ProgramWindow::SavedSearch(int Index) const
{
    if (Index < 0 || Index >= SavedSearchCount)
        platform::raiseSubscriptOutOfRange();
    return m_savedSearch[Index];
}

void ProgramWindow::SavedSearch(int Index, const QString &strSearch)
{
    if (Index < 0 || Index >= SavedSearchCount)
        platform::raiseSubscriptOutOfRange();
    m_savedSearch[Index] = strSearch;
}
