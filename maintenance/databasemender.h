#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Checks a data folder's log.mdb and compacts it; a damaged file is rebuilt from what SQLite can
// still read of it, table by table, and the damaged file is kept beside it. The caller holds the
// data folder, so the program cannot open the file meanwhile.
class DatabaseMender
{
public:
    struct Result
    {
        bool success = false;  // log.mdb is ready (mended, or sound and compacted)
        bool rowsLost = false; // ... but rows of the damaged file could not be brought back
        QStringList lines;     // the report, a sentence a line
    };

    // Each line of the report as soon as it is known, and now and then a line of progress
    // (progress = true) that is not part of the report.
    std::function<void(const QString &line, bool progress)> onLine;

    // deliveredDatabase: the database the program was delivered with, from which DOK rows the
    // damage took come back; empty when there is none at hand.
    DatabaseMender(const QString &dataFolder, const QString &password, const QString &deliveredDatabase = {});

    Result mend() const;

    QString databasePath() const;
    // The name the damaged file is kept under: log-damaged-<date and time>.mdb in the data folder.
    QString keptDamagedPath() const;

    // The report as it grows: every line is kept and handed on at once.
    class ReportLines
    {
    public:
        ReportLines(QStringList &lines, const std::function<void(const QString &, bool)> &onLine)
            : m_lines(lines), m_onLine(onLine)
        {
        }
        ReportLines &operator<<(const QString &line)
        {
            m_lines << line;
            if (m_onLine)
                m_onLine(line, false);
            return *this;
        }
        void progress(const QString &line) const
        {
            if (m_onLine)
                m_onLine(line, true);
        }

    private:
        QStringList &m_lines;
        const std::function<void(const QString &, bool)> &m_onLine;
    };

private:
    QString rebuild(const QString &damaged, const QString &destination, ReportLines &lines, bool &rowsLost) const;

    QString m_folder;
    QString m_password;
    QString m_delivered;
};
