#pragma once

#include <cstdint>
#include <cstddef>
#include <vector>

class RowStore;

// For the coded columns of a row store: each code to the live rows holding it, in storage order.
// A column's index is built the first time it is asked for and then kept up to date by the
// owner of the store through added, changed and removed.
class ValueIndex
{
public:
    explicit ValueIndex(const RowStore &store) : m_store(store) {}

    void clear() { m_columns.clear(); }
    // The rows of the column holding one of the codes, ascending.
    std::vector<int> rows(int column, const std::vector<uint32_t> &codes);
    // How many live rows hold one of the codes.
    size_t count(int column, const std::vector<uint32_t> &codes);

    // Calls for a row of the store after it was added, before and after its cells change, and
    // when it is deleted.
    void added(int row);
    void changing(int row);
    void changed(int row);
    void removed(int row);

private:
    using Lists = std::vector<std::vector<int>>;

    Lists &lists(int column);
    static void insert(std::vector<int> &list, int row);
    static void erase(std::vector<int> &list, int row);

    const RowStore &m_store;
    std::vector<Lists> m_columns; // empty while a column has no index
    std::vector<uint32_t> m_before; // the codes of a changing row
};
