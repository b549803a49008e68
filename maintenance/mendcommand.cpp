#include "mendcommand.h"

#include "datafolder.h"
#include "tables.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QStandardPaths>
#include <QThread>

namespace mendcommand {

QString dataFolder()
{
    return datafolder::choose(QDir::currentPath(), QCoreApplication::applicationDirPath(),
                              QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

DatabaseMender::Result run(const QString &folder, int waitMilliseconds,
                           const std::function<void(const QString &, bool)> &onLine)
{
    // The program starts menddb as it ends, so the folder may still be held for a moment.
    const QDeadlineTimer deadline(waitMilliseconds);
    const QString database = QDir(folder).filePath(datafolder::databaseName);
    auto lock = datafolder::lock(database);
    while (!lock.file && lock.heldByAnother && !deadline.hasExpired()) {
        QThread::msleep(100);
        lock = datafolder::lock(database);
    }
    if (!lock.file) {
        const DatabaseMender::Result refused{
            false, false,
            lock.heldByAnother
                ? QStringList{QCoreApplication::translate("DatabaseMender", "WZP Logbook is still working on %1.").arg(QDir::toNativeSeparators(folder)),
                              QCoreApplication::translate("DatabaseMender", "Close it and start menddb again; nothing was changed.")}
                : QStringList{lock.problem, QCoreApplication::translate("DatabaseMender", "Nothing was changed.")}};
        for (const QString &line : refused.lines) {
            if (onLine)
                onLine(line, false);
        }
        return refused;
    }
    const QString share = datafolder::shareFolder(QCoreApplication::applicationDirPath());
    DatabaseMender mender(folder, schema::databasePassword,
                          share.isEmpty() ? QString() : QDir(share).filePath(QStringLiteral("template.mdb")));
    mender.onLine = onLine;
    return mender.mend();
}

} // namespace mendcommand
