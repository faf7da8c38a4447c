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
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    box->setPlainText(shown);
}

inline QString text(const QPlainTextEdit *box)
{
    return box->property("vbText").toString();
}

} // namespace textbox
