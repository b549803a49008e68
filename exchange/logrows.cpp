#include "logrows.h"

#include "adifmapping.h"
#include "connection.h"
#include "referencedata.h"
#include "statement.h"
#include "tables.h"
#include "vocabulary.h"

#include <optional>

namespace {

QString quotedName(const QString &name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

QStringList dokCells()
{
    return vocab::statusCells() + QStringList{vocab::summaryCell};
}

// A plain character as itself, anything else as 0.
char markOf(char16_t c)
{
    return c > 0 && c < 0x80 ? char(c) : 0;
}

// A text of one plain character as that character, anything else as 0.
char markOf(const QString &text)
{
    return text.size() == 1 ? markOf(text[0].unicode()) : 0;
}

// An upper-cased code of up to eight plain characters packed into a number.
std::optional<quint64> shortCode(const QString &code)
{
    if (code.isEmpty() || code.size() > 8)
        return std::nullopt;
    quint64 packed = 0;
    for (const QChar c : code) {
        const char16_t unit = c.unicode();
        if (unit == 0 || unit >= 0x80)
            return std::nullopt;
        packed = packed << 8 | quint64(unit >= 'a' && unit <= 'z' ? unit - 'a' + 'A' : unit);
    }
    return packed;
}

} // namespace

DokCells::DokCells(Connection &connection) : m_connection(connection)
{
    Q_ASSERT(dokCells().size() == cellCount);
    const QStringList names = dokCells();
    for (const QString &band : vocab::bands()) {
        const QString suffix = vocab::bandSuffix(band);
        for (const QString &mode : vocab::modes())
            m_cellsOfQso.push_back({int(names.indexOf(vocab::bandCell(suffix))), int(names.indexOf(vocab::pairCell(mode, suffix))),
                                    int(names.indexOf(vocab::modeCell(mode)))});
    }
    QStringList columns{QStringLiteral("id"), QStringLiteral("DOK"), QStringLiteral("SPEC")};
    for (const QString &cell : names)
        columns << quotedName(cell);
    Statement rows(connection, QStringLiteral("SELECT %1 FROM DOK ORDER BY id").arg(columns.join(QLatin1Char(','))));
    while (rows.next()) {
        Row row;
        Marks marks;
        row.id = rows.integer(0);
        marks.special = rows.text(2) == vocab::status::special;
        for (int cell = 0; cell < cellCount; ++cell) {
            const QByteArrayView text = rows.utf8(3 + cell);
            const char mark = text.size() == 1 ? markOf(text[0]) : 0;
            marks.cells[size_t(cell)] = mark;
            if (!mark)
                row.cells[size_t(cell)] = rows.text(3 + cell);
        }
        add(rows.text(1), std::move(row), marks);
    }
}

int DokCells::find(const QString &code) const
{
    if (const auto packed = shortCode(code))
        return m_byShortCode.value(*packed, -1);
    return m_byCode.value(code.toUpper(), -1);
}

void DokCells::addDok(const QString &code)
{
    const bool special = !reference::isOrdinaryDok(code);
    QStringList columns{QStringLiteral("DOK")};
    QStringList values{QStringLiteral("?")};
    for (const QString &cell : dokCells()) {
        columns << quotedName(cell);
        values << QStringLiteral("'*'");
    }
    columns << QStringLiteral("SPEC");
    values << QStringLiteral("?");
    Statement insert(m_connection, QStringLiteral("INSERT INTO DOK (%1) VALUES (%2)")
                                       .arg(columns.join(QLatin1Char(',')), values.join(QLatin1Char(','))));
    insert.bind(1, code).bind(2, special ? vocab::status::special : QString(), true).run();
    Row row;
    Marks marks;
    row.id = insert.lastInsertId();
    marks.special = special;
    marks.cells.fill(markOf(vocab::status::none));
    add(code, std::move(row), marks);
}

void DokCells::mark(int dok, const LoggedQso &qso)
{
    const qsizetype band = vocab::bands().indexOf(qso.band);
    const qsizetype mode = vocab::modes().indexOf(qso.mode);
    if (band >= 0 && mode >= 0) {
        const char statusMark = markOf(qso.status);
        for (const int cell : m_cellsOfQso[size_t(band * vocab::modes().size() + mode)])
            markCell(dok, cell, qso.status, statusMark);
    }
    static const char confirmedMark = markOf(vocab::status::confirmed);
    const size_t conf = cellCount - 1;
    Marks &marks = m_marks[size_t(dok)];
    if (marks.cells[conf] != confirmedMark) {
        marks.cells[conf] = confirmedMark;
        marks.changed = true;
    }
}

void DokCells::markCell(int dok, int cell, const QString &status, char statusMark)
{
    static const char accreditedMark = markOf(vocab::status::accredited);
    Marks &marks = m_marks[size_t(dok)];
    char &mark = marks.cells[size_t(cell)];
    if (mark == accreditedMark || (statusMark && mark == statusMark))
        return;
    // A cell of one plain character is that character; only other texts are kept as texts.
    if (!statusMark) {
        QString &value = m_rows[size_t(dok)].cells[size_t(cell)];
        if (value == status)
            return;
        value = status;
    }
    mark = statusMark;
    marks.changed = true;
}

void DokCells::writeChanges()
{
    QStringList sets;
    for (const QString &cell : dokCells())
        sets << quotedName(cell) + QStringLiteral("=?");
    Statement update(m_connection, QStringLiteral("UPDATE DOK SET %1 WHERE id=?").arg(sets.join(QLatin1Char(','))));
    std::array<QString, 128> textOfMark;
    for (size_t dok = 0; dok < m_rows.size(); ++dok) {
        if (!m_marks[dok].changed)
            continue;
        const Row &row = m_rows[dok];
        for (int cell = 0; cell < cellCount; ++cell) {
            const char mark = m_marks[dok].cells[size_t(cell)];
            QString &markText = textOfMark[size_t(mark)];
            if (mark && markText.isEmpty())
                markText = QString(QLatin1Char(mark));
            update.bind(cell + 1, mark ? markText : row.cells[size_t(cell)], true);
        }
        update.bind(cellCount + 1, row.id).run();
        m_marks[dok].changed = false;
    }
}

void DokCells::add(const QString &code, Row row, const Marks &marks)
{
    const int index = int(m_rows.size());
    if (const auto packed = shortCode(code)) {
        if (!m_byShortCode.contains(*packed))
            m_byShortCode.insert(*packed, index);
    } else if (const QString key = code.toUpper(); !m_byCode.contains(key)) {
        m_byCode.insert(key, index);
    }
    m_rows.push_back(std::move(row));
    m_marks.push_back(marks);
}

DokTable::DokTable(Connection &connection, const QString &name, const DokCells &doks)
    : m_insert(std::make_unique<Statement>(
          connection, QStringLiteral("INSERT INTO %1 (call,loc,data,banda,modo,dok,conf,spec,num) VALUES (?,?,?,?,?,?,?,?,?)")
                          .arg(quotedName(name)))),
      m_update(std::make_unique<Statement>(
          connection, QStringLiteral("UPDATE %1 SET call=?,loc=?,data=?,banda=?,modo=?,dok=?,conf=?,spec=?,num=? WHERE rowid=?")
                          .arg(quotedName(name))))
{
    Statement rows(connection, QStringLiteral("SELECT rowid, dok, conf FROM %1").arg(quotedName(name)));
    while (rows.next()) {
        const QString code = rows.text(1).toUpper();
        if (code == vocab::placeholderDok) {
            if (m_placeholder < 0)
                m_placeholder = rows.integer(0);
            continue;
        }
        Entry &entry = entryOf(doks.find(code), code);
        if (entry.rowid < 0)
            entry = {rows.integer(0), rows.text(2) == vocab::status::none || rows.isNull(2)};
    }
}

DokTable::~DokTable() = default;

DokTable::Entry &DokTable::entryOf(int dok, const QString &code)
{
    if (dok < 0)
        return m_unlisted[code.toUpper()];
    if (size_t(dok) >= m_listed.size())
        m_listed.resize(size_t(dok) + 1);
    return m_listed[size_t(dok)];
}

void DokTable::store(const LoggedQso &qso, int dok, bool special, qint64 id)
{
    const bool confirmed = qso.status != vocab::status::none;
    Entry &entry = entryOf(dok, qso.dok);
    if (entry.rowid < 0) {
        if (m_placeholder >= 0) {
            update(m_placeholder, qso, special, id);
            entry = {m_placeholder, !confirmed};
            m_placeholder = -1;
        } else {
            entry = {insert(qso, special, id), !confirmed};
        }
    } else if (entry.unconfirmed && confirmed) {
        update(entry.rowid, qso, special, id);
        entry.unconfirmed = false;
    }
}

void bindSharedColumns(Statement &statement, const LoggedQso &qso, bool special)
{
    statement.bind(1, qso.call, true)
        .bind(2, qso.qth, true)
        .bind(3, qso.date)
        .bind(4, qso.band)
        .bind(5, qso.mode)
        .bind(6, qso.dok)
        .bind(7, qso.status)
        .bind(8, special ? vocab::status::special : QString(), true);
}

void DokTable::bindQso(Statement &statement, const LoggedQso &qso, bool special, qint64 id) const
{
    bindSharedColumns(statement, qso, special);
    statement.bind(9, id);
}

qint64 DokTable::insert(const LoggedQso &qso, bool special, qint64 id)
{
    bindQso(*m_insert, qso, special, id);
    m_insert->run();
    return m_insert->lastInsertId();
}

void DokTable::update(qint64 rowid, const LoggedQso &qso, bool special, qint64 id)
{
    bindQso(*m_update, qso, special, id);
    m_update->bind(10, rowid).run();
}

DokTables::~DokTables()
{
    qDeleteAll(m_bandTables);
    qDeleteAll(m_modeTables);
}

void DokTables::store(const LoggedQso &qso, int dok, bool special, qint64 id)
{
    const qsizetype band = vocab::bands().indexOf(qso.band);
    const qsizetype mode = vocab::modes().indexOf(qso.mode);
    if (band < 0 || mode < 0)
        return;
    // A table's name is made only when the table is first met.
    DokTable *&bandTable = m_bandTables[size_t(band)];
    if (!bandTable)
        bandTable = new DokTable(m_connection, vocab::bandTable(vocab::bandSuffix(qso.band)), m_doks);
    DokTable *&modeTable = m_modeTables[size_t(mode)];
    if (!modeTable)
        modeTable = new DokTable(m_connection, vocab::modeTable(qso.mode), m_doks);
    bandTable->store(qso, dok, special, id);
    modeTable->store(qso, dok, special, id);
}

QsoConfirmer::QsoConfirmer(Connection &connection, DokCells &doks, DokTables &tables)
    : m_connection(connection), m_doks(doks), m_tables(tables)
{
}

void QsoConfirmer::confirm(qint64 id, const QString &status, const std::vector<QsoField> &qslFields)
{
    Statement read(m_connection, QStringLiteral("SELECT l.call, l.loc, l.data, l.banda, l.modo, l.dok, l.spec, f.fields "
                                                "FROM LOG l LEFT JOIN %1 f ON f.num = l.id WHERE l.id = ?")
                                     .arg(schema::adifFieldsTable));
    read.bind(1, id);
    if (!read.next())
        return;
    LoggedQso qso{read.text(0), read.text(5), read.text(3), read.text(4), read.text(2), read.text(1), status};
    const bool special = read.text(6) == vocab::status::special;
    std::vector<QsoField> kept = adif::keptFields(read.text(7));
    Statement(m_connection, QStringLiteral("UPDATE LOG SET conf = ? WHERE id = ?")).bind(1, status).bind(2, id).run();
    if (vocab::isBand(qso.band) && vocab::isMode(qso.mode)) {
        const int dok = m_doks.find(qso.dok);
        m_tables.store(qso, dok, special, id);
        if (dok >= 0)
            m_doks.mark(dok, qso);
    }
    if (qslFields.empty())
        return;
    adif::putFields(kept, qslFields);
    Statement(m_connection, QStringLiteral("INSERT INTO %1 (num, fields) VALUES (?, ?) "
                                           "ON CONFLICT(num) DO UPDATE SET fields = excluded.fields")
                                .arg(schema::adifFieldsTable))
        .bind(1, id)
        .bind(2, adif::keptText(kept))
        .run();
}
