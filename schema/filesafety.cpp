#include "filesafety.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace filesafety {
namespace {

bool startsLikeADatabase(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3", 16);
}

bool namedLikeADatabase(const QString &name)
{
    for (const char *ending : {".mdb", ".mdb-journal", ".mdb-wal", ".mdb.lock", ".mdb.partial", ".mdb.mending"}) {
        if (name.endsWith(QLatin1String(ending), Qt::CaseInsensitive))
            return true;
    }
    return name.endsWith(QLatin1String("-journal"), Qt::CaseInsensitive)
        || name.endsWith(QLatin1String("-wal"), Qt::CaseInsensitive);
}

} // namespace

QString overwriteProblem(const QString &path)
{
    const QFileInfo target(path);
    const QFileInfo real(target.exists() ? target.canonicalFilePath() : target.absoluteFilePath());
    if (!target.exists())
        return {};
    if (namedLikeADatabase(real.fileName()) || startsLikeADatabase(real.filePath()))
        return QCoreApplication::translate("DataFolder", "%1 is a database; it is never written over. Choose another file.")
            .arg(QDir::toNativeSeparators(path));
    return {};
}

QString writeError(const QFileDevice &file)
{
    if (file.error() == QFileDevice::ResourceError || file.errorString().contains(QLatin1String("No space left")))
        return QCoreApplication::translate("DataFolder", "the disk is full");
    return file.errorString();
}

QString syncFolder(const QString &folder)
{
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    const int result = ::fsync(handle);
    const int error = errno;
    ::close(handle);
    return result == 0 ? QString() : QString::fromLocal8Bit(std::strerror(error));
}

} // namespace filesafety
