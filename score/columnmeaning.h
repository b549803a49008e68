#pragma once

#include "rowstore.h"

#include <QString>
#include <functional>
#include <string>
#include <vector>

// One column of the stored log rows turned into what a walk over the log needs. The log repeats
// the same few texts, and a coded column names each of them once, so each is worked out once.
template<typename T>
class ColumnMeaning
{
public:
    ColumnMeaning(const RowStore &rows, int column, std::function<T(const QString &)> meaning)
        : m_rows(rows), m_column(column), m_meaning(std::move(meaning))
    {
        if (!rows.isCoded(column))
            return;
        const Dictionary &dictionary = rows.dictionary(column);
        for (uint32_t code = 0; code < dictionary.size(); ++code)
            m_byCode.push_back(m_meaning(textOf(dictionary.text(code))));
    }

    T at(int row) const
    {
        if (m_rows.isCoded(m_column))
            return m_byCode[m_rows.code(row, m_column)];
        std::string scratch;
        return m_meaning(textOf(m_rows.text(row, m_column, scratch)));
    }

    static QString textOf(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

private:
    const RowStore &m_rows;
    int m_column;
    std::function<T(const QString &)> m_meaning;
    std::vector<T> m_byCode;
};
