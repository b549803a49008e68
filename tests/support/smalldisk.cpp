#include "smalldisk.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <sys/mount.h>

SmallDisk::SmallDisk(int kilobytes)
{
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,mode=0777";
    m_mounted = ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, options.constData()) == 0;
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

void SmallDisk::fill(qint64 leaveFree, const QString &fillerName)
{
    QFile filler(QDir(path()).filePath(fillerName));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return;
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) {
    }
    // The last partial block, byte by byte in big steps down.
    for (qint64 size = 2048; size > 0; size /= 2) {
        while (filler.write(block.left(size)) == size) {
        }
    }
    if (leaveFree > 0)
        filler.resize(std::max<qint64>(0, filler.size() - leaveFree));
}

void SmallDisk::free(const QString &fillerName)
{
    QFile::remove(QDir(path()).filePath(fillerName));
}
