#include "rowstore.h"

#include <algorithm>
#include <cstring>
#include <sqlite3.h>

Dictionary::Dictionary() : m_offsets{0, 0}, m_slots(16)
{
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
    std::vector<Slot> slots(m_slots.size() * 2);
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
        }
    }
    m_alive.reserve(rows);
}

int RowStore::appendFrom(sqlite3_stmt *statement, int firstColumn)
{
    const size_t row = m_alive.size();
    m_alive.push_back(true);
    for (size_t i = 0; i < m_columns.size(); ++i) {
        Column &column = m_columns[i];
        if (column.integers) {
            column.values.push_back(0);
            column.nulls.push_back(true);
        } else {
            column.codes.push_back(Dictionary::null);
        }
        store(column, row, statement, firstColumn + int(i));
    }
    return int(row);
}

void RowStore::assignFrom(int row, sqlite3_stmt *statement, int firstColumn)
{
    for (size_t i = 0; i < m_columns.size(); ++i)
        store(m_columns[i], size_t(row), statement, firstColumn + int(i));
}

void RowStore::store(Column &column, size_t row, sqlite3_stmt *statement, int index)
{
    if (column.integers) {
        const int type = sqlite3_column_type(statement, index);
        if (type == SQLITE_NULL || type == SQLITE_INTEGER) {
            column.nulls[row] = type == SQLITE_NULL;
            column.values[row] = type == SQLITE_NULL ? 0 : sqlite3_column_int64(statement, index);
            return;
        }
        turnIntoText(column);
    }
    // Only a null has no text, an empty one included.
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, index));
    if (!text) {
        column.codes[row] = Dictionary::null;
        return;
    }
    column.codes[row] = column.dictionary.intern({text, size_t(sqlite3_column_bytes(statement, index))});
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
