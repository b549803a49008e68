#pragma once

#include "cell.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class RowStore;
class ValueIndex;

// A parsed filter text: terms "column op value" (op one of = <> < > <= >=, value a quoted text,
// a number or null) joined by "and" / "or", with parentheses. Text comparisons ignore case;
// a null value satisfies only "=null"; integer columns compare numerically with a number.
class Filter
{
public:
    struct ColumnInfo
    {
        int index;
        ColumnKind kind;
    };
    using ColumnResolver = std::function<std::optional<ColumnInfo>(const QString &name)>;

    Filter() = default;
    // Throws EngineError with a readable text when the filter is malformed or names a missing column.
    static Filter parse(const QString &text, const ColumnResolver &resolve);

    // A text as a value of a filter: in single quotes, every single quote inside doubled.
    static QString quoted(const QString &value);

    bool isEmpty() const { return !m_root; }

    struct Node;

    // The filter made ready to test the rows of a store: a term on a coded column is worked out
    // once for each distinct value of the column.
    class Test
    {
    public:
        bool matches(int row) const;
        // The rows that can pass, ascending, when its terms narrow them down through the index to
        // at most limit rows; nothing when only a look at every row can tell.
        std::optional<std::vector<int>> candidates(ValueIndex &index, size_t limit) const;

        struct Step;

    private:
        friend class Filter;
        std::shared_ptr<const Node> m_nodes;
        std::shared_ptr<const Step> m_root;
    };
    Test prepare(const RowStore &store) const;

private:
    std::shared_ptr<const Node> m_root;
};
