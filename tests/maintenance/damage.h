#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>

// Damages a database file the way a failing disk does: whole pages overwritten with rubbish.
namespace damage {

inline QByteArray bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline int pageSize(const QByteArray &file)
{
    const int size = qFromBigEndian<quint16>(file.constData() + 16);
    return size == 1 ? 65536 : size;
}

// The 1-based number of the page that holds the text, or 0.
inline int pageHolding(const QString &path, const QByteArray &text)
{
    const QByteArray file = bytes(path);
    const qsizetype at = file.indexOf(text);
    return at < 0 ? 0 : int(at / pageSize(file)) + 1;
}

// The kind of page: 0x0D a table's leaf, 0x05 a table's inner page, 0x0A and 0x02 an index's.
inline int pageKind(const QString &path, int page)
{
    const QByteArray file = bytes(path);
    return quint8(file.at(qsizetype(page - 1) * pageSize(file) + (page == 1 ? 100 : 0)));
}

inline QByteArray page(const QString &path, int number)
{
    const QByteArray file = bytes(path);
    return file.mid(qsizetype(number - 1) * pageSize(file), pageSize(file));
}

inline bool overwritePage(const QString &path, int number)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const int size = pageSize(file.read(100));
    file.seek(qint64(number - 1) * size);
    return file.write(QByteArray(size, char(0xAB))) == size;
}

} // namespace damage
