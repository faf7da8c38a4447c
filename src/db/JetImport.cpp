#include "db/JetImport.h"

#include "db/JetHeader.h"
#include "db/JetRows.h"
#include "db/JetValues.h"
#include "db/SchemaIndexes.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <cstdio>
#include <mdbtools.h>
#include <memory>
#include <optional>
#include <sqlite3.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace db::jet {

namespace {

// Where the header page keeps the code page of a Jet 3 file's texts.
constexpr int kCodePageOffset = 0x3c;

struct MdbCloser
{
    void operator()(MdbHandle *mdb) const { mdb_close(mdb); }
};
struct TableCloser
{
    void operator()(MdbTableDef *table) const { mdb_free_tabledef(table); }
};
using MdbPtr = std::unique_ptr<MdbHandle, MdbCloser>;
using TablePtr = std::unique_ptr<MdbTableDef, TableCloser>;

MdbPtr openMdb(const QString &path)
{
    return MdbPtr(mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS));
}

bool isUserTable(const MdbCatalogEntry *entry)
{
    if (entry->object_type != MDB_TABLE || !mdb_is_user_table(const_cast<MdbCatalogEntry *>(entry)))
        return false;
    const QByteArray name(entry->object_name);
    // "~" marks the temporary tables Access leaves behind and does not show.
    return !name.isEmpty() && !name.startsWith("MSys") && !name.startsWith('~') &&
           !name.toLower().startsWith("sqlite_");
}

// True when every row the table definition counts can be read.
bool allRowsReadable(MdbTableDef *table)
{
    if (!mdb_read_columns(table))
        return false;
    mdb_rewind_table(table);
    unsigned int rows = 0;
    while (mdb_fetch_row(table))
        ++rows;
    return rows == table->num_rows;
}

// Every user table, read with its columns; nothing when the catalogue cannot be read whole.
std::optional<std::vector<TablePtr>> userTables(MdbHandle *mdb)
{
    if (!mdb_read_catalog(mdb, MDB_TABLE))
        return std::nullopt;
    // A catalogue cut short would pass for a database with fewer tables.
    const TablePtr catalogue(mdb_read_table_by_name(mdb, const_cast<gchar *>("MSysObjects"), MDB_TABLE));
    if (!catalogue || !allRowsReadable(catalogue.get()))
        return std::nullopt;
    std::vector<TablePtr> tables;
    for (unsigned int i = 0; i < mdb->num_catalog; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
        if (!isUserTable(entry))
            continue;
        TablePtr table(mdb_read_table(entry));
        if (!table || !mdb_read_columns(table.get()) || table->num_cols == 0 || table->num_cols > MDB_MAX_COLS)
            return std::nullopt;
        tables.push_back(std::move(table));
    }
    return tables;
}

// The code page the header names for the texts of a Jet 3 file; 0 when it names none.
int codePageOf(const QString &path)
{
    QFile file(path);
    QByteArray header = file.open(QIODevice::ReadOnly) ? file.read(kCodePageOffset + 2) : QByteArray();
    if (header.size() < kCodePageOffset + 2)
        return 0;
    toggleHeaderMask(header);
    return qFromLittleEndian<quint16>(header.constData() + kCodePageOffset);
}

MdbColumn *columnAt(MdbTableDef *table, unsigned int i)
{
    return static_cast<MdbColumn *>(g_ptr_array_index(table->columns, i));
}

QByteArray quoted(const char *name)
{
    return '"' + QByteArray(name).replace('"', "\"\"") + '"';
}

const char *declaredType(int jetType)
{
    switch (jetType) {
    case MDB_BOOL: return "BOOLEAN";
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT: return "INTEGER";
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC: return "REAL";
    case MDB_DATETIME: return "DATE";
    case MDB_TEXT:
    case MDB_MEMO:
    case MDB_REPID: return "TEXT COLLATE NOCASE";
    default: return "BLOB";
    }
}

// The file's pages, each copied into a buffer of the caller's: the table scan keeps its page while
// a moved row or a long value is read from others. Read from libmdb's own descriptor with one
// system call a page (libmdb takes three); through libmdb, which removes it, when the file is
// encrypted.
class Pages
{
public:
    Pages(MdbHandle *mdb, qint64 fileSize)
        : m_mdb(mdb),
          m_format(IS_JET3(mdb) ? rows::jet3Format() : rows::jet4Format()),
          m_fileSize(fileSize),
          m_fd(mdb->f->db_key == 0 ? fileno(mdb->f->stream) : -1)
    {
    }

    const rows::PageFormat &format() const { return m_format; }
    qint64 fileSize() const { return m_fileSize; }

    // The page into the buffer; nothing when it cannot be read or is no data page.
    const uchar *read(quint32 page, std::vector<uchar> &buffer)
    {
        if (page == 0)
            return nullptr;
        buffer.resize(size_t(m_format.pageSize));
        if (m_fd >= 0) {
            if (::pread(m_fd, buffer.data(), buffer.size(), off_t(page) * m_format.pageSize) != m_format.pageSize)
                return nullptr;
        } else {
            if (mdb_read_alt_pg(m_mdb, page) != m_format.pageSize)
                return nullptr;
            std::copy(m_mdb->alt_pg_buf, m_mdb->alt_pg_buf + m_format.pageSize, buffer.begin());
        }
        return buffer[0] == kDataPage ? buffer.data() : nullptr;
    }

    // The table's next data page after `after` (0: its first) by its map of pages, into the
    // buffer; false at the end. A map libmdb does not know is searched page by page as libmdb
    // does.
    bool nextOfTable(MdbTableDef *table, quint32 &after, std::vector<uchar> &buffer)
    {
        for (;;) {
            const int next = m_fd >= 0 ? mdb_map_find_next(m_mdb, table->usage_map, table->map_sz, after) : -1;
            if (next < 0) {
                table->cur_phys_pg = after;
                if (!mdb_read_next_dpg(table))
                    return false;
                after = table->cur_phys_pg;
                buffer.assign(m_mdb->pg_buf, m_mdb->pg_buf + m_format.pageSize);
                return true;
            }
            if (next == 0)
                return false;
            after = quint32(next);
            // A page the map names for another table is passed over.
            if (read(after, buffer) &&
                qFromLittleEndian<quint32>(buffer.data() + kOwnerOffset) == table->entry->table_pg)
                return true;
        }
    }

    // The bytes of a row another row points to (a moved row, a part of a long value).
    std::optional<rows::Slot> row(const rows::RowPointer &at, std::vector<uchar> &buffer, const uchar **page)
    {
        *page = read(at.page, buffer);
        return *page ? rows::slot(m_format, *page, at.row) : std::nullopt;
    }

private:
    static constexpr uchar kDataPage = 0x01;
    // Where a data page names the table it belongs to.
    static constexpr int kOwnerOffset = 4;

    MdbHandle *m_mdb;
    rows::PageFormat m_format;
    qint64 m_fileSize;
    int m_fd; // -1: through libmdb
};

class TableCopy
{
public:
    TableCopy(MdbHandle *mdb, Pages &pages, CodePageText &codePage, MdbTableDef *table, sqlite3 *target)
        : m_mdb(mdb), m_pages(pages), m_codePage(codePage), m_table(table), m_target(target)
    {
        for (unsigned int i = 0; i < m_table->num_cols; ++i) {
            const MdbColumn *col = columnAt(m_table, i);
            rows::ColumnPlace place;
            place.number = col->col_num;
            place.fixed = col->is_fixed;
            place.fixedOffset = col->fixed_offset;
            place.varIndex = int(col->var_col_num);
            place.fixedSize = col->col_size;
            place.inNullMask = col->col_type == MDB_BOOL;
            m_places.push_back(place);
        }
    }
    ~TableCopy() { sqlite3_finalize(m_insert); }

    bool run(QString *error)
    {
        QByteArray create = "CREATE TABLE " + quoted(m_table->name) + " (";
        QByteArray insert = "INSERT INTO " + quoted(m_table->name) + " VALUES (";
        for (unsigned int i = 0; i < m_table->num_cols; ++i) {
            const MdbColumn *col = columnAt(m_table, i);
            create += (i ? ", " : "") + quoted(col->name) + ' ' + declaredType(col->col_type);
            insert += i ? ", ?" : "?";
        }
        create += ')';
        insert += ')';
        if (sqlite3_exec(m_target, create.constData(), nullptr, nullptr, nullptr) != SQLITE_OK ||
            sqlite3_prepare_v2(m_target, insert.constData(), -1, &m_insert, nullptr) != SQLITE_OK) {
            *error = QString::fromUtf8(sqlite3_errmsg(m_target));
            return false;
        }
        const rows::PageFormat &format = m_pages.format();
        unsigned int copied = 0;
        mdb_rewind_table(m_table);
        for (quint32 current = 0; m_pages.nextOfTable(m_table, current, m_page);) {
            const int count = rows::rowCount(format, m_page.data());
            if (count < 0)
                return damaged(error);
            for (int r = 0; r < count; ++r) {
                std::optional<rows::Slot> slot = rows::slot(format, m_page.data(), r);
                if (!slot)
                    return damaged(error);
                if (slot->deleted)
                    continue;
                const uchar *page = m_page.data();
                // A row that grew beyond its page was moved; it keeps its place in the table.
                for (int hops = 0; slot->overflow; ++hops) {
                    const std::optional<rows::RowPointer> target = rows::overflowTarget(page, *slot);
                    if (!target || hops == kMaxOverflowHops)
                        return damaged(error);
                    slot = m_pages.row(*target, m_moved, &page);
                    if (!slot)
                        return damaged(error);
                }
                if (!rows::crackRow(format, page, slot->start, slot->end, m_places, m_spans) || !insertRow(page, error))
                    return damaged(error);
                ++copied;
            }
        }
        // libmdb passes over pages it cannot read (a file cut short, a damaged page map): the table
        // definition's row count tells that rows are missing.
        if (copied != m_table->num_rows) {
            *error = QStringLiteral("%1 of %2 rows of %3 readable")
                         .arg(copied)
                         .arg(m_table->num_rows)
                         .arg(QString::fromUtf8(m_table->name));
            return false;
        }
        return true;
    }

private:
    // A chain of moved rows longer than this is a loop.
    static constexpr int kMaxOverflowHops = 16;

    bool damaged(QString *error)
    {
        if (error->isEmpty())
            *error = QStringLiteral("damaged row in %1").arg(QString::fromUtf8(m_table->name));
        return false;
    }

    bool insertRow(const uchar *page, QString *error)
    {
        sqlite3_reset(m_insert);
        for (unsigned int i = 0; i < m_table->num_cols; ++i)
            if (!bind(int(i), page, m_spans[i]))
                return false;
        if (sqlite3_step(m_insert) != SQLITE_DONE) {
            *error = QString::fromUtf8(sqlite3_errmsg(m_target));
            return false;
        }
        return true;
    }

    bool bind(int column, const uchar *page, const rows::Span &span)
    {
        const MdbColumn *col = columnAt(m_table, unsigned(column));
        const int slot = column + 1;
        if (col->col_type == MDB_BOOL) // a Boolean lives in the null mask: set is True
            return sqlite3_bind_int(m_insert, slot, span.null ? 0 : -1) == SQLITE_OK;
        if (span.null)
            return sqlite3_bind_null(m_insert, slot) == SQLITE_OK;
        const uchar *bytes = page + span.start;
        const int size = span.size;
        std::string &buffer = m_buffers[size_t(column)];
        switch (col->col_type) {
        case MDB_BYTE: return size >= 1 && sqlite3_bind_int(m_insert, slot, bytes[0]) == SQLITE_OK;
        case MDB_INT:
            return size >= 2 && sqlite3_bind_int(m_insert, slot, qFromLittleEndian<qint16>(bytes)) == SQLITE_OK;
        case MDB_LONGINT:
            return size >= 4 && sqlite3_bind_int(m_insert, slot, qFromLittleEndian<qint32>(bytes)) == SQLITE_OK;
        case MDB_MONEY: return size >= 8 && sqlite3_bind_double(m_insert, slot, moneyValue(bytes)) == SQLITE_OK;
        case MDB_FLOAT:
            return size >= 4 &&
                   sqlite3_bind_double(m_insert, slot, singleValue(qFromLittleEndian<float>(bytes))) == SQLITE_OK;
        case MDB_DOUBLE:
            return size >= 8 && sqlite3_bind_double(m_insert, slot, qFromLittleEndian<double>(bytes)) == SQLITE_OK;
        case MDB_DATETIME: {
            if (size < 8)
                return false;
            const QByteArray text = dateText(qFromLittleEndian<double>(bytes));
            if (text.isEmpty())
                return sqlite3_bind_null(m_insert, slot) == SQLITE_OK;
            return sqlite3_bind_text(m_insert, slot, text.constData(), int(text.size()), SQLITE_TRANSIENT) == SQLITE_OK;
        }
        case MDB_NUMERIC: {
            // libmdb keeps the scale in col_prec (and the precision in col_scale).
            const std::optional<double> value = size >= 17 ? numericValue(bytes, col->col_prec) : std::nullopt;
            return value && sqlite3_bind_double(m_insert, slot, *value) == SQLITE_OK;
        }
        case MDB_REPID:
            buffer = size >= 16 ? guidText(bytes) : std::string();
            return size >= 16 && bindText(slot, buffer);
        case MDB_TEXT: text(bytes, size, buffer); return bindText(slot, buffer);
        case MDB_MEMO: {
            std::string &raw = m_long;
            if (!longValue(bytes, size, raw))
                return false;
            text(reinterpret_cast<const uchar *>(raw.data()), int(raw.size()), buffer);
            return bindText(slot, buffer);
        }
        case MDB_OLE:
            return longValue(bytes, size, buffer) &&
                   sqlite3_bind_blob64(m_insert, slot, buffer.data(), buffer.size(), SQLITE_STATIC) == SQLITE_OK;
        default: // binary, and types of later versions: the stored bytes
            buffer.assign(reinterpret_cast<const char *>(bytes), size_t(size));
            return sqlite3_bind_blob64(m_insert, slot, buffer.data(), buffer.size(), SQLITE_STATIC) == SQLITE_OK;
        }
    }

    void text(const uchar *bytes, int size, std::string &out)
    {
        if (IS_JET3(m_mdb))
            m_codePage.decode(bytes, size, out);
        else
            jet4Text(bytes, size, out);
    }

    bool bindText(int slot, const std::string &text)
    {
        return sqlite3_bind_text64(m_insert, slot, text.data(), text.size(), SQLITE_STATIC, SQLITE_UTF8) == SQLITE_OK;
    }

    // A memo or OLE value whole: kept in the row, on one other page, or in parts over several.
    // False when any part is missing or the parts do not add up to its length.
    bool longValue(const uchar *bytes, int size, std::string &out)
    {
        out.clear();
        if (size == 0) // an empty value keeps no reference
            return true;
        const std::optional<rows::LongValue> value = rows::longValue(bytes, size);
        if (!value || qint64(value->length) > m_pages.fileSize())
            return false;
        if (value->kind == rows::LongValue::Kind::InRow) {
            out.assign(reinterpret_cast<const char *>(bytes) + rows::kLongValueHeader, value->length);
            return true;
        }
        const uchar *page = nullptr;
        if (value->kind == rows::LongValue::Kind::OnePage) {
            const std::optional<rows::Slot> part = m_pages.row(value->first, m_longPage, &page);
            if (!part || quint32(part->end - part->start) < value->length)
                return false;
            out.assign(reinterpret_cast<const char *>(page) + part->start, value->length);
            return true;
        }
        // Each part begins with where the next one is.
        out.reserve(value->length);
        rows::RowPointer next = value->first;
        while (out.size() < value->length) {
            const std::optional<rows::Slot> part = m_pages.row(next, m_longPage, &page);
            const std::optional<rows::RowPointer> following = part ? rows::overflowTarget(page, *part) : std::nullopt;
            if (!part || !following || part->end - part->start <= 4)
                return false;
            const size_t take = std::min<size_t>(size_t(part->end - part->start - 4), value->length - out.size());
            out.append(reinterpret_cast<const char *>(page) + part->start + 4, take);
            next = *following;
        }
        return true;
    }

    MdbHandle *m_mdb;
    Pages &m_pages;
    CodePageText &m_codePage;
    MdbTableDef *m_table;
    sqlite3 *m_target;
    sqlite3_stmt *m_insert = nullptr;
    std::vector<rows::ColumnPlace> m_places;
    std::vector<rows::Span> m_spans;
    std::vector<uchar> m_page, m_moved, m_longPage;
    // Each column's value stays in its own buffer until the row is inserted.
    std::vector<std::string> m_buffers = std::vector<std::string>(m_table->num_cols);
    std::string m_long;
};

} // namespace

qint64 readAllRows(const QString &path)
{
    const MdbPtr mdb = openMdb(path);
    if (!mdb)
        return -1;
    auto tables = userTables(mdb.get());
    if (!tables)
        return -1;
    qint64 rows = 0;
    std::vector<char> buffers;
    std::vector<int> lengths;
    for (const TablePtr &table : *tables) {
        buffers.assign(size_t(table->num_cols) * mdb->bind_size, '\0');
        lengths.assign(table->num_cols, 0);
        for (unsigned int i = 0; i < table->num_cols; ++i)
            mdb_bind_column(table.get(), int(i) + 1, buffers.data() + i * mdb->bind_size, &lengths[i]);
        mdb_rewind_table(table.get());
        while (mdb_fetch_row(table.get()))
            ++rows;
    }
    return rows;
}

std::vector<MdbTableDef *> tablesOfPart(const std::vector<TablePtr> &tables, int part, int parts)
{
    // Largest tables first, each to the part with the fewest rows so far: every worker computes the
    // same split from the table definitions.
    std::vector<MdbTableDef *> bySize;
    for (const TablePtr &table : tables)
        bySize.push_back(table.get());
    std::stable_sort(bySize.begin(), bySize.end(),
                     [](const MdbTableDef *a, const MdbTableDef *b) { return a->num_rows > b->num_rows; });
    std::vector<quint64> load(size_t(std::max(parts, 1)), 0);
    std::vector<MdbTableDef *> mine;
    for (MdbTableDef *table : bySize) {
        const auto least = size_t(std::min_element(load.begin(), load.end()) - load.begin());
        load[least] += quint64(table->num_rows + 1) * table->num_cols;
        if (int(least) == part)
            mine.push_back(table);
    }
    return mine;
}

bool importTables(const QString &path, sqlite3 *target, int part, int parts, QString *error)
{
    QString reason;
    if (!error)
        error = &reason;
    const MdbPtr mdb = openMdb(path);
    if (!mdb) {
        *error = QStringLiteral("not a Jet file libmdb reads");
        return false;
    }
    auto tables = userTables(mdb.get());
    if (!tables) {
        *error = QStringLiteral("damaged catalogue or table definition");
        return false;
    }
    if (sqlite3_exec(target, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errmsg(target));
        return false;
    }
    Pages pages(mdb.get(), QFileInfo(path).size());
    CodePageText codePage(IS_JET3(mdb.get()) ? codePageOf(path) : 0);
    for (MdbTableDef *table : tablesOfPart(*tables, part, parts))
        if (!TableCopy(mdb.get(), pages, codePage, table, target).run(error))
            return false;
    if (!createSchemaIndexes(target, error))
        return false;
    if (sqlite3_exec(target, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errmsg(target));
        return false;
    }
    return true;
}

std::optional<QByteArrayList> userTableNames(const QString &path)
{
    const MdbPtr mdb = openMdb(path);
    const auto tables = mdb ? userTables(mdb.get()) : std::nullopt;
    if (!tables)
        return std::nullopt;
    QByteArrayList names;
    for (const TablePtr &table : *tables)
        names.append(QByteArray(table->name));
    return names;
}

} // namespace db::jet
