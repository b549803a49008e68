#include "qsoimporter.h"

#include "adifmapping.h"
#include "connection.h"
#include "datamodule.h"
#include "doklist.h"
#include "qsorecord.h"
#include "referencedata.h"
#include "statement.h"
#include "tables.h"
#include "uppercase.h"
#include "vocabulary.h"

#include <QHash>
#include <QSet>
#include <array>
#include <memory>
#include <unordered_set>
#include <variant>

namespace {

constexpr int reportEvery = 256;
constexpr int examplesKept = 3;

const QString noEor = QStringLiteral("record without <EOR> at the end of the file");
const QString noCall = QStringLiteral("no callsign");
const QString noDate = QStringLiteral("no valid QSO_DATE");
const QString noDok = QStringLiteral("no DARC_DOK");
const QString bandNotCounted = QStringLiteral("band not counted");
const QString modeNotCounted = QStringLiteral("mode not counted");
const QString unknownDok = QStringLiteral("DOK not in the list");
const QString notADokCode = QStringLiteral("DARC_DOK is not a DOK code");

struct ImportedQso
{
    QString call;
    QString dok;
    QString band;
    QString mode;
    QString date;
    QString qth;
    QString status = vocab::status::none;
    bool confirmed = false; // "C" or "A"
    QByteArray kept;
};


std::variant<ImportedQso, QString> examine(const QsoRecord &record)
{
    if (!record.terminated)
        return noEor;
    ImportedQso qso;
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
    const QString own = record.value(adif::statusField.constData()).trimmed().toUpper();
    if (own == vocab::status::accredited || own == vocab::status::confirmed || own == vocab::status::none)
        qso.status = own;
    else if (adif::isConfirmed(record))
        qso.status = vocab::status::confirmed;
    qso.confirmed = qso.status != vocab::status::none;
    for (const QsoField &field : record.fields) {
        if (!adif::isLogField(field.name) && field.name != adif::statusField)
            qso.kept += adif::fieldText(field.name, field.value);
    }
    // A mode of older ADIF versions (USB, PSK31) is kept as the submode it stands for today.
    const QString modeText = mode.trimmed().toUpper();
    if (modeText != qso.mode && !modeText.isEmpty() && !record.find("SUBMODE"))
        qso.kept += adif::fieldText("SUBMODE", modeText);
    return qso;
}

QString describe(const QsoRecord &record)
{
    QStringList parts;
    for (const char *name : {"CALL", "QSO_DATE", "BAND", "FREQ", "MODE", "SUBMODE", "DARC_DOK"}) {
        const QString value = record.value(name).trimmed();
        if (!value.isEmpty())
            parts << value.left(20);
    }
    return QStringLiteral("record %1: %2").arg(record.number).arg(parts.join(QLatin1Char(' ')));
}

void note(ImportReport::Group &group, const QsoRecord &record)
{
    if (group.count++ < examplesKept)
        group.examples << describe(record);
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

QString quotedName(const QString &name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

QStringList dokCells()
{
    return vocab::statusCells() + QStringList{vocab::summaryCell};
}

// The DOK list with its status cells, kept in memory while the file is imported; rows that
// change are written once at the end.
class DokCells
{
public:
    explicit DokCells(Connection &connection) : m_connection(connection)
    {
        QStringList columns{QStringLiteral("id"), QStringLiteral("DOK"), QStringLiteral("SPEC")};
        for (const QString &cell : dokCells())
            columns << quotedName(cell);
        Statement rows(connection, QStringLiteral("SELECT %1 FROM DOK ORDER BY id").arg(columns.join(QLatin1Char(','))));
        while (rows.next()) {
            Row row;
            row.id = rows.integer(0);
            row.special = rows.text(2) == vocab::status::special;
            for (int cell = 0; cell < cellCount; ++cell)
                row.cells[size_t(cell)] = rows.text(3 + cell);
            add(rows.text(1), std::move(row));
        }
    }

    int find(const QString &code) const { return m_byCode.value(code.toUpper(), -1); }
    bool isSpecial(int dok) const { return m_rows[size_t(dok)].special; }

    void addDok(const QString &code)
    {
        const bool special = !reference::isOrdinaryDok(code);
        QStringList columns{QStringLiteral("DOK")};
        QStringList marks{QStringLiteral("?")};
        for (const QString &cell : dokCells()) {
            columns << quotedName(cell);
            marks << QStringLiteral("'*'");
        }
        columns << QStringLiteral("SPEC");
        marks << QStringLiteral("?");
        Statement insert(m_connection, QStringLiteral("INSERT INTO DOK (%1) VALUES (%2)")
                                           .arg(columns.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
        insert.bind(1, code).bind(2, special ? vocab::status::special : QString(), true).run();
        Row row;
        row.id = insert.lastInsertId();
        row.special = special;
        row.cells.fill(vocab::status::none);
        add(code, std::move(row));
    }

    // The refresh's rule: the QSO's status, unless the cell holds "A"; CONF "C".
    void mark(int dok, const ImportedQso &qso)
    {
        Row &row = m_rows[size_t(dok)];
        const QString suffix = vocab::bandSuffix(qso.band);
        for (const QString &cell : {vocab::bandCell(suffix), vocab::pairCell(qso.mode, suffix), vocab::modeCell(qso.mode)}) {
            QString &value = row.cells[size_t(m_cellIndex.value(cell))];
            if (value != vocab::status::accredited && value != qso.status) {
                value = qso.status;
                row.changed = true;
            }
        }
        QString &conf = row.cells[size_t(cellCount - 1)];
        if (conf != vocab::status::confirmed) {
            conf = vocab::status::confirmed;
            row.changed = true;
        }
    }

    void writeChanges()
    {
        QStringList sets;
        for (const QString &cell : dokCells())
            sets << quotedName(cell) + QStringLiteral("=?");
        Statement update(m_connection, QStringLiteral("UPDATE DOK SET %1 WHERE id=?").arg(sets.join(QLatin1Char(','))));
        for (const Row &row : m_rows) {
            if (!row.changed)
                continue;
            for (int cell = 0; cell < cellCount; ++cell)
                update.bind(cell + 1, row.cells[size_t(cell)], true);
            update.bind(cellCount + 1, row.id).run();
        }
    }

private:
    static inline const int cellCount = int(vocab::statusCells().size()) + 1;

    struct Row
    {
        qint64 id = 0;
        bool special = false;
        std::array<QString, 78> cells;
        bool changed = false;
    };

    void add(const QString &code, Row row)
    {
        if (m_cellIndex.isEmpty()) {
            const QStringList names = dokCells();
            for (int i = 0; i < names.size(); ++i)
                m_cellIndex.insert(names[i], i);
        }
        const QString key = code.toUpper();
        if (!m_byCode.contains(key))
            m_byCode.insert(key, int(m_rows.size()));
        m_rows.push_back(std::move(row));
    }

    Connection &m_connection;
    std::vector<Row> m_rows;
    QHash<QString, int> m_byCode;
    QHash<QString, int> m_cellIndex;
};

// One band or mode table: which DOKs it holds, and how their rows stand.
class DokTable
{
public:
    DokTable(Connection &connection, QString name) : m_connection(connection), m_name(std::move(name))
    {
        Statement rows(connection, QStringLiteral("SELECT rowid, dok, conf FROM %1").arg(quotedName(m_name)));
        while (rows.next()) {
            const QString dok = rows.text(1).toUpper();
            if (dok == vocab::placeholderDok) {
                if (m_placeholder < 0)
                    m_placeholder = rows.integer(0);
            } else if (!m_rows.contains(dok)) {
                m_rows.insert(dok, {rows.integer(0), rows.text(2) == vocab::status::none || rows.isNull(2)});
            }
        }
    }

    // A DOK's first QSO takes the placeholder or a new row; a confirmed QSO takes the row of an
    // unconfirmed one; every other row stays.
    void store(const ImportedQso &qso, bool special, qint64 id)
    {
        const QString key = qso.dok;
        const auto found = m_rows.find(key);
        if (found == m_rows.end()) {
            if (m_placeholder >= 0) {
                update(m_placeholder, qso, special, id);
                m_rows.insert(key, {m_placeholder, !qso.confirmed});
                m_placeholder = -1;
            } else {
                m_rows.insert(key, {insert(qso, special, id), !qso.confirmed});
            }
        } else if (found->unconfirmed && qso.confirmed) {
            update(found->rowid, qso, special, id);
            found->unconfirmed = false;
        }
    }

private:
    struct Entry
    {
        qint64 rowid;
        bool unconfirmed;
    };

    static void bindQso(Statement &statement, const ImportedQso &qso, bool special, qint64 id)
    {
        statement.bind(1, qso.call, true)
            .bind(2, qso.qth, true)
            .bind(3, qso.date)
            .bind(4, qso.band)
            .bind(5, qso.mode)
            .bind(6, qso.dok)
            .bind(7, qso.status)
            .bind(8, special ? vocab::status::special : QString(), true)
            .bind(9, id);
    }

    qint64 insert(const ImportedQso &qso, bool special, qint64 id)
    {
        Statement statement(m_connection, QStringLiteral("INSERT INTO %1 (call,loc,data,banda,modo,dok,conf,spec,num) "
                                                         "VALUES (?,?,?,?,?,?,?,?,?)")
                                              .arg(quotedName(m_name)));
        bindQso(statement, qso, special, id);
        statement.run();
        return statement.lastInsertId();
    }

    void update(qint64 rowid, const ImportedQso &qso, bool special, qint64 id)
    {
        Statement statement(m_connection, QStringLiteral("UPDATE %1 SET call=?,loc=?,data=?,banda=?,modo=?,dok=?,"
                                                         "conf=?,spec=?,num=? WHERE rowid=?")
                                              .arg(quotedName(m_name)));
        bindQso(statement, qso, special, id);
        statement.bind(10, rowid).run();
    }

    Connection &m_connection;
    QString m_name;
    QHash<QString, Entry> m_rows;
    qint64 m_placeholder = -1;
};

// QSOs already in the log are remembered by a 64-bit hash of call, DOK, band, mode and date:
// a few bytes each, where the texts would take more memory than the file.
quint64 duplicateKey(const QString &call, const QString &dok, const QString &band, const QString &mode,
                     const QString &date)
{
    const QString key = call.toUpper() + QChar(0x1f) + dok.toUpper() + QChar(0x1f) + band + QChar(0x1f) + mode
        + QChar(0x1f) + date;
    static_assert(sizeof(size_t) == sizeof(quint64));
    return quint64(qHash(key, size_t(0x9e3779b97f4a7c15)));
}

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
        return QStringLiteral("The import was cancelled; the log is unchanged.");
    QStringList lines;
    lines << QStringLiteral("QSOs imported: %1").arg(imported);
    if (doksAdded > 0)
        lines << QStringLiteral("DOKs added to the list: %1").arg(doksAdded);
    lines << QStringLiteral("Duplicates (%1): %2").arg(duplicates.reason).arg(duplicates.count);
    for (const QString &example : duplicates.examples)
        lines << QStringLiteral("    ") + example;
    lines << QStringLiteral("Skipped: %1").arg(skippedCount());
    for (const Group &group : skipped) {
        lines << QStringLiteral("  %1: %2").arg(group.reason).arg(group.count);
        for (const QString &example : group.examples)
            lines << QStringLiteral("    ") + example;
    }
    return lines.join(QLatin1Char('\n'));
}

QsoImporter::QsoImporter(TDm &dm) : Dm(dm)
{
}

ImportReport QsoImporter::run(QsoReader &reader)
{
    Connection &connection = Dm.ADOconn;
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
                const auto examined = examine(record);
                // Only what has the shape of a DOK code can join the list.
                if (const auto *qso = std::get_if<ImportedQso>(&examined);
                    qso && doks.find(qso->dok) < 0 && isDokCode(qso->dok))
                    unknown.insert(qso->dok);
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
        std::unordered_set<quint64> logged;
        {
            Statement rows(connection, QStringLiteral("SELECT call, dok, banda, modo, data FROM LOG"));
            while (rows.next())
                logged.insert(duplicateKey(rows.text(0), rows.text(1), rows.text(2), rows.text(3), rows.text(4)));
        }
        QHash<QString, DokTable *> tables;
        std::vector<std::unique_ptr<DokTable>> owned;
        const auto table = [&](const QString &name) -> DokTable & {
            DokTable *&found = tables[name];
            if (!found) {
                owned.push_back(std::make_unique<DokTable>(connection, name));
                found = owned.back().get();
            }
            return *found;
        };
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
                noteSkipped(report, isDokCode(qso.dok) ? unknownDok : notADokCode, record);
                continue;
            }
            if (!logged.insert(duplicateKey(qso.call, qso.dok, qso.band, qso.mode, qso.date)).second) {
                note(report.duplicates, record);
                continue;
            }
            const bool special = doks.isSpecial(dok);
            const QString suffix = vocab::bandSuffix(qso.band);
            insertLog.bind(1, qso.call, true)
                .bind(2, qso.qth, true)
                .bind(3, qso.date)
                .bind(4, qso.band)
                .bind(5, qso.mode)
                .bind(6, qso.dok)
                .bind(7, qso.status)
                .bind(8, special ? vocab::status::special : QString(), true)
                .bind(9, suffix.toLongLong());
            insertLog.run();
            const qint64 id = insertLog.lastInsertId();
            if (!qso.kept.isEmpty())
                insertKept.bind(1, id).bind(2, QString::fromUtf8(qso.kept)).run();
            table(vocab::bandTable(suffix)).store(qso, special, id);
            table(vocab::modeTable(qso.mode)).store(qso, special, id);
            doks.mark(dok, qso);
            ++report.imported;
        }
        doks.writeChanges();
        transaction.commit();
    } catch (const Cancelled &) {
        ImportReport cancelled;
        cancelled.cancelled = true;
        return cancelled;
    }
    for (TableView *view : {&Dm.dok, &Dm.log, &Dm.logbanda, &Dm.logmodo}) {
        if (view->isOpen())
            view->refresh();
    }
    if (onProgress)
        onProgress(total, total);
    return report;
}
