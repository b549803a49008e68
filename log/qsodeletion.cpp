#include "qsodeletion.h"

#include "connection.h"
#include "databasefile.h"
#include "datamodule.h"
#include "engineerror.h"
#include "filesafety.h"
#include "qsotables.h"
#include "tables.h"
#include "vocabulary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

const QString scratchName = QStringLiteral("temp.mdb");

// The copy must be on the disk before it takes the place of the log.
void flushToDisk(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        throw EngineError(QStringLiteral("Cannot open '%1': %2").arg(path, file.errorString()));
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0)
        throw EngineError(QStringLiteral("Cannot write '%1' to the disk.").arg(path));
#endif
}

} // namespace

QsoDeletion::QsoDeletion(LogData &dm, Compactor compactor)
    : m_data(dm), m_compactor(compactor ? std::move(compactor) : Compactor(&Connection::compact))
{
}

std::optional<SelectedQso> QsoDeletion::selected() const
{
    const TableView &rows = m_data.logbanda;
    if (!rows.isOpen() || rows.recordCount() == 0 || rows.eof())
        return std::nullopt;
    return SelectedQso{rows.integer(QStringLiteral("num")), rows.text(QStringLiteral("dok")),
                       rows.text(QStringLiteral("call")), rows.text(QStringLiteral("banda")),
                       rows.text(QStringLiteral("modo")), rows.text(QStringLiteral("data"))};
}

QString QsoDeletion::question(const SelectedQso &qso)
{
    return QStringLiteral("Going to delete this QSO with DOK %1\r%2 on %3 MHz %4, %5\rAre you sure ?")
        .arg(qso.dok, qso.call, qso.band, qso.mode, qso.date);
}

void QsoDeletion::remove(const SelectedQso &qso)
{
    const qsotables::FilterStates filters({&m_data.log, &m_data.logbanda, &m_data.logmodo});
    Transaction transaction(m_data.ADOconn);
    try {
        m_data.log.setFiltered(false);
        if (m_data.log.locate(QStringLiteral("id"), {QString::number(qso.id)})) {
            m_data.logbanda.setFiltered(false);
            qsotables::takeOut(m_data.logbanda, qso.id, m_data.ADOconn);
            const QString mode = m_data.log.text(QStringLiteral("modo"));
            if (vocab::isMode(mode)) {
                qsotables::pointAt(m_data.logmodo, vocab::modeTable(mode));
                qsotables::takeOut(m_data.logmodo, qso.id, m_data.ADOconn); // another QSO may hold the DOK's row there
            }
            m_data.log.remove();
        }
        transaction.commit();
    } catch (...) {
        for (TableView *view : {&m_data.log, &m_data.logbanda, &m_data.logmodo})
            view->cancel();
        filters.restore();
        throw;
    }
    filters.restore();
}

void QsoDeletion::compact()
{
    // A linked log.mdb is compacted where the link points, so the link and its lock stay valid.
    const QString database = databasefile::resolved(m_data.ADOconn.database());
    const QString copy = QFileInfo(database).dir().filePath(scratchName);
    m_data.ADOconn.disconnect();
    QString problem;
    try {
        replaceByCompactedCopy(database, copy);
    } catch (const EngineError &error) {
        problem = error.text();
        QFile::remove(copy);
    }
    reopen();
    if (!problem.isEmpty())
        throw EngineError(QStringLiteral("The database could not be compacted; it stays as it was.\r") + problem);
}

void QsoDeletion::replaceByCompactedCopy(const QString &database, const QString &copy)
{
    if (QFileInfo::exists(copy) && !QFile::remove(copy))
        throw EngineError(QStringLiteral("Cannot delete '%1'.").arg(copy));
    m_compactor(database, copy, schema::databasePassword);
    {
        Connection check(copy, schema::databasePassword);
        check.connect();
        check.execute(QStringLiteral("SELECT count(*) FROM ") + vocab::table::log);
    }
    flushToDisk(copy);
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(copy.toStdU16String()), std::filesystem::path(database.toStdU16String()),
                            error);
    if (error)
        throw EngineError(QStringLiteral("Cannot replace '%1': %2").arg(database, QString::fromStdString(error.message())));
    // The rename itself reaches the disk too, so a power cut cannot bring the old file back.
    if (const QString problem = filesafety::syncFolder(QFileInfo(database).absolutePath()); !problem.isEmpty())
        throw EngineError(QStringLiteral("Cannot write the folder of '%1' to the disk: %2").arg(database, problem));
}

void QsoDeletion::reopen()
{
    m_data.ADOconn.connect();
    for (TableView *view : {&m_data.log, &m_data.logbanda, &m_data.logmodo, &m_data.info, &m_data.dxcc, &m_data.riep, &m_data.dok, &m_data.Dipl})
        view->open();
    m_data.log.first();
}
