#pragma once

#include <QString>
#include <QStringList>

// Checks a data folder's log.mdb and compacts it; a damaged file is rebuilt from what SQLite can
// still read of it, table by table, and the damaged file is kept beside it. The caller holds the
// data folder, so the program cannot open the file meanwhile.
class DatabaseMender
{
public:
    struct Result
    {
        bool success = false;
        QStringList lines; // the report, a sentence a line
    };

    DatabaseMender(const QString &dataFolder, const QString &password);

    Result mend() const;

    QString databasePath() const;
    // The name the damaged file is kept under: log-damaged-<date and time>.mdb in the data folder.
    QString keptDamagedPath() const;

private:
    QString rebuild(const QString &damaged, const QString &destination, QStringList &lines) const;

    QString m_folder;
    QString m_password;
};
