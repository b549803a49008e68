#include "rowstore.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <sqlite3.h>

Dictionary::Dictionary() : m_offsets{0, 0}, m_slots(firstSlots)
{
}

void Dictionary::expect(size_t texts)
{
    constexpr size_t mostTextsExpected = 4096;
    // Room for twice the texts keeps the slots at most half used, as intern() does.
    m_slotsAfterFirst = std::bit_ceil(2 * std::min(texts, mostTextsExpected));
}

inline uint64_t Dictionary::head(std::string_view text)
{
    uint64_t head = 0;
    if (text.size() >= sizeof head) {
        std::memcpy(&head, text.data(), sizeof head);
        return head;
    }
    for (size_t i = 0; i < text.size(); ++i)
        head |= uint64_t(static_cast<unsigned char>(text[i])) << (8 * i);
    return head;
}

inline size_t Dictionary::hash(std::string_view text, uint64_t head)
{
    uint64_t h = (head ^ (uint64_t(text.size()) << 56)) * 0x9E3779B97F4A7C15ull;
    for (size_t i = sizeof head; i < text.size(); ++i)
        h = (h ^ static_cast<unsigned char>(text[i])) * 1099511628211ull;
    return size_t(h ^ (h >> 29));
}

inline bool Dictionary::matches(const Slot &slot, std::string_view text, uint64_t head) const
{
    if (slot.length != text.size() || slot.head != head)
        return false;
    return text.size() <= sizeof head
           || std::memcmp(m_chars.data() + m_offsets[slot.codePlusOne - 1] + sizeof head, text.data() + sizeof head,
                          text.size() - sizeof head)
                  == 0;
}

uint32_t Dictionary::intern(std::string_view text)
{
    const uint64_t key = head(text);
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = hash(text, key) & mask;; slot = (slot + 1) & mask) {
        Slot &entry = m_slots[slot];
        if (entry.codePlusOne == 0) {
            const uint32_t code = size();
            m_chars.append(text);
            m_offsets.push_back(uint32_t(m_chars.size()));
            entry = {key, uint32_t(text.size()), code + 1};
            if (size_t(code) * 2 >= m_slots.size())
                grow();
            return code;
        }
        if (matches(entry, text, key))
            return entry.codePlusOne - 1;
    }
}

void Dictionary::grow()
{
    const size_t doubled = m_slots.size() * 2;
    std::vector<Slot> slots(m_slots.size() == firstSlots ? std::max(doubled, m_slotsAfterFirst) : doubled);
    const size_t mask = slots.size() - 1;
    for (const Slot &entry : m_slots) {
        if (entry.codePlusOne == 0)
            continue;
        size_t slot = hash(text(entry.codePlusOne - 1), entry.head) & mask;
        while (slots[slot].codePlusOne != 0)
            slot = (slot + 1) & mask;
        slots[slot] = entry;
    }
    m_slots = std::move(slots);
}

void RowStore::reset(const std::vector<ColumnKind> &kinds)
{
    m_columns.clear();
    m_columns.resize(kinds.size());
    for (size_t i = 0; i < kinds.size(); ++i)
        m_columns[i].integers = kinds[i] == ColumnKind::Integer || kinds[i] == ColumnKind::Boolean;
    m_alive.clear();
}

void RowStore::clear()
{
    m_columns.clear();
    m_alive.clear();
}

void RowStore::reserve(size_t rows)
{
    for (Column &column : m_columns) {
        if (column.integers) {
            column.values.reserve(rows);
            column.nulls.reserve(rows);
        } else {
            column.codes.reserve(rows);
            column.dictionary.expect(rows);
        }
    }
    m_alive.reserve(rows);
}

namespace {

ReadCell readCell(sqlite3_stmt *statement, int index, bool integers)
{
    if (integers) {
        const int type = sqlite3_column_type(statement, index);
        if (type == SQLITE_NULL)
            return {};
        if (type == SQLITE_INTEGER)
            return {ReadCell::Kind::Integer, sqlite3_column_int64(statement, index), {}};
    }
    // Only a null has no text, an empty one included.
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, index));
    if (!text)
        return {};
    return {ReadCell::Kind::Text, 0, {text, size_t(sqlite3_column_bytes(statement, index))}};
}

} // namespace

RowBatch::RowBatch(std::vector<bool> integerColumns) : m_integerColumns(std::move(integerColumns))
{
}

void RowBatch::addFrom(sqlite3_stmt *statement, int firstColumn)
{
    for (size_t i = 0; i < m_integerColumns.size(); ++i) {
        const ReadCell cell = readCell(statement, firstColumn + int(i), m_integerColumns[i]);
        m_kinds.push_back(cell.kind);
        if (cell.kind == ReadCell::Kind::Integer) {
            m_integers.push_back(cell.integer);
        } else if (cell.kind == ReadCell::Kind::Text) {
            m_chars.append(cell.text);
            m_textEnds.push_back(m_chars.size());
        }
    }
}

void RowBatch::clear()
{
    m_kinds.clear();
    m_integers.clear();
    m_textEnds.clear();
    m_chars.clear();
}

ReadCell RowBatch::Reader::next()
{
    const ReadCell::Kind kind = m_batch.m_kinds[m_cell++];
    if (kind == ReadCell::Kind::Integer)
        return {kind, m_batch.m_integers[m_integer++], {}};
    if (kind == ReadCell::Kind::Null)
        return {};
    const size_t begin = m_text == 0 ? 0 : m_batch.m_textEnds[m_text - 1];
    const size_t end = m_batch.m_textEnds[m_text++];
    return {kind, 0, {m_batch.m_chars.data() + begin, end - begin}};
}

void RowStore::addRow()
{
    m_alive.push_back(true);
    for (Column &column : m_columns) {
        if (column.integers) {
            column.values.push_back(0);
            column.nulls.push_back(true);
        } else {
            column.codes.push_back(Dictionary::null);
        }
    }
}

int RowStore::appendFrom(sqlite3_stmt *statement, int firstColumn)
{
    const size_t row = m_alive.size();
    addRow();
    assignFrom(int(row), statement, firstColumn);
    return int(row);
}

void RowStore::assignFrom(int row, sqlite3_stmt *statement, int firstColumn)
{
    for (size_t i = 0; i < m_columns.size(); ++i) {
        Column &column = m_columns[i];
        store(column, size_t(row), readCell(statement, firstColumn + int(i), column.integers));
    }
}

void RowStore::append(const RowBatch &batch)
{
    RowBatch::Reader cells(batch);
    for (size_t i = 0; i < batch.rowCount(); ++i) {
        const size_t row = m_alive.size();
        addRow();
        for (Column &column : m_columns)
            store(column, row, cells.next());
    }
}

void RowStore::store(Column &column, size_t row, const ReadCell &cell)
{
    if (column.integers) {
        if (cell.kind != ReadCell::Kind::Text) {
            column.nulls[row] = cell.kind == ReadCell::Kind::Null;
            column.values[row] = cell.integer;
            return;
        }
        turnIntoText(column);
    }
    switch (cell.kind) {
    case ReadCell::Kind::Null: column.codes[row] = Dictionary::null; break;
    // An integer read for a column that has since turned into text, written as SQLite writes it.
    case ReadCell::Kind::Integer: column.codes[row] = column.dictionary.intern(std::to_string(cell.integer)); break;
    case ReadCell::Kind::Text: column.codes[row] = column.dictionary.intern(cell.text); break;
    }
}

void RowStore::turnIntoText(Column &column)
{
    column.codes.resize(column.values.size());
    for (size_t row = 0; row < column.values.size(); ++row)
        column.codes[row] = column.nulls[row] ? Dictionary::null : column.dictionary.intern(std::to_string(column.values[row]));
    column.values = {};
    column.nulls = {};
    column.integers = false;
}

std::string_view RowStore::text(int row, int column, std::string &scratch) const
{
    const Column &c = m_columns[size_t(column)];
    if (!c.integers)
        return c.dictionary.text(c.codes[size_t(row)]);
    if (c.nulls[size_t(row)])
        return {};
    scratch = std::to_string(c.values[size_t(row)]);
    return scratch;
}

Cell RowStore::cell(int row, int column) const
{
    if (isNull(row, column))
        return {};
    std::string scratch;
    return {std::string(text(row, column, scratch)), false};
}

Row RowStore::row(int row) const
{
    Row out;
    out.reserve(m_columns.size());
    for (int column = 0; column < columnCount(); ++column)
        out.push_back(cell(row, column));
    return out;
}
