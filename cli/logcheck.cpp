#include "logcheck.h"

#include "statement.h"
#include "tables.h"
#include "vocabulary.h"

#include <QHash>
#include <QSet>

namespace {

struct LoggedQso
{
    QString dok;
    QString band;
    QString mode;
};

void checkTable(Connection &connection, const QString &table, bool byBand, const QString &value,
                const QHash<qint64, LoggedQso> &log, QStringList &problems)
{
    QSet<QString> expected;
    for (const LoggedQso &qso : log) {
        if ((byBand ? qso.band : qso.mode) == value)
            expected.insert(qso.dok);
    }
    QSet<QString> present;
    Statement rows(connection, QStringLiteral("SELECT rowid, dok, num FROM \"%1\"").arg(table));
    int placeholders = 0;
    while (rows.next()) {
        const QString dok = rows.text(1).toUpper();
        if (dok == vocab::placeholderDok) {
            ++placeholders;
            continue;
        }
        const QString row = QStringLiteral("%1: the row of DOK %2").arg(table, dok);
        if (present.contains(dok))
            problems << row + QStringLiteral(" is there twice");
        present.insert(dok);
        const auto qso = log.constFind(rows.integer(2));
        if (rows.isNull(2) || qso == log.constEnd())
            problems << row + QStringLiteral(" points at no QSO of the log (num %1)").arg(rows.text(2));
        else if (qso->dok != dok || (byBand ? qso->band : qso->mode) != value)
            problems << row + QStringLiteral(" points at a QSO of DOK %1 on %2 %3").arg(qso->dok, qso->band, qso->mode);
    }
    if (placeholders > 1)
        problems << QStringLiteral("%1 has %2 placeholder rows").arg(table).arg(placeholders);
    if (present.isEmpty() && placeholders == 0)
        problems << QStringLiteral("%1 has neither a row nor its placeholder row").arg(table);
    QStringList missing(expected.begin(), expected.end());
    missing.sort();
    for (const QString &dok : missing) {
        if (!present.contains(dok))
            problems << QStringLiteral("%1: DOK %2 has QSOs in the log but no row").arg(table, dok);
    }
}

} // namespace

QStringList checkLog(Connection &connection)
{
    QStringList problems;
    {
        Statement integrity(connection, QStringLiteral("PRAGMA integrity_check"));
        while (integrity.next()) {
            if (integrity.text(0) != QLatin1String("ok"))
                problems << QStringLiteral("database: ") + integrity.text(0);
        }
    }
    QHash<qint64, LoggedQso> log;
    {
        Statement rows(connection, QStringLiteral("SELECT id, dok, banda, modo FROM LOG"));
        while (rows.next())
            log.insert(rows.integer(0), {rows.text(1).toUpper(), rows.text(2), rows.text(3)});
    }
    for (const QString &band : vocab::bands())
        checkTable(connection, vocab::bandTable(vocab::bandSuffix(band)), true, band, log, problems);
    for (const QString &mode : vocab::modes())
        checkTable(connection, vocab::modeTable(mode), false, mode, log, problems);
    return problems;
}
