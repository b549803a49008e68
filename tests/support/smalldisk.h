#pragma once

#include <QString>
#include <QTemporaryDir>

// A small file system of its own (a tmpfs) mounted on a temporary folder for as long as the object
// lives, to see what the programs do when a disk fills up. Mounting needs root's rights; without
// them isMounted() is false and the test skips.
class SmallDisk
{
public:
    explicit SmallDisk(int kilobytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool isMounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    // Takes up all the space left but the given number of bytes with a file of the given name.
    void fill(qint64 leaveFree = 0, const QString &fillerName = QStringLiteral("filler"));
    // Frees the space fill() took.
    void free(const QString &fillerName = QStringLiteral("filler"));

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
