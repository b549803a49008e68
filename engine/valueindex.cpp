#include "valueindex.h"

#include "rowstore.h"

#include <algorithm>

ValueIndex::Lists &ValueIndex::lists(int column)
{
    if (m_columns.size() != size_t(m_store.columnCount()))
        m_columns.assign(size_t(m_store.columnCount()), {});
    Lists &lists = m_columns[size_t(column)];
    if (lists.empty()) {
        lists.resize(m_store.dictionary(column).size());
        std::vector<int> counts(lists.size(), 0);
        for (int row = 0; row < m_store.rowCount(); ++row) {
            if (m_store.isAlive(row))
                ++counts[m_store.code(row, column)];
        }
        for (size_t code = 0; code < lists.size(); ++code)
            lists[code].reserve(size_t(counts[code]));
        for (int row = 0; row < m_store.rowCount(); ++row) {
            if (m_store.isAlive(row))
                lists[m_store.code(row, column)].push_back(row);
        }
    }
    return lists;
}

std::vector<int> ValueIndex::rows(int column, const std::vector<uint32_t> &codes)
{
    Lists &all = lists(column);
    std::vector<int> out;
    for (const uint32_t code : codes) {
        if (code >= all.size())
            continue;
        const std::vector<int> &list = all[code];
        const size_t mid = out.size();
        out.insert(out.end(), list.begin(), list.end());
        std::inplace_merge(out.begin(), out.begin() + std::ptrdiff_t(mid), out.end());
    }
    return out;
}

size_t ValueIndex::count(int column, const std::vector<uint32_t> &codes)
{
    Lists &all = lists(column);
    size_t total = 0;
    for (const uint32_t code : codes)
        total += code < all.size() ? all[code].size() : 0;
    return total;
}

void ValueIndex::insert(std::vector<int> &list, int row)
{
    list.insert(std::lower_bound(list.begin(), list.end(), row), row);
}

void ValueIndex::erase(std::vector<int> &list, int row)
{
    const auto at = std::lower_bound(list.begin(), list.end(), row);
    if (at != list.end() && *at == row)
        list.erase(at);
}

void ValueIndex::added(int row)
{
    for (size_t column = 0; column < m_columns.size(); ++column) {
        Lists &lists = m_columns[column];
        if (lists.empty())
            continue;
        const uint32_t code = m_store.code(row, int(column));
        if (code >= lists.size())
            lists.resize(code + 1);
        insert(lists[code], row);
    }
}

void ValueIndex::changing(int row)
{
    m_before.assign(m_columns.size(), 0);
    for (size_t column = 0; column < m_columns.size(); ++column) {
        if (!m_columns[column].empty())
            m_before[column] = m_store.code(row, int(column));
    }
}

void ValueIndex::changed(int row)
{
    for (size_t column = 0; column < m_columns.size() && column < m_before.size(); ++column) {
        Lists &lists = m_columns[column];
        if (lists.empty())
            continue;
        const uint32_t code = m_store.code(row, int(column));
        if (code == m_before[column])
            continue;
        erase(lists[m_before[column]], row);
        if (code >= lists.size())
            lists.resize(code + 1);
        insert(lists[code], row);
    }
}

void ValueIndex::removed(int row)
{
    for (size_t column = 0; column < m_columns.size(); ++column) {
        Lists &lists = m_columns[column];
        if (!lists.empty())
            erase(lists[m_store.code(row, int(column))], row);
    }
}
