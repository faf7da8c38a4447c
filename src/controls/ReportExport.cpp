#include "controls/ReportExport.h"

#include "controls/Chart.h"
#include "controls/Report.h"
#include "controls/ReportFlow.h"
#include "controls/ReportPaint.h"
#include "platform/Environment.h"
#include "platform/SafeFile.h"
#include "platform/Twips.h"
#include "platform/VbError.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>

namespace controls {

namespace {

constexpr int PathFileAccessError = 75;
constexpr double TextColumnTwips = 120; // one character of the text export

void checkTarget(const QString &fileName)
{
    if (fileName.trimmed().isEmpty())
        throw platform::VbError(platform::vberr::InvalidProcedureCall,
                                QStringLiteral("Invalid procedure call or argument"));
    const QFileInfo info(fileName);
    if (!info.absoluteDir().exists())
        throw platform::VbError(platform::vberr::PathNotFound, QStringLiteral("Path not found"));
}

[[noreturn]] void accessError()
{
    throw platform::VbError(PathFileAccessError, QStringLiteral("Path/File access error"));
}

void writeAll(const QString &fileName, const QByteArray &bytes)
{
    checkTarget(fileName);
    if (!platform::writeFileAtomically(fileName, bytes))
        accessError();
}

QByteArray rtfEscaped(const QString &text)
{
    QByteArray out;
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u < 0x80) {
            out += char(u);
        } else {
            out += "\\u" + QByteArray::number(qint16(u)) + "\\'3f";
        }
    }
    return out;
}

QByteArray runOf(const QString &text, const ReportFont &font)
{
    return "{\\f0\\fs" + QByteArray::number(qRound(font.size * 2)) + (font.bold ? "\\b " : " ") + rtfEscaped(text) +
           "}";
}

int twipsFrom(double x, double leftMargin)
{
    return qRound(x - leftMargin);
}

// One printed line of free text: a paragraph with its pieces at tab stops.
QByteArray rtfLine(const QList<TextPiece> &line, double leftMargin, int spaceBefore)
{
    const int indent = std::max(0, twipsFrom(line.first().left, leftMargin));
    QByteArray stops;
    int lastStop = indent;
    QByteArray runs;
    for (int i = 0; i < line.size(); ++i) {
        const TextPiece &piece = line.at(i);
        if (i > 0) {
            const int stop = twipsFrom(piece.left, leftMargin);
            if (stop > lastStop) {
                stops += "\\tx" + QByteArray::number(stop);
                lastStop = stop;
                runs += "\\tab";
            } else {
                runs += " ";
            }
        }
        runs += runOf(piece.text, piece.font);
    }
    return "\\pard\\plain\\li" + QByteArray::number(indent) + "\\sb" + QByteArray::number(spaceBefore) + stops + " " +
           runs + "\\par\r\n";
}

QByteArray rtfBorder(const char *side, int style)
{
    if (style == borderstyle::None)
        return {};
    const char *line = style == borderstyle::Dash ? "\\brdrdash" : style == borderstyle::Dot ? "\\brdrdot" : "\\brdrs";
    return QByteArray("\\clbrdr") + side + line + "\\brdrw15";
}

// A table row: its cells at their widths, a borderless cell for a gap before or between boxes.
QByteArray rtfRow(const FlowRow &row, double tableLeft, double leftMargin)
{
    QByteArray defs = "\\trowd\\trgaph" + QByteArray::number(qRound(TextPadding)) + "\\trleft" +
                      QByteArray::number(twipsFrom(tableLeft, leftMargin)) + "\\trrh" +
                      QByteArray::number(qRound(row.height));
    QByteArray cells;
    double right = tableLeft;
    for (const FlowCell &cell : row.cells) {
        if (cell.left > right + 1) {
            defs += "\\cellx" + QByteArray::number(twipsFrom(cell.left, leftMargin));
            cells += "\\pard\\intbl\\cell";
        }
        defs += cell.verticalAlignment == textalign::Middle   ? "\\clvertalc"
                : cell.verticalAlignment == textalign::Bottom ? "\\clvertalb"
                                                              : "\\clvertalt";
        defs += rtfBorder("t", cell.border.topStyle) + rtfBorder("l", cell.border.leftStyle) +
                rtfBorder("b", cell.border.bottomStyle) + rtfBorder("r", cell.border.rightStyle);
        defs += "\\cellx" + QByteArray::number(twipsFrom(cell.right, leftMargin));
        const char *align = cell.alignment == textalign::Right    ? "\\qr"
                            : cell.alignment == textalign::Centre ? "\\qc"
                                                                  : "\\ql";
        cells += QByteArray("\\pard\\intbl") + align;
        cells += runOf(cell.lines.join(QLatin1Char('\n')), cell.font).replace("\n", "\\line ") + "\\cell";
        right = cell.right;
    }
    return defs + "\r\n" + cells + "\\row\r\n";
}

// A chart or an image as a PNG picture at its printed size.
QByteArray rtfPicture(const PageItem &item)
{
    QImage image;
    if (item.kind == PageItem::Kind::Chart && item.chart) {
        // Drawn as on paper, at twice the screen's pixels for a sharper picture.
        constexpr double Sharpness = 2;
        const QSizeF pixels(item.rect.width() / platform::TwipsPerPixel, item.rect.height() / platform::TwipsPerPixel);
        image = QImage(std::max(1, qRound(pixels.width() * Sharpness)),
                       std::max(1, qRound(pixels.height() * Sharpness)), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(Sharpness, Sharpness);
        item.chart->renderTo(&painter, QRectF(QPointF(0, 0), pixels));
    } else {
        image = item.image;
    }
    if (image.isNull())
        return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    QByteArray hex = png.toHex();
    // Lines of 128 digits keep the file readable for tools that read line by line.
    for (qsizetype at = 128; at < hex.size(); at += 130)
        hex.insert(at, "\r\n");
    return "{\\pict\\pngblip\\picw" + QByteArray::number(image.width()) + "\\pich" +
           QByteArray::number(image.height()) + "\\picwgoal" + QByteArray::number(qRound(item.rect.width())) +
           "\\pichgoal" + QByteArray::number(qRound(item.rect.height())) + "\r\n" + hex + "}";
}

int textColumn(double x, double leftMargin)
{
    return std::max(0, int(std::lround((x - leftMargin) / TextColumnTwips)));
}

QString textLine(const QList<TextPiece> &line, double leftMargin)
{
    QString row;
    for (const TextPiece &piece : line) {
        const int column = textColumn(piece.left, leftMargin);
        if (row.size() < column)
            row += QString(column - row.size(), QLatin1Char(' '));
        else if (!row.isEmpty())
            row += QLatin1Char(' ');
        row += piece.text;
    }
    return row;
}

// The rows of a table with its columns aligned: a column is widened where a cell's text is wider
// than the column, and every column to its right moves along in every row.
QString textTable(const QVector<FlowRow> &rows, double leftMargin)
{
    constexpr double SameEdge = 30; // twips
    QVector<double> edges;
    for (const FlowRow &row : rows) {
        for (const FlowCell &cell : row.cells)
            edges << cell.left << cell.right;
    }
    std::sort(edges.begin(), edges.end());
    QVector<double> distinct;
    for (double x : edges) {
        if (distinct.isEmpty() || x > distinct.last() + SameEdge)
            distinct.append(x);
    }
    const auto edgeIndex = [&distinct](double x) {
        int best = 0;
        for (int i = 1; i < distinct.size(); ++i) {
            if (std::abs(distinct.at(i) - x) < std::abs(distinct.at(best) - x))
                best = i;
        }
        return best;
    };
    // The widest text that must fit before each edge, measured from the cell's left edge.
    QVector<QVector<QPair<int, int>>> needs(distinct.size()); // per right edge: (left edge, width)
    for (const FlowRow &row : rows) {
        for (const FlowCell &cell : row.cells) {
            int width = 0;
            for (const QString &line : cell.lines)
                width = std::max(width, int(line.size()));
            needs[edgeIndex(cell.right)].append({edgeIndex(cell.left), width + 1});
        }
    }
    QVector<int> columns(distinct.size());
    int shift = 0;
    for (int i = 0; i < distinct.size(); ++i) {
        int column = textColumn(distinct.at(i), leftMargin) + shift;
        if (i > 0)
            column = std::max(column, columns.at(i - 1) + 1);
        for (const auto &[from, width] : needs.at(i))
            column = std::max(column, columns.at(from) + width);
        shift = column - textColumn(distinct.at(i), leftMargin);
        columns[i] = column;
    }

    QString out;
    for (const FlowRow &row : rows) {
        int lines = 0;
        for (const FlowCell &cell : row.cells)
            lines = std::max(lines, int(cell.lines.size()));
        for (int k = 0; k < lines; ++k) {
            QString line;
            for (const FlowCell &cell : row.cells) {
                const QString text = k < cell.lines.size() ? cell.lines.at(k) : QString();
                if (text.isEmpty())
                    continue;
                const int column = columns.at(edgeIndex(cell.left));
                if (line.size() < column)
                    line += QString(column - line.size(), QLatin1Char(' '));
                else if (!line.isEmpty())
                    line += QLatin1Char(' ');
                line += text;
            }
            if (!line.trimmed().isEmpty())
                out += line + QLatin1String("\r\n");
        }
    }
    return out;
}

} // namespace

void PdfExport::exportDocument(const ReportDocument &document)
{
    checkTarget(m_fileName);
    // The writer does not tell when its device fails; it writes into memory, and the file is
    // written whole afterwards.
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QSizeF(document.paperWidth / 20, document.paperHeight / 20), QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(1440); // one unit is one twip
        writer.setTitle(document.title);
        writer.setCreator(platform::exeName());
        QPainter painter;
        if (!painter.begin(&writer))
            accessError();
        for (int p = 0; p < document.pages.size(); ++p) {
            if (p > 0)
                writer.newPage();
            paintPage(painter, document, p);
        }
        if (!painter.end())
            accessError();
    }
    writeAll(m_fileName, bytes);
}

QByteArray RtfExport::rtf(const ReportDocument &document)
{
    const double rightMargin = std::max(0.0, document.paperWidth - document.leftMargin - document.printWidth);
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fswiss Arial;}}\r\n";
    out += "\\paperw" + QByteArray::number(qRound(document.paperWidth)) + "\\paperh" +
           QByteArray::number(qRound(document.paperHeight)) + "\\margl" +
           QByteArray::number(qRound(document.leftMargin)) + "\\margr" + QByteArray::number(qRound(rightMargin)) +
           "\\margt" + QByteArray::number(qRound(document.topMargin)) + "\\margb" +
           QByteArray::number(qRound(document.bottomMargin)) + "\r\n";
    if (!document.title.isEmpty())
        out += "{\\info{\\title " + rtfEscaped(document.title) + "}}\r\n";
    for (int p = 0; p < document.pages.size(); ++p) {
        if (p > 0)
            out += "\\page\r\n";
        // Each block keeps its distance to the block above as space before it.
        double bottom = document.topMargin;
        for (const FlowBlock &block : pageFlow(document.pages.at(p))) {
            const int spaceBefore = std::max(0, qRound(block.top - bottom));
            switch (block.kind) {
            case FlowBlock::Kind::Line:
                out += rtfLine(block.line, document.leftMargin, spaceBefore);
                for (const TextPiece &piece : block.line)
                    bottom = std::max(bottom, piece.top + piece.lineHeight);
                break;
            case FlowBlock::Kind::Picture:
                out += "\\pard\\plain\\li" +
                       QByteArray::number(std::max(0, qRound(block.picture.rect.left() - document.leftMargin))) +
                       "\\sb" + QByteArray::number(spaceBefore) + " " + rtfPicture(block.picture) + "\\par\r\n";
                bottom = block.picture.rect.bottom();
                break;
            case FlowBlock::Kind::Table:
                if (spaceBefore > 0)
                    out += "\\pard\\plain\\sl-" + QByteArray::number(spaceBefore) + "\\slmult0\\fs2\\par\r\n";
                {
                    // Rows that start further right (an empty label) begin with an empty cell.
                    double tableLeft = block.rows.first().cells.first().left;
                    for (const FlowRow &row : block.rows)
                        tableLeft = std::min(tableLeft, row.cells.first().left);
                    for (const FlowRow &row : block.rows)
                        out += rtfRow(row, tableLeft, document.leftMargin);
                }
                bottom = block.rows.last().top + block.rows.last().height;
                break;
            }
        }
    }
    out += "}\r\n";
    return out;
}

void RtfExport::exportDocument(const ReportDocument &document)
{
    writeAll(m_fileName, rtf(document));
}

QString TextExport::text(const ReportDocument &document)
{
    QString out;
    for (int p = 0; p < document.pages.size(); ++p) {
        if (p > 0)
            out += QLatin1String("\f");
        for (const FlowBlock &block : pageFlow(document.pages.at(p))) {
            if (block.kind == FlowBlock::Kind::Line)
                out += textLine(block.line, document.leftMargin) + QLatin1String("\r\n");
            else if (block.kind == FlowBlock::Kind::Table)
                out += textTable(block.rows, document.leftMargin);
        }
    }
    return out;
}

void TextExport::exportDocument(const ReportDocument &document)
{
    writeAll(m_fileName, text(document).toUtf8());
}

void Report::exportReport(ReportExportFilter &filter)
{
    if (!m_hasRun)
        run();
    filter.exportDocument(m_document);
}

} // namespace controls
