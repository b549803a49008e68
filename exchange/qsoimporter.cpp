#include "qsoimporter.h"

#include "adifmapping.h"
#include "connection.h"
#include "datamodule.h"
#include "doklist.h"
#include "logrows.h"
#include "qsorecord.h"
#include "referencedata.h"
#include "statement.h"
#include "tables.h"
#include "uppercasetext.h"
#include "vocabulary.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <array>
#include <memory>
#include <unordered_map>
#include <variant>

namespace {

constexpr int reportEvery = 256;
constexpr int examplesKept = 3;

const char *const noEor = QT_TRANSLATE_NOOP("QsoImporter", "record without <EOR> at the end of the file");
const char *const noCall = QT_TRANSLATE_NOOP("QsoImporter", "no callsign");
const char *const noDate = QT_TRANSLATE_NOOP("QsoImporter", "no valid QSO_DATE");
const char *const noDok = QT_TRANSLATE_NOOP("QsoImporter", "no DARC_DOK");
const char *const bandNotCounted = QT_TRANSLATE_NOOP("QsoImporter", "band not counted");
const char *const modeNotCounted = QT_TRANSLATE_NOOP("QsoImporter", "mode not counted");
const char *const unknownDok = QT_TRANSLATE_NOOP("QsoImporter", "DOK not in the list");
const char *const notADokCode = QT_TRANSLATE_NOOP("QsoImporter", "DARC_DOK is not a DOK code");

struct ImportedQso : LoggedQso
{
    bool confirmed = false; // "C" or "A"
    QByteArray kept;
    std::vector<QsoField> qslFields; // what tells the confirmation, for a QSO already logged
};

std::variant<ImportedQso, QString> examine(const QsoRecord &record)
{
    if (!record.terminated)
        return QCoreApplication::translate("QsoImporter", noEor);
    ImportedQso qso;
    qso.call = upperCasedInPlace(record.value("CALL").trimmed());
    if (qso.call.isEmpty())
        return QCoreApplication::translate("QsoImporter", noCall);
    qso.date = adif::dateOf(record.value("QSO_DATE"));
    if (qso.date.isEmpty())
        return QCoreApplication::translate("QsoImporter", noDate);
    qso.dok = upperCasedInPlace(record.value("DARC_DOK").trimmed());
    if (qso.dok.isEmpty())
        return QCoreApplication::translate("QsoImporter", noDok);
    const QString *band = record.find("BAND");
    qso.band = band ? adif::bandOfName(*band) : adif::bandOfFrequency(record.value("FREQ"));
    if (qso.band.isEmpty())
        return QCoreApplication::translate("QsoImporter", bandNotCounted);
    const QString mode = record.value("MODE");
    qso.mode = adif::modeOf(mode, record.value("SUBMODE"));
    if (qso.mode.isEmpty())
        return QCoreApplication::translate("QsoImporter", modeNotCounted);
    qso.qth = upperCasedInPlace(record.value("QTH").trimmed());
    const QString own = record.value(adif::statusField.constData()).trimmed().toUpper();
    if (own == vocab::status::accredited || own == vocab::status::confirmed || own == vocab::status::none)
        qso.status = own;
    else if (adif::isConfirmed(record))
        qso.status = vocab::status::confirmed;
    qso.confirmed = qso.status != vocab::status::none;
    for (const QsoField &field : record.fields) {
        if (!adif::isLogField(field.name) && field.name != adif::statusField)
            adif::appendFieldText(qso.kept, field.name, field.value);
    }
    qso.qslFields = adif::receivedQslFields(record);
    // A mode of older ADIF versions (USB, PSK31) is kept as the submode it stands for today.
    const QString modeText = mode.trimmed().toUpper();
    if (modeText != qso.mode && !modeText.isEmpty() && !record.find("SUBMODE"))
        adif::appendFieldText(qso.kept, QByteArrayLiteral("SUBMODE"), modeText);
    return qso;
}

void note(ImportReport::Group &group, const QsoRecord &record)
{
    if (group.count++ < examplesKept)
        group.examples << adif::describe(record);
}

void noteSkipped(ImportReport &report, const QString &reason, const QsoRecord &record)
{
    for (ImportReport::Group &group : report.skipped) {
        if (group.reason == reason) {
            note(group, record);
            return;
        }
    }
    report.skipped.push_back({reason, 0, {}});
    note(report.skipped.back(), record);
}

// QSOs already in the log are remembered by a 64-bit hash of call, DOK, band, mode and date:
// a few bytes each, where the texts would take more memory than the file.
quint64 duplicateKey(const QString &call, const QString &dok, const QString &band, const QString &mode,
                     const QString &date)
{
    static_assert(sizeof(size_t) == sizeof(quint64));
    return quint64(qHashMulti(size_t(0x9e3779b97f4a7c15), call.toUpper(), dok.toUpper(), band, mode, date));
}

struct Logged
{
    qint64 id;
    bool unconfirmed;
};

struct Cancelled
{
};

} // namespace

int ImportReport::skippedCount() const
{
    int count = 0;
    for (const Group &group : skipped)
        count += group.count;
    return count;
}

QString ImportReport::text() const
{
    if (cancelled)
        return QCoreApplication::translate("QsoImporter", "The import was cancelled; the log is unchanged.");
    QStringList lines;
    lines << QCoreApplication::translate("QsoImporter", "QSOs imported: %1").arg(imported);
    if (readByCharacters > 0)
        lines << QCoreApplication::translate("QsoImporter", "Fields whose length counted characters, not bytes (read so): %1").arg(readByCharacters);
    if (doksAdded > 0)
        lines << QCoreApplication::translate("QsoImporter", "DOKs added to the list: %1").arg(doksAdded);
    for (const Group *group : {&confirmedByFile, &duplicates}) {
        if (group == &confirmedByFile && group->count == 0)
            continue;
        lines << QCoreApplication::translate("QsoImporter", "Duplicates (%1): %2").arg(group->reason).arg(group->count);
        for (const QString &example : group->examples)
            lines << QStringLiteral("    ") + example;
    }
    lines << QCoreApplication::translate("QsoImporter", "Skipped: %1").arg(skippedCount());
    for (const Group &group : skipped) {
        lines << QStringLiteral("  %1: %2").arg(group.reason).arg(group.count);
        for (const QString &example : group.examples)
            lines << QStringLiteral("    ") + example;
    }
    return lines.join(QLatin1Char('\n'));
}

QsoImporter::QsoImporter(LogData &dm) : m_data(dm)
{
}

ImportReport QsoImporter::run(QsoReader &reader)
{
    Connection &connection = m_data.ADOconn;
    schema::upgrade(connection);
    const qint64 total = 2 * reader.size();
    int sinceReport = 0;
    const auto progress = [&](qint64 done) {
        if (++sinceReport < reportEvery)
            return;
        sinceReport = 0;
        if (onProgress && !onProgress(done, total))
            throw Cancelled{};
    };
    ImportReport report;
    try {
        // First the whole file is read once: a broken file is found before anything is written,
        // and the user is asked about unknown DOKs once.
        QSet<QString> unknown;
        {
            DokCells doks(connection);
            QsoRecord record;
            reader.rewind();
            while (reader.next(record)) {
                progress(reader.position());
                // Only a record that would be imported, of a DOK missing from the list that has
                // the shape of a DOK code, can add its DOK; the DOK is looked at first, as the
                // list has nearly every one.
                const QString *dok = record.find("DARC_DOK");
                if (!dok)
                    continue;
                const QString code = upperCasedInPlace(dok->trimmed());
                if (code.isEmpty() || doks.find(code) >= 0 || !isDokCode(code))
                    continue;
                if (const auto examined = examine(record); std::holds_alternative<ImportedQso>(examined))
                    unknown.insert(code);
            }
        }
        QStringList codes(unknown.begin(), unknown.end());
        codes.sort();
        const bool addDoks = !codes.isEmpty() && addUnknownDoks && addUnknownDoks(codes);

        Transaction transaction(connection);
        DokCells doks(connection);
        if (addDoks) {
            for (const QString &code : codes)
                doks.addDok(code);
            report.doksAdded = int(codes.size());
        }
        // The QSOs already logged, and those of this file, by their duplicate key.
        std::unordered_map<quint64, Logged> logged;
        {
            Statement rows(connection, QStringLiteral("SELECT call, dok, banda, modo, data, id, conf FROM LOG"));
            while (rows.next())
                logged.emplace(duplicateKey(rows.text(0), rows.text(1), rows.text(2), rows.text(3), rows.text(4)),
                               Logged{rows.integer(5), rows.text(6) == vocab::status::none});
        }
        DokTables tables(connection);
        QsoConfirmer confirmer(connection, doks, tables);
        Statement insertLog(connection, QStringLiteral("INSERT INTO LOG (call,loc,data,banda,modo,dok,conf,spec,mhz) "
                                                       "VALUES (?,?,?,?,?,?,?,?,?)"));
        Statement insertKept(connection,
                             QStringLiteral("INSERT INTO %1 (num, fields) VALUES (?,?)").arg(schema::adifFieldsTable));

        QsoRecord record;
        reader.rewind();
        while (reader.next(record)) {
            progress(reader.size() + reader.position());
            ++report.records;
            const auto examined = examine(record);
            if (const auto *reason = std::get_if<QString>(&examined)) {
                noteSkipped(report, *reason, record);
                continue;
            }
            const ImportedQso &qso = std::get<ImportedQso>(examined);
            const int dok = doks.find(qso.dok);
            if (dok < 0) {
                noteSkipped(report, QCoreApplication::translate("QsoImporter", isDokCode(qso.dok) ? unknownDok : notADokCode), record);
                continue;
            }
            const quint64 key = duplicateKey(qso.call, qso.dok, qso.band, qso.mode, qso.date);
            if (const auto found = logged.find(key); found != logged.end()) {
                // A later confirmation of a QSO logged unconfirmed raises it instead of being lost.
                if (found->second.unconfirmed && qso.confirmed) {
                    confirmer.confirm(found->second.id, qso.status, qso.qslFields);
                    found->second.unconfirmed = false;
                    note(report.confirmedByFile, record);
                } else {
                    note(report.duplicates, record);
                }
                continue;
            }
            const bool special = doks.isSpecial(dok);
            const QString suffix = vocab::bandSuffix(qso.band);
            bindSharedColumns(insertLog, qso, special);
            insertLog.bind(9, suffix.toLongLong());
            insertLog.run();
            const qint64 id = insertLog.lastInsertId();
            if (!qso.kept.isEmpty())
                insertKept.bind(1, id).bindUtf8(2, qso.kept).run();
            logged.emplace(key, Logged{id, !qso.confirmed});
            tables.store(qso, special, id);
            doks.mark(dok, qso);
            ++report.imported;
        }
        report.readByCharacters = reader.fieldsReadByCharacters();
        doks.writeChanges();
        transaction.commit();
    } catch (const Cancelled &) {
        ImportReport cancelled;
        cancelled.cancelled = true;
        return cancelled;
    }
    for (TableView *view : {&m_data.dok, &m_data.log, &m_data.logbanda, &m_data.logmodo}) {
        if (view->isOpen())
            view->refresh();
    }
    if (onProgress)
        onProgress(total, total);
    return report;
}
