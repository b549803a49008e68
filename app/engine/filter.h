#pragma once

#include "cell.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

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
    bool matches(const Row &row) const;

    struct Node;

private:
    std::shared_ptr<const Node> m_root;
};
