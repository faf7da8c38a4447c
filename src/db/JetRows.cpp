#include "db/JetRows.h"

#include <QtEndian>

namespace db::jet::rows {

namespace {

constexpr int kOffsetMask = 0x1fff;
constexpr int kDeletedFlag = 0x8000;
constexpr int kOverflowFlag = 0x4000;
constexpr int kJumpSize = 256;
constexpr quint32 kInRowFlag = 0x80000000u;
constexpr quint32 kOnePageFlag = 0x40000000u;
constexpr quint32 kLengthMask = 0x3fffffffu;

int uint16At(const uchar *p)
{
    return qFromLittleEndian<quint16>(p);
}

RowPointer pointerAt(const uchar *p)
{
    return RowPointer{quint32(p[1]) | (quint32(p[2]) << 8) | (quint32(p[3]) << 16), p[0]};
}

// The variable part of a row: its values' offsets from the row's start lie in a table before the
// null mask, the last where the part ends. Jet 3 keeps one byte an offset and, for each further
// 256 bytes of the row, the number of the first value beyond them.
class VariablePart
{
public:
    // False when the table does not fit in the row.
    bool read(const PageFormat &format, const uchar *page, int start, int end, int maskSize)
    {
        m_page = page;
        m_jet3 = format.jet3;
        const int countSize = format.jet3 ? 1 : 2;
        m_tableEnd = end - maskSize;
        if (format.jet3) {
            if (m_tableEnd - 1 < start + countSize)
                return false;
            m_count = page[m_tableEnd - 1];
            m_jumps = (end - start - 1) / kJumpSize;
            m_first = m_tableEnd - 2 - m_jumps;
            if (m_first - m_count < start + countSize)
                return false;
            if ((m_first - start - m_count) / kJumpSize < m_jumps)
                --m_jumps; // the last jump is a filler
            return true;
        }
        if (m_tableEnd - 2 < start + countSize)
            return false;
        m_count = uint16At(page + m_tableEnd - 2);
        return m_tableEnd - 4 - 2 * m_count >= start + countSize;
    }

    int count() const { return m_count; }

    // The offset of value i (0 ... count, count: the end of the part).
    int offset(int i) const
    {
        if (!m_jet3)
            return uint16At(m_page + m_tableEnd - 4 - 2 * i);
        int passed = 0;
        while (passed < m_jumps && m_page[m_tableEnd - 2 - passed] <= i)
            ++passed;
        return m_page[m_first - i] + passed * kJumpSize;
    }

private:
    const uchar *m_page = nullptr;
    bool m_jet3 = false;
    int m_tableEnd = 0;
    int m_count = 0;
    int m_jumps = 0;
    int m_first = 0; // Jet 3: where the first value's offset is; the others before it
};

} // namespace

PageFormat jet3Format()
{
    return PageFormat{true, 2048, 8};
}

PageFormat jet4Format()
{
    return PageFormat{false, 4096, 12};
}

int rowCount(const PageFormat &format, const uchar *page)
{
    const int count = uint16At(page + format.rowCountOffset);
    return format.rowCountOffset + 2 + 2 * count <= format.pageSize ? count : -1;
}

std::optional<Slot> slot(const PageFormat &format, const uchar *page, int row)
{
    const int count = rowCount(format, page);
    if (row < 0 || row >= count)
        return std::nullopt;
    const int entry = uint16At(page + format.rowCountOffset + 2 + 2 * row);
    Slot s;
    s.deleted = entry & kDeletedFlag;
    s.overflow = entry & kOverflowFlag;
    s.start = entry & kOffsetMask;
    s.end = row == 0 ? format.pageSize : uint16At(page + format.rowCountOffset + 2 * row) & kOffsetMask;
    const int rowsFrom = format.rowCountOffset + 2 + 2 * count;
    if (s.start < rowsFrom || s.start >= s.end || s.end > format.pageSize) {
        if (!s.deleted)
            return std::nullopt;
        // A deleted row may have left no bytes behind; the far half of a moved row, read through
        // the row that points to it, is flagged deleted as well and so is bounded all the same.
        s.start = s.end = rowsFrom;
    }
    return s;
}

std::optional<RowPointer> overflowTarget(const uchar *page, const Slot &slot)
{
    if (slot.end - slot.start < 4)
        return std::nullopt;
    return pointerAt(page + slot.start);
}

bool crackRow(const PageFormat &format, const uchar *page, int start, int end, const std::vector<ColumnPlace> &columns,
              std::vector<Span> &spans)
{
    const int countSize = format.jet3 ? 1 : 2;
    if (end - start < countSize)
        return false;
    const int rowColumns = format.jet3 ? page[start] : uint16At(page + start);
    const int maskSize = (rowColumns + 7) / 8;
    if (countSize + maskSize > end - start)
        return false;
    const uchar *mask = page + end - maskSize;
    VariablePart variable;
    bool variableRead = false;
    spans.assign(columns.size(), Span{});
    for (size_t i = 0; i < columns.size(); ++i) {
        const ColumnPlace &c = columns[i];
        Span &span = spans[i];
        if (c.number >= rowColumns) // added after the row was written
            continue;
        const bool set = mask[c.number / 8] & (1 << (c.number % 8));
        if (c.inNullMask) {
            span.null = !set;
            continue;
        }
        if (!set)
            continue;
        if (c.fixed) {
            const int from = start + countSize + c.fixedOffset;
            if (c.fixedOffset < 0 || c.fixedSize < 0 || from + c.fixedSize > end - maskSize)
                return false;
            span = Span{false, from, c.fixedSize};
            continue;
        }
        if (!variableRead && !variable.read(format, page, start, end, maskSize))
            return false;
        variableRead = true;
        if (c.varIndex < 0 || c.varIndex >= variable.count())
            continue; // the row keeps fewer variable values than the column's place
        const int from = variable.offset(c.varIndex), to = variable.offset(c.varIndex + 1);
        if (from < countSize || from > to || start + to > end - maskSize)
            return false;
        span = Span{false, start + from, to - from};
    }
    return true;
}

std::optional<LongValue> longValue(const uchar *bytes, int size)
{
    if (size < kLongValueHeader)
        return std::nullopt;
    const quint32 header = qFromLittleEndian<quint32>(bytes);
    LongValue value;
    value.length = header & kLengthMask;
    value.first = pointerAt(bytes + 4);
    if ((header & kInRowFlag) && (header & kOnePageFlag))
        return std::nullopt;
    if (header & kInRowFlag) {
        value.kind = LongValue::Kind::InRow;
        if (value.length > quint32(size - kLongValueHeader))
            return std::nullopt;
    } else {
        value.kind = header & kOnePageFlag ? LongValue::Kind::OnePage : LongValue::Kind::Pages;
    }
    return value;
}

} // namespace db::jet::rows
