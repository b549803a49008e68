#include "qsoconfirmation.h"

#include "adifmapping.h"
#include "connection.h"
#include "datamodule.h"
#include "logrows.h"
#include "qsorecord.h"
#include "statement.h"
#include "tables.h"
#include "uppercasetext.h"
#include "vocabulary.h"

#include <QCoreApplication>
#include <QDate>
#include <QHash>
#include <optional>
#include <vector>

namespace {

constexpr int mostMinutesApart = 30;

// A logged QSO as a confirmation may find it.
struct Candidate
{
    qint64 id;
    QString dok;
    QString status;
    std::optional<int> minutes; // TIME_ON, when the QSO has one
};

QString matchKey(const QString &call, const QString &band, const QString &mode, const QString &qsoDate)
{
    return call.toUpper() + QChar(0x1f) + band + QChar(0x1f) + mode + QChar(0x1f) + qsoDate;
}

void list(ConfirmationReport::Group &group, const QsoRecord &record)
{
    if (group.count++ < ConfirmationReport::recordsListed)
        group.records << adif::describe(record);
}

struct Confirmation
{
    qint64 id;
    std::vector<QsoField> qslFields;
};

} // namespace

QString ConfirmationReport::text() const
{
    QStringList lines;
    if (dryRun)
        lines << QCoreApplication::translate("QsoImporter", "Dry run: nothing was written.");
    lines << QCoreApplication::translate("QsoImporter", "Records read: %1").arg(records);
    if (readByCharacters > 0)
        lines << QCoreApplication::translate("QsoImporter", "Fields whose length counted characters, not bytes (read so): %1").arg(readByCharacters);
    for (const Group *group : {&confirmedNow, &alreadyConfirmed, &notInLog, &ambiguous, &conflicts, &noConfirmation}) {
        lines << QStringLiteral("%1: %2").arg(group->title).arg(group->count);
        for (const QString &record : group->records)
            lines << QStringLiteral("    ") + record;
        if (group->count > group->records.size())
            lines << QCoreApplication::translate("QsoImporter", "    ... and %1 more").arg(group->count - group->records.size());
    }
    return lines.join(QLatin1Char('\n'));
}

QsoConfirmation::QsoConfirmation(LogData &dm) : m_data(dm)
{
}

ConfirmationReport QsoConfirmation::run(QsoReader &reader, bool dryRun)
{
    Connection &connection = m_data.ADOconn;
    if (!dryRun)
        schema::upgrade(connection);
    ConfirmationReport report;
    report.dryRun = dryRun;

    QHash<QString, std::vector<Candidate>> logged;
    {
        Statement rows(connection, QStringLiteral("SELECT l.id, l.call, l.banda, l.modo, l.data, l.dok, l.conf, f.fields "
                                                  "FROM LOG l LEFT JOIN %1 f ON f.num = l.id ORDER BY l.id")
                                       .arg(schema::adifFieldsTable));
        while (rows.next()) {
            const QString kept = rows.text(7);
            std::optional<int> minutes;
            if (kept.contains(QLatin1String("TIME_ON"), Qt::CaseInsensitive)) {
                for (const QsoField &field : adif::keptFields(kept)) {
                    if (field.name == "TIME_ON")
                        minutes = adif::minutesOf(field.value);
                }
            }
            logged[matchKey(rows.text(1), rows.text(2), rows.text(3), adif::qsoDateOf(rows.text(4)))].push_back(
                {rows.integer(0), rows.text(5), rows.text(6).toUpper(), minutes});
        }
    }

    std::vector<Confirmation> confirmations;
    QsoRecord record;
    reader.rewind();
    while (reader.next(record)) {
        if (!record.terminated)
            continue; // fields after the last <EOR> are no record
        ++report.records;
        if (!adif::isConfirmed(record)) {
            list(report.noConfirmation, record);
            continue;
        }
        const QString *bandName = record.find("BAND");
        const QString band = bandName ? adif::bandOfName(*bandName) : adif::bandOfFrequency(record.value("FREQ"));
        const QString mode = adif::modeOf(record.value("MODE"), record.value("SUBMODE"));
        const QString date = adif::qsoDateOf(adif::dateOf(record.value("QSO_DATE")));
        const QString call = upperCasedInPlace(record.value("CALL").trimmed());
        const auto found = logged.find(matchKey(call, band, mode, date));
        if (call.isEmpty() || band.isEmpty() || mode.isEmpty() || date.isEmpty() || found == logged.end()) {
            list(report.notInLog, record);
            continue;
        }
        const std::optional<int> minutes = adif::minutesOf(record.value("TIME_ON"));
        std::vector<Candidate *> matches;
        for (Candidate &candidate : *found) {
            if (!minutes || !candidate.minutes || std::abs(*minutes - *candidate.minutes) <= mostMinutesApart)
                matches.push_back(&candidate);
        }
        if (matches.empty()) {
            list(report.notInLog, record);
            continue;
        }
        if (matches.size() > 1) {
            list(report.ambiguous, record);
            continue;
        }
        Candidate &qso = *matches.front();
        const QString dok = record.value("DARC_DOK").trimmed();
        if (!dok.isEmpty() && dok.compare(qso.dok.trimmed(), Qt::CaseInsensitive) != 0) {
            list(report.conflicts, record);
            continue;
        }
        if (qso.status != vocab::status::none && !qso.status.isEmpty()) {
            list(report.alreadyConfirmed, record);
            continue;
        }
        qso.status = vocab::status::confirmed;
        confirmations.push_back({qso.id, adif::receivedQslFields(record)});
        list(report.confirmedNow, record);
    }
    report.readByCharacters = reader.fieldsReadByCharacters();
    if (dryRun || confirmations.empty())
        return report;

    {
        Transaction transaction(connection);
        DokCells doks(connection);
        DokTables tables(connection, doks);
        QsoConfirmer confirmer(connection, doks, tables);
        for (const Confirmation &confirmation : confirmations)
            confirmer.confirm(confirmation.id, vocab::status::confirmed, confirmation.qslFields);
        doks.writeChanges();
        transaction.commit();
    }
    for (TableView *view : {&m_data.dok, &m_data.log, &m_data.logbanda, &m_data.logmodo}) {
        if (view->isOpen())
            view->refresh();
    }
    return report;
}
