#include "controls/RichTextBox.h"

#include "platform/SafeFile.h"
#include "platform/VbError.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextOption>
#include <cctype>
#include <memory>
#include <vector>

namespace controls {

namespace {

constexpr int DefaultHalfPoints = 24;

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

struct RtfState
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = DefaultHalfPoints;
    Qt::Alignment align = Qt::AlignLeft;
    bool skip = false;
    int uc = 1;
};

const QSet<QByteArray> &skippedDestinations()
{
    static const QSet<QByteArray> words{
        "fonttbl",
        "colortbl",
        "stylesheet",
        "info",
        "pict",
        "object",
        "header",
        "headerl",
        "headerr",
        "headerf",
        "footer",
        "footerl",
        "footerr",
        "footerf",
        "footnote",
        "listtable",
        "listoverridetable",
        "rsidtbl",
        "generator",
        "xmlnstbl",
        "themedata",
        "colorschememapping",
        "latentstyles",
        "datastore",
        "revtbl",
        "filetbl",
        "pgdsctbl",
        "fldinst",
        "nonshppict",
        "shp",
        "bkmkstart",
        "bkmkend",
        "private",
    };
    return words;
}

class RtfReader
{
public:
    RtfReader(const QByteArray &rtf, QTextDocument *document) : m_rtf(rtf), m_cursor(document) {}

    // False when the text holds more than DocumentLimits allow; it is then read only in part.
    bool run()
    {
        m_stack.push_back(RtfState());
        const qsizetype n = m_rtf.size();
        while (m_pos < n && !m_overLimit) {
            const char c = m_rtf.at(m_pos++);
            switch (c) {
            case '{':
                flush();
                m_stack.push_back(m_stack.back());
                m_pendingSkip = 0;
                break;
            case '}':
                flush();
                if (m_stack.size() > 1)
                    m_stack.pop_back();
                m_pendingSkip = 0;
                break;
            case '\\': controlWord(); break;
            case '\r':
            case '\n': break;
            default: text(byteChar(uchar(c))); break;
            }
        }
        flush();
        return !m_overLimit;
    }

private:
    RtfState &state() { return m_stack.back(); }

    QChar byteChar(uchar b) const
    {
        if (m_codePage == 1252 && b >= 0x80 && b <= 0x9F)
            return QChar(Cp1252High[b - 0x80]);
        return QChar(b);
    }

    void text(QChar ch)
    {
        if (m_pendingSkip > 0) {
            --m_pendingSkip;
            return;
        }
        if (state().skip)
            return;
        if (ch == QChar::LineSeparator)
            countRun();
        m_buffer += ch;
    }

    void countRun()
    {
        if (++m_runs > DocumentLimits::Runs || ++m_paragraphRuns > DocumentLimits::ParagraphRuns)
            m_overLimit = true;
    }

    void flush()
    {
        if (m_buffer.isEmpty())
            return;
        const RtfState &s = m_stack.back();
        QTextBlockFormat block = m_cursor.blockFormat();
        if (block.alignment() != s.align) {
            block.setAlignment(s.align);
            m_cursor.setBlockFormat(block);
        }
        QTextCharFormat format;
        format.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(s.italic);
        format.setFontUnderline(s.underline);
        format.setFontPointSize(s.halfPoints / 2.0);
        // Groups that repeat the format before them (as word processors write every run) make no
        // new run.
        if (m_paragraphRuns == 0 || format != m_runFormat)
            countRun();
        m_runFormat = format;
        m_characters += m_buffer.size();
        m_paragraphCharacters += m_buffer.size();
        if (m_characters > DocumentLimits::Characters || m_paragraphCharacters > DocumentLimits::ParagraphCharacters)
            m_overLimit = true;
        m_cursor.insertText(m_buffer, format);
        m_buffer.clear();
    }

    void paragraph()
    {
        if (state().skip)
            return;
        flush();
        QTextBlockFormat block = m_cursor.blockFormat();
        block.setAlignment(state().align);
        m_cursor.setBlockFormat(block);
        if (++m_paragraphs > DocumentLimits::Paragraphs) {
            m_overLimit = true;
            return;
        }
        m_cursor.insertBlock(QTextBlockFormat());
        m_paragraphRuns = 0;
        m_paragraphCharacters = 0;
    }

    int hexValue(char c) const
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    void controlWord()
    {
        const qsizetype n = m_rtf.size();
        if (m_pos >= n)
            return;
        const char c = m_rtf.at(m_pos);
        if (!std::isalpha(uchar(c))) {
            ++m_pos;
            controlSymbol(c);
            return;
        }
        QByteArray word;
        while (m_pos < n && std::isalpha(uchar(m_rtf.at(m_pos))) && word.size() < 32)
            word += m_rtf.at(m_pos++);
        bool hasParam = false;
        bool negative = false;
        long long param = 0;
        if (m_pos < n && m_rtf.at(m_pos) == '-' && m_pos + 1 < n && std::isdigit(uchar(m_rtf.at(m_pos + 1)))) {
            negative = true;
            ++m_pos;
        }
        while (m_pos < n && std::isdigit(uchar(m_rtf.at(m_pos)))) {
            hasParam = true;
            if (param < 100000000)
                param = param * 10 + (m_rtf.at(m_pos) - '0');
            ++m_pos;
        }
        if (negative)
            param = -param;
        if (m_pos < n && m_rtf.at(m_pos) == ' ')
            ++m_pos;
        apply(word, hasParam, int(param));
    }

    void controlSymbol(char c)
    {
        switch (c) {
        case '\'': {
            const qsizetype n = m_rtf.size();
            int value = 0;
            int digits = 0;
            while (digits < 2 && m_pos < n && hexValue(m_rtf.at(m_pos)) >= 0) {
                value = value * 16 + hexValue(m_rtf.at(m_pos++));
                ++digits;
            }
            if (digits > 0)
                text(byteChar(uchar(value)));
            break;
        }
        case '\\':
        case '{':
        case '}': text(QChar(QLatin1Char(c))); break;
        case '~': text(QChar(0x00A0)); break;
        case '_': text(QChar(0x2011)); break;
        case '*':
            flush();
            state().skip = true;
            break;
        case '\r':
        case '\n': paragraph(); break;
        default: break; // \- optional hyphen and unknown symbols
        }
    }

    void apply(const QByteArray &word, bool hasParam, int param)
    {
        RtfState &s = state();
        const bool on = !hasParam || param != 0;
        if (skippedDestinations().contains(word)) {
            flush();
            s.skip = true;
        } else if (word == "bin") {
            // Binary data: its bytes are no text.
            if (hasParam && param > 0)
                m_pos = qMin<qsizetype>(m_rtf.size(), m_pos + param);
        } else if (word == "ansicpg") {
            m_codePage = param;
        } else if (word == "uc") {
            s.uc = hasParam ? qMax(0, param) : 1;
        } else if (word == "u") {
            int code = param;
            if (code < 0)
                code += 65536;
            if (!s.skip)
                m_buffer += QChar(char16_t(code & 0xFFFF));
            m_pendingSkip = s.uc;
        } else if (word == "par") {
            paragraph();
        } else if (word == "line") {
            text(QChar::LineSeparator);
        } else if (word == "tab") {
            text(QLatin1Char('\t'));
        } else if (word == "emdash") {
            text(QChar(0x2014));
        } else if (word == "endash") {
            text(QChar(0x2013));
        } else if (word == "lquote") {
            text(QChar(0x2018));
        } else if (word == "rquote") {
            text(QChar(0x2019));
        } else if (word == "ldblquote") {
            text(QChar(0x201C));
        } else if (word == "rdblquote") {
            text(QChar(0x201D));
        } else if (word == "bullet") {
            text(QChar(0x2022));
        } else if (word == "b") {
            flush();
            s.bold = on;
        } else if (word == "i") {
            flush();
            s.italic = on;
        } else if (word == "ul") {
            flush();
            s.underline = on;
        } else if (word == "ulnone") {
            flush();
            s.underline = false;
        } else if (word == "fs") {
            flush();
            s.halfPoints = hasParam && param > 0 ? param : DefaultHalfPoints;
        } else if (word == "plain") {
            flush();
            s.bold = s.italic = s.underline = false;
            s.halfPoints = DefaultHalfPoints;
        } else if (word == "pard") {
            flush();
            s.align = Qt::AlignLeft;
        } else if (word == "ql" || word == "qc" || word == "qr" || word == "qj") {
            flush();
            s.align = word == "qc"   ? Qt::AlignHCenter
                      : word == "qr" ? Qt::AlignRight
                      : word == "qj" ? Qt::AlignJustify
                                     : Qt::AlignLeft;
        }
    }

    const QByteArray &m_rtf;
    qsizetype m_pos = 0;
    QTextCursor m_cursor;
    std::vector<RtfState> m_stack;
    QString m_buffer;
    int m_pendingSkip = 0;
    int m_codePage = 1252;

    // What has been read, against DocumentLimits.
    int m_paragraphs = 1;
    qsizetype m_characters = 0;
    int m_runs = 0;
    int m_paragraphRuns = 0;
    qsizetype m_paragraphCharacters = 0;
    QTextCharFormat m_runFormat;
    bool m_overLimit = false;
};

bool plainTextFits(const QString &text)
{
    if (text.size() > DocumentLimits::Characters)
        return false;
    int paragraphs = 1;
    qsizetype start = 0;
    for (qsizetype end = text.indexOf(QLatin1Char('\n')); end >= 0; end = text.indexOf(QLatin1Char('\n'), start)) {
        if (end - start > DocumentLimits::ParagraphCharacters || ++paragraphs > DocumentLimits::Paragraphs)
            return false;
        start = end + 1;
    }
    return text.size() - start <= DocumentLimits::ParagraphCharacters;
}

} // namespace

bool readRtf(const QByteArray &rtf, QTextDocument *document)
{
    document->clear();
    // One edit: the document is laid out once at its end, not again after every run inserted, and
    // the read-only text keeps no undo steps.
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    QTextCursor edit(document);
    edit.beginEditBlock();
    const bool whole = RtfReader(rtf, document).run();
    edit.endEditBlock();
    if (!whole)
        document->clear();
    document->setUndoRedoEnabled(undo);
    return whole;
}

void printDocument(const QTextDocument &document, QPrinter *printer)
{
    QPainter painter;
    if (!printer || !painter.begin(printer))
        throw platform::VbError(482, QStringLiteral("Printer error"));
    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->documentLayout()->setPaintDevice(printer);
    const QSizeF page = printer->pageRect(QPrinter::DevicePixel).size();
    copy->setPageSize(page);
    QTextOption option = copy->defaultTextOption();
    option.setTabStopDistance(printer->logicalDpiX() / 2.0);
    copy->setDefaultTextOption(option);
    const int pages = copy->pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            printer->newPage();
        painter.save();
        const QRectF view(0, i * page.height(), page.width(), page.height());
        painter.translate(0, -view.top());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        painter.setClipRect(view);
        copy->documentLayout()->draw(&painter, context);
        painter.restore();
    }
    painter.end();
}

RichTextBox::RichTextBox(QWidget *parent) : QTextEdit(parent)
{
    setReadOnly(true);
    setAcceptRichText(false);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // RTF's default tab stops are half an inch apart.
    setTabStopDistance(logicalDpiX() / 2.0);
}

void RichTextBox::LoadFile(const QString &strFileName)
{
    clear();
    const platform::FileRead file = platform::readRegularFile(strFileName, DocumentLimits::Bytes);
    const auto refuse = [] { throw platform::VbError(75, QStringLiteral("Path/File access error")); };
    if (!file.ok())
        refuse();
    const QByteArray &bytes = file.bytes;
    if (bytes.startsWith("{\\rtf")) {
        if (!readRtf(bytes, document()))
            refuse();
    } else {
        const QString text = QString::fromLocal8Bit(bytes); // not RTF: shown as plain text
        if (!plainTextFits(text))
            refuse();
        setPlainText(text);
    }
    moveCursor(QTextCursor::Start);
}

int RichTextBox::SelLength() const
{
    const QTextCursor cursor = textCursor();
    return cursor.hasSelection() ? cursor.selectionEnd() - cursor.selectionStart() : 0;
}

void RichTextBox::SelPrint(QPrinter *printer) const
{
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) {
        printDocument(*document(), printer);
        return;
    }
    QTextDocument selection;
    QTextCursor(&selection).insertFragment(cursor.selection());
    printDocument(selection, printer);
}

} // namespace controls
