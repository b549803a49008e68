#include "tables.h"

#include "connection.h"
#include "engineerror.h"
#include "statement.h"
#include "vocabulary.h"

#include <QCoreApplication>

namespace schema {
namespace {

QString quotedName(const QString &name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

QString columnList(const QStringList &names, const QString &type)
{
    QStringList parts;
    for (const QString &name : names)
        parts << quotedName(name) + QLatin1Char(' ') + type;
    return parts.join(QStringLiteral(", "));
}

QString textColumns(const QStringList &names)
{
    return columnList(names, QStringLiteral("TEXT"));
}

} // namespace

const QStringList &logColumns()
{
    static const QStringList list{"call", "loc", "data", "banda", "modo", "dok", "conf", "spec", "mhz"};
    return list;
}

const QStringList &bandTableColumns()
{
    static const QStringList list{"call", "loc", "data", "banda", "modo", "dok", "conf", "spec", "num"};
    return list;
}

const QStringList &riepCounters()
{
    static const QStringList list = [] {
        QStringList names;
        for (const QString &cell : vocab::statusCells())
            names << vocab::confirmedCounter(cell);
        for (const QString &cell : vocab::statusCells())
            names << vocab::accreditedCounter(cell);
        names << QStringLiteral("conf") << QStringLiteral("nconf");
        return names;
    }();
    return list;
}

const QStringList &diplomeBandColumns()
{
    static const QStringList list = [] {
        QStringList names;
        for (const QString &band : vocab::bands())
            names << vocab::bandSuffix(band);
        return names;
    }();
    return list;
}

const QStringList &diplomeColumns()
{
    static const QStringList list = diplomeBandColumns() + vocab::modes();
    return list;
}

QStringList bandAndModeTables()
{
    QStringList tables;
    for (const QString &band : vocab::bands())
        tables << vocab::bandTable(vocab::bandSuffix(band));
    for (const QString &mode : vocab::modes())
        tables << vocab::modeTable(mode);
    return tables;
}

QStringList createStatements()
{
    using namespace vocab;
    QStringList sql;
    sql << QStringLiteral("CREATE TABLE %1 (id INTEGER PRIMARY KEY AUTOINCREMENT, %2, mhz INTEGER)")
               .arg(table::log, textColumns(logColumns().mid(0, logColumns().size() - 1)));
    for (const QString &name : bandAndModeTables()) {
        sql << QStringLiteral("CREATE TABLE %1 (%2, num INTEGER)")
                   .arg(name, textColumns(bandTableColumns().mid(0, bandTableColumns().size() - 1)));
    }
    sql << QStringLiteral("CREATE TABLE %1 (id INTEGER PRIMARY KEY AUTOINCREMENT, DOK TEXT, %2, DESCR TEXT, SPEC TEXT)")
               .arg(table::dok, textColumns(statusCells() + QStringList{summaryCell}));
    sql << QStringLiteral("CREATE TABLE %1 (id INTEGER PRIMARY KEY, dataagg DATETIME, %2)")
               .arg(table::riep, columnList(riepCounters(), QStringLiteral("INTEGER NOT NULL DEFAULT 0")));
    sql << QStringLiteral("CREATE TABLE %1 (CALL TEXT, NOME TEXT, COGN TEXT, INDIR TEXT, CITTA TEXT, ZIP TEXT, "
                          "PROV TEXT, LOCATOR TEXT, EMAIL TEXT, OM TEXT, stato TEXT, sound BOOLEAN)")
               .arg(table::info);
    sql << QStringLiteral("CREATE TABLE %1 (id INTEGER PRIMARY KEY AUTOINCREMENT, pref TEXT, coun TEXT, "
                          "dxcc INTEGER, cont TEXT)")
               .arg(table::dxcc);
    sql << QStringLiteral("CREATE TABLE %1 (id INTEGER PRIMARY KEY, remark TEXT, %2)")
               .arg(table::diplome, textColumns(diplomeColumns()));
    return sql;
}

QStringList seedStatements()
{
    using namespace vocab;
    QStringList sql;
    for (const QString &name : bandAndModeTables())
        sql << QStringLiteral("INSERT INTO %1 (dok) VALUES ('%2')").arg(name, placeholderDok);
    sql << QStringLiteral("INSERT INTO %1 (id) VALUES (1)").arg(table::riep);
    sql << QStringLiteral("INSERT INTO %1 (sound) VALUES (1)").arg(table::info);
    QStringList quotedColumns;
    QStringList marks;
    for (const QString &name : diplomeColumns()) {
        quotedColumns << quotedName(name);
        marks << QLatin1Char('\'') + award::notReached + QLatin1Char('\'');
    }
    for (int level = 1; level <= diplomeLevels; ++level) {
        sql << QStringLiteral("INSERT INTO %1 (id, %2) VALUES (%3, %4)")
                   .arg(table::diplome, quotedColumns.join(QLatin1Char(',')))
                   .arg(level)
                   .arg(marks.join(QLatin1Char(',')));
    }
    return sql;
}

void createDatabase(const QString &path, const QString &password)
{
    Connection::create(path, password);
    Connection connection(path, password);
    connection.execute(QStringLiteral("BEGIN;") + (createStatements() + seedStatements()).join(QLatin1Char(';'))
                       + QStringLiteral(";COMMIT;"));
    upgrade(connection);
}

void upgrade(Connection &connection)
{
    Statement version(connection, QStringLiteral("PRAGMA user_version"));
    const qint64 stored = version.next() ? version.integer(0) : 0;
    if (stored >= schemaVersion)
        return;
    // A file that is not this program's is left exactly as it is.
    QStringList present;
    {
        Statement tables(connection, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
        while (tables.next())
            present << tables.text(0);
    }
    QStringList required{vocab::table::log, vocab::table::dok, vocab::table::riep,
                         vocab::table::info, vocab::table::dxcc, vocab::table::diplome};
    required << bandAndModeTables();
    for (const QString &table : required) {
        if (!present.contains(table, Qt::CaseInsensitive))
            throw EngineError(QCoreApplication::translate("DataFolder", "The table %1 is missing, so the file is not a database of this program; "
                                             "it was left as it is.")
                                  .arg(table));
    }
    connection.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (num INTEGER PRIMARY KEY, fields TEXT);"
                                      "PRAGMA user_version=%2")
                           .arg(adifFieldsTable)
                           .arg(schemaVersion));
}

} // namespace schema
