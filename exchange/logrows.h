#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <vector>

class Connection;
class Statement;

// A QSO with the values LOG and the band and mode tables store of it.
struct LoggedQso
{
    QString call;
    QString dok;
    QString band; // "1.8" ... "433"
    QString mode;
    QString date; // as LOG stores it: dd/mm/yyyy
    QString qth;
    QString status = QStringLiteral("*");
};

// Binds the columns LOG shares with the band and mode tables, in the order call, loc, data,
// banda, modo, dok, conf, spec, to the statement's parameters 1 to 8.
void bindSharedColumns(class Statement &statement, const LoggedQso &qso, bool special);

// The DOK list with its status cells, kept in memory while many QSOs come in or change; rows
// that change are written once at the end.
class DokCells
{
public:
    explicit DokCells(Connection &connection);

    // The DOK's index, or -1 when the list lacks it (any case).
    int find(const QString &code) const;
    bool isSpecial(int dok) const { return m_marks[size_t(dok)].special; }
    // Adds a DOK with every cell "*"; one that is no ordinary code is marked special.
    void addDok(const QString &code);
    // The band, pair and mode cell of the QSO take its status unless they hold "A"; CONF
    // becomes "C". A QSO outside the twelve bands or the five modes marks only CONF.
    void mark(int dok, const LoggedQso &qso);
    void writeChanges();

private:
    static constexpr int cellCount = 78;

    struct Row
    {
        qint64 id = 0;
        // The texts of the cells that are not one plain character.
        std::array<QString, cellCount> cells;
    };
    // What marking a QSO reads of a DOK, kept apart from the texts so that those of the whole
    // list stay in the processor's cache while a large file comes in.
    struct Marks
    {
        // Each cell's text when it is one plain character, else 0 (and the row has its text).
        std::array<char, cellCount> cells{};
        bool special = false;
        bool changed = false;
    };

    void add(const QString &code, Row row, const Marks &marks);
    // The cell takes the status unless it holds "A".
    void markCell(int dok, int cell, const QString &status, char statusMark);

    Connection &m_connection;
    std::vector<Row> m_rows;
    std::vector<Marks> m_marks;
    // Codes of up to eight plain characters by their bytes in one number; other codes by text.
    QHash<quint64, int> m_byShortCode;
    QHash<QString, int> m_byCode;
    // The band, pair and mode cell of each band and mode, band by band.
    std::vector<std::array<int, 3>> m_cellsOfQso;
};

// One band or mode table: which DOKs it holds, and how their rows stand.
class DokTable
{
public:
    DokTable(Connection &connection, const QString &name, const DokCells &doks);
    ~DokTable();

    // A DOK's first QSO takes the placeholder or a new row; a confirmed QSO takes the row of an
    // unconfirmed one; every other row stays. dok is the QSO's DOK in the list, or -1 for one
    // the list lacks.
    void store(const LoggedQso &qso, int dok, bool special, qint64 id);

private:
    // Eight bytes, so that the entries of every table stay in the processor's cache while a
    // large file comes in.
    struct Entry
    {
        qint64 rowid : 63 = -1; // none yet
        quint64 unconfirmed : 1 = false;
    };
    static_assert(sizeof(Entry) == 8);

    Entry &entryOf(int dok, const QString &code);

    void bindQso(class Statement &statement, const LoggedQso &qso, bool special, qint64 id) const;
    qint64 insert(const LoggedQso &qso, bool special, qint64 id);
    void update(qint64 rowid, const LoggedQso &qso, bool special, qint64 id);

    std::unique_ptr<Statement> m_insert;
    std::unique_ptr<Statement> m_update;
    // By the DOK's place in the list, which a QSO knows already; DOKs the list lacks by code.
    std::vector<Entry> m_listed;
    QHash<QString, Entry> m_unlisted;
    qint64 m_placeholder = -1;
};

// Every band and mode table met so far, opened when first needed.
class DokTables
{
public:
    DokTables(Connection &connection, const DokCells &doks) : m_connection(connection), m_doks(doks) {}
    ~DokTables();
    DokTables(const DokTables &) = delete;
    DokTables &operator=(const DokTables &) = delete;

    // The QSO's rows in its band table and its mode table; a QSO outside the twelve bands or the
    // five modes has none. dok as for DokTable::store.
    void store(const LoggedQso &qso, int dok, bool special, qint64 id);

private:
    Connection &m_connection;
    const DokCells &m_doks;
    std::array<DokTable *, 12> m_bandTables{};
    std::array<DokTable *, 5> m_modeTables{};
};

struct QsoField;

// Raises a logged QSO to confirmed (or accredited), as a later QSL card would: its conf in LOG,
// its rows in the band and mode tables (where it takes the row of an unconfirmed QSO of its
// DOK), its DOK's cells, and the QSL fields kept for the export. Works inside the caller's
// transaction; the caller writes the cells' changes at the end.
class QsoConfirmer
{
public:
    QsoConfirmer(Connection &connection, DokCells &doks, DokTables &tables);

    void confirm(qint64 id, const QString &status, const std::vector<QsoField> &qslFields);

private:
    Connection &m_connection;
    DokCells &m_doks;
    DokTables &m_tables;
};
