#pragma once

// A read-only rich-text box that shows an RTF file and prints it.

#include <QByteArray>
#include <QTextEdit>

class QPrinter;
class QTextDocument;

namespace controls {

// Reads the RTF a plain document uses into the document, replacing its content: paragraphs (\par,
// \pard), line breaks (\line), tabs (\tab), bold, italic and underline (\b, \i, \ul and their "0"
// forms, \ulnone, \plain), font sizes (\fs, half points), paragraph alignment (\ql, \qc, \qr, \qj),
// escaped bytes (\'hh, in the \ansicpg code page: 1252 unless told otherwise, or Latin-1),
// Unicode characters (\u with the \uc fallback skipped) and the symbols \\ \{ \} \~ \_ \-.
// Groups nest formatting. The font and colour tables, style sheets, information, pictures and
// every {\* ...} destination are skipped; other control words are ignored.
// False, with the document left empty, when the text is more than a document can hold (see
// DocumentLimits): the file is then treated as damaged.
bool readRtf(const QByteArray &rtf, QTextDocument *document);

// What a document shown in the box may hold; a file beyond any of these is refused as damaged.
// Laying out a paragraph takes time that grows faster than its length, its changes of format and
// its line breaks, so a paragraph is bounded as well as the whole.
namespace DocumentLimits {
constexpr qint64 Bytes = 4 * 1024 * 1024;
constexpr int Paragraphs = 10'000;
constexpr qsizetype Characters = 1'000'000;
constexpr qsizetype ParagraphCharacters = 20'000;
constexpr int Runs = 50'000; // runs of one format and line breaks
constexpr int ParagraphRuns = 500;
} // namespace DocumentLimits

// Prints a document to the printer, page by page in the printer's page rectangle.
// Raises VbError 482 "Printer error" when the printer cannot be started.
void printDocument(const QTextDocument &document, QPrinter *printer);

class RichTextBox : public QTextEdit
{
    Q_OBJECT
public:
    explicit RichTextBox(QWidget *parent = nullptr);

    // Replaces the content with the RTF file (a file that is not RTF is shown as plain text).
    // Raises VbError 75 "Path/File access error" when the file cannot be read or holds more than
    // DocumentLimits allow; the content is then empty.
    void LoadFile(const QString &strFileName);

    // Length of the selected text; 0 without a selection.
    int SelLength() const;

    // Prints the selection, or the whole text when nothing is selected.
    void SelPrint(QPrinter *printer) const;
};

} // namespace controls
