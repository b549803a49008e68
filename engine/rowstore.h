#pragma once

#include "cell.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3_stmt;

// The distinct texts of one column, each under a small code; code 0 stands for null. The texts
// lie one after another in a single buffer.
class Dictionary
{
public:
    static constexpr uint32_t null = 0;

    Dictionary();
    uint32_t size() const { return uint32_t(m_offsets.size() - 1); }
    std::string_view text(uint32_t code) const
    {
        return {m_chars.data() + m_offsets[code], size_t(m_offsets[code + 1] - m_offsets[code])};
    }
    // The code of a text, adding it when it is new.
    uint32_t intern(std::string_view text);
    // About how many texts a column of this many rows may bring: the first time the few slots a
    // dictionary starts with run out, it makes room for that many (up to a few thousand) at once
    // rather than doubling step by step. A column of a few distinct texts never needs more.
    void expect(size_t texts);

private:
    // A used slot of the hash table holds the text's first eight bytes and its length beside its
    // code: most texts are that short, so finding one reads the slot and nothing else.
    struct Slot
    {
        uint64_t head = 0;
        uint32_t length = 0;
        uint32_t codePlusOne = 0; // 0 for a free slot
    };

    static uint64_t head(std::string_view text);
    static size_t hash(std::string_view text, uint64_t head);
    bool matches(const Slot &slot, std::string_view text, uint64_t head) const;
    void grow();

    static constexpr size_t firstSlots = 16;

    std::string m_chars;
    std::vector<uint32_t> m_offsets;
    std::vector<Slot> m_slots;
    size_t m_slotsAfterFirst = 0;
};

// One cell as read from a statement: null, an integer or a text.
struct ReadCell
{
    enum class Kind : uint8_t { Null, Integer, Text };
    Kind kind = Kind::Null;
    long long integer = 0;
    std::string_view text;
};

// Rows copied out of a statement, so that they can be stored while the next rows are read.
// A column given as holding integers keeps an integer as one; every other value is its text.
class RowBatch
{
public:
    explicit RowBatch(std::vector<bool> integerColumns = {});
    void addFrom(sqlite3_stmt *statement, int firstColumn);
    void clear();
    size_t rowCount() const { return m_kinds.size() / std::max<size_t>(m_integerColumns.size(), 1); }
    size_t textBytes() const { return m_chars.size(); }

    // Walks the cells row by row, each row's columns in order.
    class Reader
    {
    public:
        explicit Reader(const RowBatch &batch) : m_batch(batch) {}
        ReadCell next();

    private:
        const RowBatch &m_batch;
        size_t m_cell = 0;
        size_t m_integer = 0;
        size_t m_text = 0;
    };

private:
    std::vector<bool> m_integerColumns;
    std::vector<ReadCell::Kind> m_kinds; // one per cell
    std::vector<long long> m_integers;   // one per integer cell
    std::vector<size_t> m_textEnds;      // one per text cell, into m_chars
    std::string m_chars;
};

// The cells of a table's rows in memory, column by column: integers as integers, texts as codes
// into the column's dictionary. An integer column that meets a value that is not an integer turns
// into a text column. Rows are numbered in the order they were added.
class RowStore
{
public:
    void reset(const std::vector<ColumnKind> &kinds);
    void clear();
    int rowCount() const { return int(m_alive.size()); }
    int columnCount() const { return int(m_columns.size()); }

    // Adds or replaces a row from the current row of a statement, reading the columns from
    // firstColumn on.
    int appendFrom(sqlite3_stmt *statement, int firstColumn);
    void assignFrom(int row, sqlite3_stmt *statement, int firstColumn);
    void append(const RowBatch &batch);
    void reserve(size_t rows);

    bool isAlive(int row) const { return m_alive[size_t(row)]; }
    void markDeleted(int row) { m_alive[size_t(row)] = false; }

    bool isCoded(int column) const { return !m_columns[size_t(column)].integers; }
    bool isNull(int row, int column) const
    {
        const Column &c = m_columns[size_t(column)];
        return c.integers ? c.nulls[size_t(row)] : c.codes[size_t(row)] == Dictionary::null;
    }
    uint32_t code(int row, int column) const { return m_columns[size_t(column)].codes[size_t(row)]; }
    const Dictionary &dictionary(int column) const { return m_columns[size_t(column)].dictionary; }
    long long integer(int row, int column) const { return m_columns[size_t(column)].values[size_t(row)]; }

    // The cell's text as SQLite gives it; scratch holds the digits of an integer.
    std::string_view text(int row, int column, std::string &scratch) const;
    Cell cell(int row, int column) const;
    Row row(int row) const;

private:
    struct Column
    {
        bool integers = false;
        std::vector<long long> values;
        std::vector<bool> nulls;
        std::vector<uint32_t> codes;
        Dictionary dictionary;
    };

    void addRow();
    void store(Column &column, size_t row, const ReadCell &cell);
    static void turnIntoText(Column &column);

    std::vector<Column> m_columns;
    std::vector<bool> m_alive;
};
