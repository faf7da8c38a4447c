#include "controls/ReportExport.h"

#include "controls/Report.h"
#include "platform/Environment.h"
#include "platform/SafeFile.h"
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
            out += "\\u" + QByteArray::number(qint16(u)) + '?';
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
        writer.setPageSize(QPageSize(QSizeF(document.paperWidth / 20, document.paperHeight / 20),
                                     QPageSize::Point));
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
    out += "\\paperw" + QByteArray::number(qRound(document.paperWidth)) + "\\paperh"
           + QByteArray::number(qRound(document.paperHeight)) + "\\margl"
           + QByteArray::number(qRound(document.leftMargin)) + "\\margr" + QByteArray::number(qRound(rightMargin))
           + "\\margt" + QByteArray::number(qRound(document.topMargin)) + "\\margb"
           + QByteArray::number(qRound(document.bottomMargin)) + "\r\n";
    if (!document.title.isEmpty())
        out += "{\\info{\\title " + rtfEscaped(document.title) + "}}\r\n";
    for (int p = 0; p < document.pages.size(); ++p) {
        if (p > 0)
            out += "\\page\r\n";
        // Each line keeps its distance to the line above as space before the paragraph.
        double bottom = document.topMargin;
        for (const QList<TextPiece> &line : pageTextLines(document.pages.at(p))) {
            const int indent = std::max(0, qRound(line.first().left - document.leftMargin));
            const int spaceBefore = std::max(0, qRound(line.first().top - bottom));
            for (const TextPiece &piece : line)
                bottom = std::max(bottom, piece.top + piece.lineHeight);
            QByteArray stops;
            int lastStop = indent;
            QByteArray runs;
            for (int i = 0; i < line.size(); ++i) {
                const TextPiece &piece = line.at(i);
                if (i > 0) {
                    const int stop = qRound(piece.left - document.leftMargin);
                    if (stop > lastStop) {
                        stops += "\\tx" + QByteArray::number(stop);
                        lastStop = stop;
                        runs += "\\tab";
                    } else {
                        runs += " ";
                    }
                }
                runs += "{\\f0\\fs" + QByteArray::number(qRound(piece.font.size * 2)) + (piece.font.bold ? "\\b " : " ")
                        + rtfEscaped(piece.text) + "}";
            }
            out += "\\pard\\plain\\li" + QByteArray::number(indent) + "\\sb" + QByteArray::number(spaceBefore) + stops
                   + " " + runs + "\\par\r\n";
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
        for (const QList<TextPiece> &line : pageTextLines(document.pages.at(p))) {
            QString row;
            for (const TextPiece &piece : line) {
                const int column = std::max(0, int(std::lround((piece.left - document.leftMargin) / TextColumnTwips)));
                if (row.size() < column)
                    row += QString(column - row.size(), QLatin1Char(' '));
                else if (!row.isEmpty())
                    row += QLatin1Char(' ');
                row += piece.text;
            }
            out += row + QLatin1String("\r\n");
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
        run(true);
    filter.exportDocument(m_document);
}

} // namespace controls
