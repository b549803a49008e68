#include "qsoimporter.h"

#include "adifmapping.h"
#include "adifreader.h"
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
#include <algorithm>
#include <memory>

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
};

// Fills qso from the record, and kept with the fields that LOG has no column for (its room
// reused from the record before); returns why the record cannot be imported (untranslated), or
// nullptr.
const char *examine(const QsoRecord &record, ImportedQso &qso, QByteArray &kept)
{
    if (!record.terminated)
        return noEor;
    qso.call = upperCasedInPlace(record.value("CALL").trimmed());
    if (qso.call.isEmpty())
        return noCall;
    qso.date = adif::dateOf(record.value("QSO_DATE"));
    if (qso.date.isEmpty())
        return noDate;
    qso.dok = upperCasedInPlace(record.value("DARC_DOK").trimmed());
    if (qso.dok.isEmpty())
        return noDok;
    const QString *band = record.find("BAND");
    qso.band = band ? adif::bandOfName(*band) : adif::bandOfFrequency(record.value("FREQ"));
    if (qso.band.isEmpty())
        return bandNotCounted;
    const QString mode = record.value("MODE");
    qso.mode = adif::modeOf(mode, record.value("SUBMODE"));
    if (qso.mode.isEmpty())
        return modeNotCounted;
    qso.qth = upperCasedInPlace(record.value("QTH").trimmed());
    const QString own = record.value(adif::statusField).trimmed().toUpper();
    if (own == vocab::status::accredited || own == vocab::status::confirmed || own == vocab::status::none)
        qso.status = own;
    else
        qso.status = adif::isConfirmed(record) ? vocab::status::confirmed : vocab::status::none;
    qso.confirmed = qso.status != vocab::status::none;
    kept.truncate(0);
    for (const QsoField &field : record.fields) {
        if (!adif::isLogField(field.name) && field.name != adif::statusField)
            adif::appendFieldText(kept, field.name, field.value);
    }
    // A mode of older ADIF versions (USB, PSK31) is kept as the submode it stands for today.
    const QString modeText = mode.trimmed().toUpper();
    if (modeText != qso.mode && !modeText.isEmpty() && !record.find("SUBMODE"))
        adif::appendFieldText(kept, QByteArrayLiteral("SUBMODE"), modeText);
    return nullptr;
}

// A plain ASCII value in bytes, trimmed and in upper case.
QString upperText(QByteArrayView value)
{
    const QByteArrayView text = value.trimmed();
    QString upper(text.size(), Qt::Uninitialized);
    std::transform(text.begin(), text.end(), upper.begin(), [](char c) {
        return QLatin1Char(c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c);
    });
    return upper;
}

// The shared text of a word of the vocabulary, so that no text is made for it.
QString wordOf(const QStringList &words, QByteArrayView word)
{
    for (const QString &known : words) {
        if (known == QLatin1String(word))
            return known;
    }
    return QString::fromLatin1(word);
}

// A record read as bytes, and as text when a report, a confirmation or an unusual record needs
// it.
class RecordRead
{
public:
    bool next(QsoReader &reader)
    {
        m_decoded = false;
        return reader.nextBytes(bytes);
    }
    const QsoRecord &text()
    {
        if (!m_decoded) {
            decodeRecord(bytes, m_text);
            m_decoded = true;
        }
        return m_text;
    }

    QsoRecordBytes bytes;

private:
    QsoRecord m_text;
    bool m_decoded = false;
};

// The fields of a record that examine() reads.
struct ReadFields
{
    const FieldBytes *call = nullptr, *date = nullptr, *dok = nullptr, *band = nullptr, *frequency = nullptr,
                     *mode = nullptr, *submode = nullptr, *qth = nullptr, *status = nullptr;
    bool saysConfirmed = false;
    // Whether all of them but QTH are plain ASCII, which the bytes can be read as.
    bool ascii = true;
};

// The same as examine() above, read from the bytes where the fields it needs are plain ASCII,
// as nearly all are; any other record is read as text by examine() above.
const char *examine(RecordRead &read, ImportedQso &qso, QByteArray &kept)
{
    const QsoRecordBytes &record = read.bytes;
    if (!record.terminated)
        return noEor;
    ReadFields fields;
    kept.truncate(0);
    for (const FieldBytes &field : record.fields) {
        const FieldBytes **slot = nullptr;
        if (sameBytes(field.name, "CALL"))
            slot = &fields.call;
        else if (sameBytes(field.name, "QSO_DATE"))
            slot = &fields.date;
        else if (sameBytes(field.name, "DARC_DOK"))
            slot = &fields.dok;
        else if (sameBytes(field.name, "BAND"))
            slot = &fields.band;
        else if (sameBytes(field.name, "MODE"))
            slot = &fields.mode;
        else if (sameBytes(field.name, "QTH"))
            slot = &fields.qth;
        else if (sameBytes(field.name, adif::statusField))
            slot = &fields.status;
        if (slot) {
            // The first of a name counts, as it does for a record read as text.
            if (!*slot)
                *slot = &field;
            fields.ascii = fields.ascii && (slot == &fields.qth || isAscii(field.value));
            continue;
        }
        if (sameBytes(field.name, "FREQ") && !fields.frequency)
            fields.frequency = &field;
        else if (sameBytes(field.name, "SUBMODE") && !fields.submode)
            fields.submode = &field;
        if (adif::isQslStatusField(field.name)) {
            fields.ascii = fields.ascii && isAscii(field.value);
            fields.saysConfirmed = fields.saysConfirmed || adif::saysConfirmed(field.value);
        } else if (&field == fields.frequency || &field == fields.submode) {
            fields.ascii = fields.ascii && isAscii(field.value);
        }
        adif::appendFieldText(kept, field.name, field.value);
    }
    if (!fields.ascii)
        return examine(read.text(), qso, kept);
    const auto valueOf = [](const FieldBytes *field) { return field ? field->value : QByteArrayView(); };
    qso.call = upperText(valueOf(fields.call));
    if (qso.call.isEmpty())
        return noCall;
    qso.date = adif::dateOf(valueOf(fields.date));
    if (qso.date.isEmpty())
        return noDate;
    qso.dok = upperText(valueOf(fields.dok));
    if (qso.dok.isEmpty())
        return noDok;
    qso.band = fields.band ? wordOf(vocab::bands(), adif::bandOfName(fields.band->value))
                           : adif::bandOfFrequency(QString::fromLatin1(valueOf(fields.frequency)));
    if (qso.band.isEmpty())
        return bandNotCounted;
    const QByteArrayView mode = valueOf(fields.mode);
    const QByteArrayView counted = adif::modeOf(mode, valueOf(fields.submode));
    qso.mode = wordOf(vocab::modes(), counted);
    if (qso.mode.isEmpty())
        return modeNotCounted;
    const QByteArrayView qth = valueOf(fields.qth);
    qso.qth = isAscii(qth) ? upperText(qth) : upperCasedInPlace(QString::fromUtf8(qth).trimmed());
    qso.status = fields.saysConfirmed ? vocab::status::confirmed : vocab::status::none;
    // This program's own status, in either case, stands for itself.
    if (const QByteArrayView own = valueOf(fields.status).trimmed(); own.size() == 1) {
        const QChar mark = QChar(QLatin1Char(own[0])).toUpper();
        for (const QString *status : {&vocab::status::accredited, &vocab::status::confirmed, &vocab::status::none}) {
            if (*status == QString(mark))
                qso.status = *status;
        }
    }
    qso.confirmed = qso.status != vocab::status::none;
    // A mode of older ADIF versions (USB, PSK31) is kept as the submode it stands for today.
    const QByteArrayView modeText = mode.trimmed();
    if (!modeText.isEmpty() && modeText.compare(counted, Qt::CaseInsensitive) != 0 && !fields.submode)
        adif::appendFieldText(kept, QByteArrayLiteral("SUBMODE"), upperText(modeText));
    return nullptr;
}

void note(ImportReport::Group &group, RecordRead &record)
{
    if (group.count++ < examplesKept)
        group.examples << adif::describe(record.text());
}

// The reasons for skipping, each translated once, in the order they first occur.
class SkippedRecords
{
public:
    explicit SkippedRecords(ImportReport &report) : m_report(report) {}

    void add(const char *reason, RecordRead &record)
    {
        const auto found = std::find(m_reasons.begin(), m_reasons.end(), reason);
        if (found != m_reasons.end()) {
            note(m_report.skipped[size_t(found - m_reasons.begin())], record);
            return;
        }
        m_reasons.push_back(reason);
        m_report.skipped.push_back({QCoreApplication::translate("QsoImporter", reason), 0, {}});
        note(m_report.skipped.back(), record);
    }

private:
    ImportReport &m_report;
    std::vector<const char *> m_reasons;
};

// QSOs already in the log are remembered by a 64-bit hash of call, DOK, band, mode and date:
// a few bytes each, where the texts would take more memory than the file.
quint64 duplicateKey(const QString &call, const QString &dok, const QString &band, const QString &mode,
                     const QString &date)
{
    static_assert(sizeof(size_t) == sizeof(quint64));
    return quint64(qHashMulti(size_t(0x9e3779b97f4a7c15), call.toUpper(), dok.toUpper(), band, mode, date));
}

// Eight bytes, for a million of them.
struct Logged
{
    qint64 id : 63;
    quint64 unconfirmed : 1;
};
static_assert(sizeof(Logged) == 8);

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

namespace {

// One reading of the whole file into the log, inside the caller's transaction.
class ImportPass
{
public:
    ImportPass(Connection &connection, QsoReader &reader, const std::function<bool(qint64, qint64)> &onProgress)
        : m_connection(connection), m_reader(reader), m_onProgress(onProgress)
    {
    }

    // Imports every record it can. QSOs that only lack their DOK in the list are reported as
    // skipped, and their DOKs given in unknownDoks, sorted; the DOKs of addDoks are added first.
    ImportReport run(const QStringList &addDoks, QStringList &unknownDoks);

private:
    void progress()
    {
        if (++m_sinceReport < reportEvery)
            return;
        m_sinceReport = 0;
        if (m_onProgress && !m_onProgress(m_reader.position(), m_reader.size()))
            throw Cancelled{};
    }

    Connection &m_connection;
    QsoReader &m_reader;
    const std::function<bool(qint64, qint64)> &m_onProgress;
    int m_sinceReport = 0;
};

ImportReport ImportPass::run(const QStringList &addDoks, QStringList &unknownDoks)
{
    ImportReport report;
    DokCells doks(m_connection);
    for (const QString &code : addDoks)
        doks.addDok(code);
    report.doksAdded = int(addDoks.size());
    // The QSOs already logged, and those of this file, by their duplicate key.
    QHash<quint64, Logged> logged;
    {
        Statement rows(m_connection, QStringLiteral("SELECT call, dok, banda, modo, data, id, conf FROM LOG"));
        while (rows.next()) {
            // Of QSOs logged twice, the first one stands for both.
            const quint64 key = duplicateKey(rows.text(0), rows.text(1), rows.text(2), rows.text(3), rows.text(4));
            if (!logged.contains(key))
                logged.insert(key, Logged{rows.integer(5), rows.text(6) == vocab::status::none});
        }
    }
    DokTables tables(m_connection, doks);
    QsoConfirmer confirmer(m_connection, doks, tables);
    Statement insertLog(m_connection, QStringLiteral("INSERT INTO LOG (call,loc,data,banda,modo,dok,conf,spec,mhz) "
                                                     "VALUES (?,?,?,?,?,?,?,?,?)"));
    Statement insertKept(m_connection,
                         QStringLiteral("INSERT INTO %1 (num, fields) VALUES (?,?)").arg(schema::adifFieldsTable));
    QSet<QString> unknown;
    SkippedRecords skipped(report);
    RecordRead record;
    QByteArray kept;
    m_reader.rewind();
    while (record.next(m_reader)) {
        progress();
        ++report.records;
        ImportedQso qso;
        if (const char *reason = examine(record, qso, kept)) {
            skipped.add(reason, record);
            continue;
        }
        const int dok = doks.find(qso.dok);
        if (dok < 0) {
            const bool code = isDokCode(qso.dok);
            if (code)
                unknown.insert(qso.dok);
            skipped.add(code ? unknownDok : notADokCode, record);
            continue;
        }
        const quint64 key = duplicateKey(qso.call, qso.dok, qso.band, qso.mode, qso.date);
        if (const auto found = logged.find(key); found != logged.end()) {
            // A later confirmation of a QSO logged unconfirmed raises it instead of being lost.
            if (found->unconfirmed && qso.confirmed) {
                confirmer.confirm(found->id, qso.status, adif::receivedQslFields(record.text()));
                found->unconfirmed = false;
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
        if (!kept.isEmpty())
            insertKept.bind(1, id).bindUtf8(2, kept).run();
        logged.emplace(key, Logged{id, !qso.confirmed});
        tables.store(qso, dok, special, id);
        doks.mark(dok, qso);
        ++report.imported;
    }
    report.readByCharacters = m_reader.fieldsReadByCharacters();
    doks.writeChanges();
    unknownDoks = QStringList(unknown.begin(), unknown.end());
    unknownDoks.sort();
    return report;
}

} // namespace

ImportReport QsoImporter::run(QsoReader &reader)
{
    Connection &connection = m_data.ADOconn;
    schema::upgrade(connection);
    ImportReport report;
    try {
        // The file is read once, and the user asked about the DOKs missing from the list once
        // it has all been read, so that a broken file is found before the question. Adding
        // them undoes that reading and imports the file again with the list complete, so that
        // the QSOs still come into the log in the order of the file.
        Transaction transaction(connection);
        connection.execute(QStringLiteral("SAVEPOINT import_pass"));
        ImportPass pass(connection, reader, onProgress);
        QStringList unknown;
        report = pass.run({}, unknown);
        if (!unknown.isEmpty() && addUnknownDoks && addUnknownDoks(unknown)) {
            connection.execute(QStringLiteral("ROLLBACK TO import_pass"));
            QStringList none;
            report = pass.run(unknown, none);
        }
        connection.execute(QStringLiteral("RELEASE import_pass"));
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
        onProgress(reader.size(), reader.size());
    return report;
}
