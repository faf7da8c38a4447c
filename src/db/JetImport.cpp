#include "db/JetImport.h"

#include "db/SchemaIndexes.h"

#include <QByteArray>
#include <QDate>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <mdbtools.h>
#include <memory>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace db::jet {

namespace {

// Row offsets on a data page carry flags in their top bits.
constexpr int kRowOffsetMask = 0x1fff;
// Jet counts days from 30 December 1899; a day's fraction is its time.
constexpr qint64 kSecondsPerDay = 86400;
// Jet's currency is a whole number of ten-thousandths.
constexpr double kCurrencyScale = 10000.0;

struct MdbCloser
{
    void operator()(MdbHandle *mdb) const { mdb_close(mdb); }
};
struct TableCloser
{
    void operator()(MdbTableDef *table) const { mdb_free_tabledef(table); }
};
struct GFree
{
    void operator()(void *p) const { g_free(p); }
};
using MdbPtr = std::unique_ptr<MdbHandle, MdbCloser>;
using TablePtr = std::unique_ptr<MdbTableDef, TableCloser>;
using GString = std::unique_ptr<char, GFree>;

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

} // namespace

QByteArray dateText(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6)
        return {};
    double whole = std::trunc(days);
    qint64 seconds = std::llround(std::fabs(days - whole) * kSecondsPerDay);
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        whole += days < 0 ? -1 : 1;
    }
    const QDate day = QDate(1899, 12, 30).addDays(qint64(whole));
    QByteArray text = day.toString(Qt::ISODate).toLatin1();
    if (seconds != 0)
        text += ' ' + QTime(0, 0).addSecs(int(seconds)).toString(QStringLiteral("HH:mm:ss")).toLatin1();
    return text;
}

namespace {

// A single as the shortest decimal that reads back as it, so that 0.1 stays 0.1.
double singleValue(float f)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, f);
    double d = f;
    std::from_chars(text, result.ptr, d);
    return d;
}

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// A Jet 4 text field as UTF-8: UTF-16LE, or, after the marker FF FE, single bytes (Latin-1) with
// a zero byte switching between single bytes and UTF-16 units.
void jet4Text(const unsigned char *bytes, int size, std::u16string &units, std::string &out)
{
    out.clear();
    units.clear();
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        bool single = true;
        for (int i = 2; i < size;) {
            if (bytes[i] == 0) {
                single = !single;
                ++i;
            } else if (single) {
                units += char16_t(bytes[i++]);
            } else if (i + 1 < size) {
                units += char16_t(bytes[i] | (bytes[i + 1] << 8));
                i += 2;
            } else {
                break;
            }
        }
    } else {
        for (int i = 0; i + 1 < size; i += 2)
            units += char16_t(bytes[i] | (bytes[i + 1] << 8));
    }
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
        else if (c >= 0xD800 && c < 0xE000)
            c = 0xFFFD;
        appendUtf8(out, c);
    }
}

class TableCopy
{
public:
    TableCopy(MdbHandle *mdb, MdbTableDef *table, sqlite3 *target) : m_mdb(mdb), m_table(table), m_target(target) {}
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
        std::vector<MdbField> fields(m_table->num_cols);
        mdb_rewind_table(m_table);
        unsigned int rows = 0;
        for (; mdb_fetch_row(m_table); ++rows) {
            // mdb_fetch_row has just read the row before cur_row on the page in pg_buf; cracking it
            // again gives each field's null flag, which the fetch itself does not hand out.
            int start = 0;
            size_t size = 0;
            if (m_table->cur_row == 0 || mdb_find_row(m_mdb, int(m_table->cur_row) - 1, &start, &size) != 0) {
                *error = QStringLiteral("damaged row in %1").arg(QString::fromUtf8(m_table->name));
                return false;
            }
            const int count = mdb_crack_row(m_table, start & kRowOffsetMask, size, fields.data());
            if (count != int(m_table->num_cols)) {
                *error = QStringLiteral("damaged row in %1").arg(QString::fromUtf8(m_table->name));
                return false;
            }
            sqlite3_reset(m_insert);
            for (const MdbField &field : fields)
                if (!bind(field, error))
                    return false;
            if (sqlite3_step(m_insert) != SQLITE_DONE) {
                *error = QString::fromUtf8(sqlite3_errmsg(m_target));
                return false;
            }
        }
        // libmdb passes over pages it cannot read (a file cut short, a damaged page map): the table
        // definition's row count tells that rows are missing.
        if (rows != m_table->num_rows) {
            *error = QStringLiteral("%1 of %2 rows of %3 readable")
                         .arg(rows)
                         .arg(m_table->num_rows)
                         .arg(QString::fromUtf8(m_table->name));
            return false;
        }
        return true;
    }

private:
    bool bind(const MdbField &field, QString *error)
    {
        if (field.colnum < 0 || field.colnum >= int(m_table->num_cols)) {
            *error = QStringLiteral("damaged row");
            return false;
        }
        MdbColumn *col = columnAt(m_table, unsigned(field.colnum));
        const int slot = field.colnum + 1;
        if (col->col_type == MDB_BOOL) // a Boolean lives in the null mask: set is True
            return sqlite3_bind_int(m_insert, slot, field.is_null ? 0 : -1) == SQLITE_OK;
        if (field.is_null)
            return sqlite3_bind_null(m_insert, slot) == SQLITE_OK;
        if (field.start < 0 || field.siz < 0 || field.start + field.siz > m_mdb->fmt->pg_size) {
            *error = QStringLiteral("field outside its page");
            return false;
        }
        const auto *bytes = m_mdb->pg_buf + field.start;
        const int size = field.siz;
        auto needs = [&](int n) {
            if (size < n)
                *error = QStringLiteral("field too short");
            return size >= n;
        };
        switch (col->col_type) {
        case MDB_BYTE: return needs(1) && sqlite3_bind_int(m_insert, slot, bytes[0]) == SQLITE_OK;
        case MDB_INT:
            return needs(2) && sqlite3_bind_int(m_insert, slot, qFromLittleEndian<qint16>(bytes)) == SQLITE_OK;
        case MDB_LONGINT:
            return needs(4) && sqlite3_bind_int(m_insert, slot, qFromLittleEndian<qint32>(bytes)) == SQLITE_OK;
        case MDB_MONEY:
            return needs(8) &&
                   sqlite3_bind_double(m_insert, slot, double(qFromLittleEndian<qint64>(bytes)) / kCurrencyScale) ==
                       SQLITE_OK;
        case MDB_FLOAT:
            return needs(4) &&
                   sqlite3_bind_double(m_insert, slot, singleValue(qFromLittleEndian<float>(bytes))) == SQLITE_OK;
        case MDB_DOUBLE:
            return needs(8) && sqlite3_bind_double(m_insert, slot, qFromLittleEndian<double>(bytes)) == SQLITE_OK;
        case MDB_DATETIME: {
            if (!needs(8))
                return false;
            const QByteArray text = dateText(qFromLittleEndian<double>(bytes));
            if (text.isEmpty())
                return sqlite3_bind_null(m_insert, slot) == SQLITE_OK;
            return sqlite3_bind_text(m_insert, slot, text.constData(), int(text.size()), SQLITE_TRANSIENT) == SQLITE_OK;
        }
        case MDB_NUMERIC: {
            if (!needs(17))
                return false;
            const GString text(mdb_numeric_to_string(m_mdb, field.start, col->col_scale, col->col_prec));
            bool ok = false;
            const double value = text ? QByteArray(text.get()).toDouble(&ok) : 0.0;
            return ok ? sqlite3_bind_double(m_insert, slot, value) == SQLITE_OK
                      : sqlite3_bind_null(m_insert, slot) == SQLITE_OK;
        }
        case MDB_TEXT:
            if (IS_JET4(m_mdb)) {
                // Each column has its own buffer, which stays as it is until the row is inserted.
                std::string &text = m_texts[size_t(field.colnum)];
                jet4Text(bytes, size, m_units, text);
                return sqlite3_bind_text(m_insert, slot, text.data(), int(text.size()), SQLITE_STATIC) == SQLITE_OK;
            }
            [[fallthrough]];
        case MDB_MEMO: {
            const GString text(mdb_col_to_string(m_mdb, m_mdb->pg_buf, field.start, col->col_type, size));
            return bindText(slot, text.get());
        }
        case MDB_REPID: {
            if (!needs(16))
                return false;
            const GString text(mdb_uuid_to_string(m_mdb->pg_buf, field.start));
            return bindText(slot, text.get());
        }
        case MDB_BINARY: return sqlite3_bind_blob(m_insert, slot, bytes, size, SQLITE_TRANSIENT) == SQLITE_OK;
        case MDB_OLE: {
            col->cur_value_start = field.start;
            col->cur_value_len = size;
            size_t length = 0;
            const GString data(static_cast<char *>(mdb_ole_read_full(m_mdb, col, &length)));
            if (!data)
                return sqlite3_bind_zeroblob(m_insert, slot, 0) == SQLITE_OK;
            return sqlite3_bind_blob64(m_insert, slot, data.get(), length, SQLITE_TRANSIENT) == SQLITE_OK;
        }
        default: return sqlite3_bind_null(m_insert, slot) == SQLITE_OK;
        }
    }

    bool bindText(int slot, const char *text)
    {
        return text ? sqlite3_bind_text(m_insert, slot, text, -1, SQLITE_TRANSIENT) == SQLITE_OK
                    : sqlite3_bind_null(m_insert, slot) == SQLITE_OK;
    }

    MdbHandle *m_mdb;
    MdbTableDef *m_table;
    sqlite3 *m_target;
    sqlite3_stmt *m_insert = nullptr;
    std::vector<std::string> m_texts = std::vector<std::string>(m_table->num_cols);
    std::u16string m_units;
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
    for (MdbTableDef *table : tablesOfPart(*tables, part, parts))
        if (!TableCopy(mdb.get(), table, target).run(error))
            return false;
    if (!createSchemaIndexes(target, error))
        return false;
    if (sqlite3_exec(target, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errmsg(target));
        return false;
    }
    return true;
}

} // namespace db::jet
