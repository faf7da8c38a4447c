#pragma once

// The multi-line text boxes keep their text exactly as the program wrote it (CR LF line breaks),
// as the reports and tests read it back; the box displays it with ordinary line breaks.

#include <QPlainTextEdit>
#include <QString>
#include <QVariant>

namespace textbox {

inline void setText(QPlainTextEdit *box, const QString &text)
{
    box->setProperty("vbText", text);
    // Laying a text out costs more than the rest of showing a table: the text the box already
    // shows is only brought back to its start, where writing it again would leave it.
    if (const QVariant shown = box->property("vbShown"); shown.isValid() && shown.toString() == text) {
        box->moveCursor(QTextCursor::Start);
        return;
    }
    box->setProperty("vbShown", text);
    QString display = text;
    display.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    box->setPlainText(display);
}

// Empties the text while the box still shows the old one, until setText or showText: a text that
// comes back unchanged is then not laid out again.
inline void clearLater(QPlainTextEdit *box)
{
    box->setProperty("vbText", QString());
}

// Shows the text the box holds.
inline void showText(QPlainTextEdit *box)
{
    setText(box, box->property("vbText").toString());
}

inline QString text(const QPlainTextEdit *box)
{
    return box->property("vbText").toString();
}

} // namespace textbox
