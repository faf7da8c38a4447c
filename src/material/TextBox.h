#pragma once

// The multi-line text boxes keep their text exactly as the program wrote it (CR LF line breaks),
// as the reports and tests read it back; the box displays it with ordinary line breaks.

#include <QPlainTextEdit>
#include <QString>
#include <QVariant>

namespace textbox {

inline void setText(QPlainTextEdit *box, const QString &text)
{
    // Laying a text out costs more than the rest of showing a table: the text the box already
    // holds is only brought back to its start, where writing it again would leave it.
    if (const QVariant kept = box->property("vbText"); kept.isValid() && kept.toString() == text) {
        box->moveCursor(QTextCursor::Start);
        return;
    }
    box->setProperty("vbText", text);
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    box->setPlainText(shown);
}

inline QString text(const QPlainTextEdit *box)
{
    return box->property("vbText").toString();
}

} // namespace textbox
