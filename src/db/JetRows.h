#pragma once

// How a Jet data page keeps its rows and a row its values: plain functions over the bytes of a
// page, for Jet 3 and Jet 4 alike. Every offset is checked against the row, so that a damaged
// page gives "damaged" rather than values read from elsewhere.

#include <QtGlobal>

#include <optional>
#include <vector>

namespace db::jet::rows {

struct PageFormat
{
    bool jet3 = false;
    int pageSize = 4096;
    int rowCountOffset = 12; // where a data page counts its rows
};

PageFormat jet3Format();
PageFormat jet4Format();

// One entry of a data page's row table.
struct Slot
{
    int start = 0; // the row's bytes are [start, end) on the page
    int end = 0;
    bool deleted = false;  // deleted, or the far half of a row moved to another page
    bool overflow = false; // the row was moved: it holds only where it went
};

int rowCount(const PageFormat &format, const uchar *page);
// The row's entry; nothing when the row table is damaged. A deleted row whose bytes lie outside
// its page has none.
std::optional<Slot> slot(const PageFormat &format, const uchar *page, int row);

// Where a moved row went: its page and row number.
struct RowPointer
{
    quint32 page = 0;
    int row = 0;
};
std::optional<RowPointer> overflowTarget(const uchar *page, const Slot &slot);

// Where a column's values lie in the rows, as the table definition gives it.
struct ColumnPlace
{
    int number = 0;     // its bit in a row's null mask
    bool fixed = false; // kept at fixedOffset, else in the variable part at varIndex
    int fixedOffset = 0;
    int varIndex = 0;
    int fixedSize = 0;
    bool inNullMask = false; // a Boolean: the bit is its value
};

// A value in a row: Null (for a Boolean: False), or the bytes [start, start + size) of the page.
struct Span
{
    bool null = true;
    int start = 0;
    int size = 0;
};

// Splits the row [start, end) of the page into its columns' spans. A row keeps the columns the
// table had when it was written: a column added since is Null there, one deleted since is
// passed over. False when the row is damaged.
bool crackRow(const PageFormat &format, const uchar *page, int start, int end, const std::vector<ColumnPlace> &columns,
              std::vector<Span> &spans);

// The reference a row holds for a memo or OLE value kept apart from it.
struct LongValue
{
    enum class Kind { InRow, OnePage, Pages } kind = Kind::InRow;
    quint32 length = 0;
    RowPointer first; // OnePage, Pages: the row that holds (the first part of) the value
};
constexpr int kLongValueHeader = 12;
// Nothing when the reference is damaged.
std::optional<LongValue> longValue(const uchar *bytes, int size);

} // namespace db::jet::rows
