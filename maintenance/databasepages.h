#pragma once

#include <QByteArray>
#include <QString>
#include <set>
#include <vector>

// Reads the pages of an SQLite database file by the file format (header, b-tree pages, cells,
// records, overflow chains) without SQLite, to reach the records of a table whose root or inner
// pages are damaged: they still lie intact on its leaf pages. Every cell is checked before it is
// taken; a cell that does not decode cleanly is passed over.
class DatabasePages
{
public:
    struct Value
    {
        enum Kind { Null, Integer, Real, Text, Blob } kind = Null;
        qint64 integer = 0;
        double real = 0;
        QByteArray bytes; // text in the file's encoding (UTF-8 for this program), or a blob
    };
    struct Record
    {
        qint64 rowid = 0;
        std::vector<Value> values;
    };
    // What a walk from a table's root found: its leaf pages, and whether a page on the way was
    // not a page of the table (so some of its leaves may lie elsewhere).
    struct Tree
    {
        std::vector<int> leaves;
        bool damaged = false;
    };

    explicit DatabasePages(const QString &path);

    bool isReadable() const { return m_pageSize > 0; }
    int pageCount() const { return m_pageCount; }

    // Follows the inner pages from root; every page reached counts as owned from then on.
    Tree walk(int root);
    // Table leaf pages that no walk reached and that are not on the free list: the leaves of a
    // tree whose upper pages are lost (deleted data lies on free pages and is not brought back).
    std::vector<int> unownedLeaves() const;
    // The records of a table leaf page that decode cleanly.
    std::vector<Record> records(int page) const;

private:
    const unsigned char *page(int number) const;
    int headerOffset(int number) const { return number == 1 ? 100 : 0; }
    int kind(int number) const;
    bool payload(int number, int cellOffset, qint64 &rowid, QByteArray &bytes) const;
    void markFreePages();

    QByteArray m_file;
    int m_pageSize = 0;
    int m_usable = 0;
    int m_pageCount = 0;
    std::set<int> m_owned;
    std::set<int> m_free;
};

// Decodes one record (header of serial types, then the values); false when it is not a clean one.
bool decodeRecord(const QByteArray &payload, std::vector<DatabasePages::Value> &values);
