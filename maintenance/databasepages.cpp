#include "databasepages.h"

#include <QFile>
#include <QtEndian>
#include <cstring>

namespace {

constexpr int tableInner = 0x05;
constexpr int tableLeaf = 0x0D;

quint32 read32(const unsigned char *at)
{
    return qFromBigEndian<quint32>(at);
}

quint16 read16(const unsigned char *at)
{
    return qFromBigEndian<quint16>(at);
}

// An SQLite varint at at, not reading past end; the number of bytes it took, or 0.
int varint(const unsigned char *at, const unsigned char *end, quint64 &value)
{
    value = 0;
    for (int i = 0; i < 9; ++i) {
        if (at + i >= end)
            return 0;
        if (i == 8) {
            value = (value << 8) | at[i];
            return 9;
        }
        value = (value << 7) | (at[i] & 0x7f);
        if (!(at[i] & 0x80))
            return i + 1;
    }
    return 0;
}

} // namespace

bool decodeRecord(const QByteArray &payload, std::vector<DatabasePages::Value> &values)
{
    values.clear();
    const auto *begin = reinterpret_cast<const unsigned char *>(payload.constData());
    const unsigned char *end = begin + payload.size();
    quint64 headerSize = 0;
    int used = varint(begin, end, headerSize);
    if (used == 0 || headerSize < quint64(used) || headerSize > quint64(payload.size()))
        return false;
    std::vector<quint64> types;
    for (const unsigned char *at = begin + used; at < begin + headerSize;) {
        quint64 type = 0;
        const int n = varint(at, begin + headerSize, type);
        if (n == 0 || type == 10 || type == 11)
            return false;
        types.push_back(type);
        at += n;
    }
    const unsigned char *body = begin + headerSize;
    for (const quint64 type : types) {
        DatabasePages::Value value;
        quint64 length = 0;
        if (type >= 12)
            length = (type - 12) / 2;
        else if (type >= 1 && type <= 6)
            length = type == 5 ? 6 : type == 6 ? 8 : type;
        else if (type == 7)
            length = 8;
        if (length > quint64(end - body))
            return false;
        if (type == 0) {
            value.kind = DatabasePages::Value::Null;
        } else if (type <= 6) {
            qint64 number = qint8(body[0]); // sign taken from the first byte
            for (quint64 i = 1; i < length; ++i)
                number = qint64(quint64(number) << 8 | body[i]);
            value.kind = DatabasePages::Value::Integer;
            value.integer = number;
        } else if (type == 7) {
            const quint64 bits = qFromBigEndian<quint64>(body);
            std::memcpy(&value.real, &bits, sizeof bits);
            value.kind = DatabasePages::Value::Real;
        } else if (type == 8 || type == 9) {
            value.kind = DatabasePages::Value::Integer;
            value.integer = type == 9 ? 1 : 0;
        } else {
            value.kind = type % 2 ? DatabasePages::Value::Text : DatabasePages::Value::Blob;
            value.bytes = QByteArray(reinterpret_cast<const char *>(body), qsizetype(length));
        }
        body += length;
        values.push_back(std::move(value));
    }
    return body == end;
}

DatabasePages::DatabasePages(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    m_file = file.readAll();
    if (m_file.size() < 100 || !m_file.startsWith(QByteArray("SQLite format 3", 16)))
        return;
    const auto *header = reinterpret_cast<const unsigned char *>(m_file.constData());
    const int size = read16(header + 16) == 1 ? 65536 : read16(header + 16);
    if (size < 512 || (size & (size - 1)) != 0)
        return;
    m_pageSize = size;
    m_usable = size - header[20];
    m_pageCount = int(m_file.size() / size);
    markFreePages();
}

const unsigned char *DatabasePages::page(int number) const
{
    return reinterpret_cast<const unsigned char *>(m_file.constData()) + qsizetype(number - 1) * m_pageSize;
}

int DatabasePages::kind(int number) const
{
    if (number < 1 || number > m_pageCount)
        return -1;
    return page(number)[headerOffset(number)];
}

void DatabasePages::markFreePages()
{
    const auto *header = reinterpret_cast<const unsigned char *>(m_file.constData());
    int trunk = int(read32(header + 32));
    while (trunk >= 2 && trunk <= m_pageCount && m_free.insert(trunk).second) {
        const unsigned char *at = page(trunk);
        const quint32 leaves = read32(at + 4);
        if (leaves > quint32(m_usable / 4 - 2))
            break;
        for (quint32 i = 0; i < leaves; ++i) {
            const int leaf = int(read32(at + 8 + 4 * i));
            if (leaf >= 2 && leaf <= m_pageCount)
                m_free.insert(leaf);
        }
        trunk = int(read32(at));
    }
}

DatabasePages::Tree DatabasePages::walk(int root)
{
    Tree tree;
    if (!isReadable())
        return tree;
    std::vector<int> pending{root};
    std::set<int> seen;
    while (!pending.empty()) {
        const int number = pending.back();
        pending.pop_back();
        if (!seen.insert(number).second || m_free.count(number)) {
            tree.damaged = true;
            continue;
        }
        const int type = kind(number);
        if (type == tableLeaf) {
            tree.leaves.push_back(number);
            m_owned.insert(number);
            continue;
        }
        if (type != tableInner) {
            tree.damaged = true;
            continue;
        }
        m_owned.insert(number);
        const unsigned char *at = page(number) + headerOffset(number);
        const int cells = read16(at + 3);
        const int pointers = headerOffset(number) + 12;
        if (pointers + 2 * cells > m_usable) {
            tree.damaged = true;
            continue;
        }
        pending.push_back(int(read32(at + 8)));
        for (int i = 0; i < cells; ++i) {
            const int offset = read16(page(number) + pointers + 2 * i);
            if (offset < pointers + 2 * cells || offset + 4 > m_usable) {
                tree.damaged = true;
                continue;
            }
            pending.push_back(int(read32(page(number) + offset)));
        }
    }
    return tree;
}

std::vector<int> DatabasePages::unownedLeaves() const
{
    std::vector<int> leaves;
    for (int number = 2; number <= m_pageCount; ++number) {
        if (kind(number) == tableLeaf && !m_owned.count(number) && !m_free.count(number))
            leaves.push_back(number);
    }
    return leaves;
}

bool DatabasePages::payload(int number, int cellOffset, qint64 &rowid, QByteArray &bytes) const
{
    const unsigned char *base = page(number);
    const unsigned char *end = base + m_usable;
    const unsigned char *at = base + cellOffset;
    quint64 size = 0, key = 0;
    int n = varint(at, end, size);
    if (n == 0)
        return false;
    at += n;
    n = varint(at, end, key);
    if (n == 0)
        return false;
    at += n;
    rowid = qint64(key);
    // The most a cell keeps on its own page; the rest follows on a chain of overflow pages.
    const quint64 inline_ = quint64(m_usable - 35);
    if (size > quint64(m_pageCount) * quint64(m_usable))
        return false;
    quint64 local = size;
    if (size > inline_) {
        const quint64 least = quint64((m_usable - 12) * 32 / 255 - 23);
        const quint64 fitted = least + (size - least) % quint64(m_usable - 4);
        local = fitted <= inline_ ? fitted : least;
    }
    if (local > quint64(end - at) || (local < size && local + 4 > quint64(end - at)))
        return false;
    bytes = QByteArray(reinterpret_cast<const char *>(at), qsizetype(local));
    if (local == size)
        return true;
    int overflow = int(read32(at + local));
    std::set<int> seen;
    while (quint64(bytes.size()) < size) {
        if (overflow < 2 || overflow > m_pageCount || !seen.insert(overflow).second)
            return false;
        const unsigned char *next = page(overflow);
        const quint64 take = std::min<quint64>(size - quint64(bytes.size()), quint64(m_usable - 4));
        bytes.append(reinterpret_cast<const char *>(next + 4), qsizetype(take));
        overflow = int(read32(next));
    }
    return true;
}

std::vector<DatabasePages::Record> DatabasePages::records(int number) const
{
    std::vector<Record> found;
    if (kind(number) != tableLeaf)
        return found;
    const unsigned char *at = page(number) + headerOffset(number);
    const int cells = read16(at + 3);
    const int pointers = headerOffset(number) + 8;
    if (pointers + 2 * cells > m_usable)
        return found;
    for (int i = 0; i < cells; ++i) {
        const int offset = read16(page(number) + pointers + 2 * i);
        if (offset < pointers + 2 * cells || offset >= m_usable)
            continue;
        Record record;
        QByteArray bytes;
        if (payload(number, offset, record.rowid, bytes) && decodeRecord(bytes, record.values))
            found.push_back(std::move(record));
    }
    return found;
}
