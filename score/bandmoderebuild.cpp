#include "bandmoderebuild.h"

#include "columnmeaning.h"
#include "qsotables.h"
#include "statement.h"
#include "tableview.h"
#include "vocabulary.h"

#include <QHash>
#include <QSet>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace {

using qsotables::Copy;
using qsotables::copiedColumns;

// A band or mode table: the band's or mode's index in the vocabulary.
struct Table
{
    QString name;
    bool byBand;
    int index;
};

std::vector<Table> allTables()
{
    std::vector<Table> tables;
    for (int band = 0; band < vocab::bands().size(); ++band)
        tables.push_back({vocab::bandTable(vocab::bandSuffix(vocab::bands()[band])), true, band});
    for (int mode = 0; mode < vocab::modes().size(); ++mode)
        tables.push_back({vocab::modeTable(vocab::modes()[mode]), false, mode});
    return tables;
}

// Where a QSO is logged: its DOK (as a key of DokKeys), band and mode (-1 outside the vocabulary).
struct Place
{
    int dok = -1;
    int band = -1;
    int mode = -1;
};

// DOK codes compared as the log check compares them: ignoring letter case.
class DokKeys
{
public:
    int of(const QString &code)
    {
        const QString key = code.toUpper();
        const auto found = m_keys.constFind(key);
        if (found != m_keys.constEnd())
            return *found;
        const int next = int(m_keys.size());
        m_keys.insert(key, next);
        return next;
    }
    int count() const { return int(m_keys.size()); }

private:
    QHash<QString, int> m_keys;
};

// A QSO of the log: its id and its row among the LOG view's stored rows.
struct LoggedQso
{
    qint64 id = -1;
    int row = -1;
};

// What the log holds for the tables: per table and DOK the earliest QSO, and where each QSO
// that a table row points at is logged.
class LogSummary
{
public:
    LogSummary(const RowStore &rows, int idColumn, const ColumnMeaning<int> &dokOf, const ColumnMeaning<int> &bandOf,
               const ColumnMeaning<int> &modeOf, const QSet<qint64> &shown, size_t tableCount)
        : m_earliest(tableCount)
    {
        const int bandCount = int(vocab::bands().size());
        for (int row = 0; row < rows.rowCount(); ++row) {
            if (!rows.isAlive(row))
                continue;
            const LoggedQso qso{idOf(rows, row, idColumn), row};
            const Place place{dokOf.at(row), bandOf.at(row), modeOf.at(row)};
            if (place.band >= 0)
                noteEarliest(size_t(place.band), place.dok, qso);
            if (place.mode >= 0)
                noteEarliest(size_t(bandCount + place.mode), place.dok, qso);
            if (shown.contains(qso.id))
                m_places.insert(qso.id, {place, row});
        }
    }

    static qint64 idOf(const RowStore &rows, int row, int idColumn)
    {
        if (!rows.isCoded(idColumn))
            return rows.integer(row, idColumn);
        std::string scratch;
        return ColumnMeaning<int>::textOf(rows.text(row, idColumn, scratch)).toLongLong();
    }

    // The DOKs logged there, with their earliest QSO.
    std::vector<std::pair<int, LoggedQso>> logged(size_t table) const
    {
        std::vector<std::pair<int, LoggedQso>> out;
        const std::vector<LoggedQso> &doks = m_earliest[table];
        for (size_t dok = 0; dok < doks.size(); ++dok) {
            if (doks[dok].id >= 0)
                out.emplace_back(int(dok), doks[dok]);
        }
        return out;
    }
    // The QSO's row when it is logged there with that DOK, else -1.
    int rowLoggedAt(qint64 id, const Table &table, int dok) const
    {
        const auto found = m_places.constFind(id);
        if (found == m_places.constEnd() || found->first.dok != dok
            || (table.byBand ? found->first.band : found->first.mode) != table.index)
            return -1;
        return found->second;
    }

private:
    void noteEarliest(size_t table, int dok, LoggedQso qso)
    {
        std::vector<LoggedQso> &doks = m_earliest[table];
        if (size_t(dok) >= doks.size())
            doks.resize(size_t(dok) + 1);
        if (doks[size_t(dok)].id < 0 || qso.id < doks[size_t(dok)].id)
            doks[size_t(dok)] = qso;
    }

    std::vector<std::vector<LoggedQso>> m_earliest;
    QHash<qint64, std::pair<Place, int>> m_places;
};

// A row of a band or mode table as stored: its DOK (a key of DokKeys, -1 for the placeholder),
// the QSO it points at (-1 for none) and its copy of that QSO.
struct StoredRow
{
    int dok = -1;
    qint64 num = -1;
    Copy copy;
};

// The QSOs each table is to show: per DOK key, a QSO.
using Choice = QHash<int, LoggedQso>;

// A row that points at a QSO of its DOK there keeps it (the lowest such, when a DOK has several
// rows); every other logged DOK gets its earliest QSO there.
Choice choose(const Table &table, size_t tableIndex, const std::vector<StoredRow> &rows, const LogSummary &log)
{
    Choice choice;
    for (const StoredRow &stored : rows) {
        const int row = stored.dok < 0 ? -1 : log.rowLoggedAt(stored.num, table, stored.dok);
        if (row < 0)
            continue;
        const auto chosen = choice.constFind(stored.dok);
        if (chosen == choice.constEnd() || stored.num < chosen->id)
            choice.insert(stored.dok, {stored.num, row});
    }
    for (const auto &[dok, earliest] : log.logged(tableIndex)) {
        if (!choice.contains(dok))
            choice.insert(dok, earliest);
    }
    return choice;
}

// The copied columns of QSOs, read from the LOG view's stored rows once each.
class Copies
{
public:
    Copies(const RowStore &rows, const TableView &log) : m_rows(rows)
    {
        for (size_t column = 0; column < copiedColumns().size(); ++column)
            m_columns[column] = log.columnIndex(copiedColumns()[column]);
    }

    const Copy &of(const LoggedQso &qso)
    {
        auto found = m_copies.find(qso.row);
        if (found != m_copies.end())
            return *found;
        Copy copy;
        std::string scratch;
        for (size_t column = 0; column < copy.size(); ++column) {
            if (!m_rows.isNull(qso.row, m_columns[column]))
                copy[column] = ColumnMeaning<int>::textOf(m_rows.text(qso.row, m_columns[column], scratch));
        }
        return *m_copies.insert(qso.row, copy);
    }

private:
    const RowStore &m_rows;
    std::array<int, 8> m_columns{};
    QHash<int, Copy> m_copies;
};

// Whether a table holds exactly what it is to show, so that it need not be touched.
bool isRight(const std::vector<StoredRow> &rows, const Choice &choice, Copies &copies)
{
    if (choice.isEmpty()) {
        if (rows.size() != 1 || rows.front().dok >= 0 || rows.front().num >= 0)
            return false;
        for (size_t column = 0; column < copiedColumns().size(); ++column) {
            if (qsotables::placeholderEmptyColumns().contains(copiedColumns()[column]) && !rows.front().copy[column].isEmpty())
                return false;
        }
        return true;
    }
    if (rows.size() != size_t(choice.size()))
        return false;
    QSet<int> seen;
    for (const StoredRow &row : rows) {
        const auto chosen = choice.constFind(row.dok);
        if (chosen == choice.constEnd() || seen.contains(row.dok) || chosen->id != row.num
            || copies.of(*chosen) != row.copy)
            return false;
        seen.insert(row.dok);
    }
    return true;
}

class TableWriter
{
public:
    TableWriter(TableView &view, DokKeys &keys, const Choice &choice, Copies &copies)
        : m_view(view), m_keys(keys), m_choice(choice), m_copies(copies)
    {
    }

    void write(const QString &table)
    {
        qsotables::pointAt(m_view, table);
        const int dokColumn = m_view.columnIndex(QStringLiteral("dok"));
        std::vector<std::pair<int, LoggedQso>> kept; // position, QSO
        QSet<int> placed;
        int placeholder = -1;
        for (int position = 0; position < m_view.recordCount(); ++position) {
            const QString dok = m_view.textAt(position, dokColumn);
            if (dok == vocab::placeholderDok) {
                if (placeholder < 0)
                    placeholder = position;
                continue;
            }
            const int key = m_keys.of(dok);
            if (m_choice.contains(key) && !placed.contains(key)) {
                placed.insert(key);
                kept.emplace_back(position, m_choice.value(key));
            }
        }
        if (!m_choice.isEmpty())
            placeholder = -1;
        // From the last row up, so a removed row moves none of the rows still to be visited.
        auto keep = kept.rbegin();
        for (int position = m_view.recordCount() - 1; position >= 0; --position) {
            if (keep != kept.rend() && keep->first == position)
                show(position, (keep++)->second);
            else if (position == placeholder)
                clearPlaceholder(position);
            else
                remove(position);
        }
        for (auto dok = m_choice.cbegin(); dok != m_choice.cend(); ++dok) {
            if (!placed.contains(dok.key()))
                append(dok.value());
        }
        if (m_choice.isEmpty() && placeholder < 0)
            appendPlaceholder();
    }

private:
    // Writes the QSO's copy into the row unless the row holds it already.
    void show(int position, const LoggedQso &qso)
    {
        const Copy &copy = m_copies.of(qso);
        bool same = m_view.textAt(position, m_view.columnIndex(QStringLiteral("num"))) == QString::number(qso.id);
        for (size_t column = 0; column < copy.size() && same; ++column)
            same = m_view.textAt(position, m_view.columnIndex(copiedColumns()[column])) == copy[column];
        if (same)
            return;
        m_view.moveTo(position);
        m_view.edit();
        qsotables::writeCopy(m_view, copy, qso.id);
    }

    void append(const LoggedQso &qso)
    {
        m_view.append();
        qsotables::writeCopy(m_view, m_copies.of(qso), qso.id);
    }

    void remove(int position)
    {
        m_view.moveTo(position);
        m_view.remove();
    }

    // The placeholder keeps its spec, as deleting the last row leaves it.
    void clearPlaceholder(int position)
    {
        bool clean = true;
        for (const QString &column : qsotables::placeholderEmptyColumns())
            clean = clean && m_view.textAt(position, m_view.columnIndex(column)).isEmpty();
        if (clean)
            return;
        m_view.moveTo(position);
        qsotables::makePlaceholder(m_view);
    }

    void appendPlaceholder()
    {
        m_view.append();
        m_view.setText(QStringLiteral("dok"), vocab::placeholderDok);
        m_view.post();
    }

    TableView &m_view;
    DokKeys &m_keys;
    const Choice &m_choice;
    Copies &m_copies;
};

// What a view showed before the rebuild pointed it at other tables.
class ViewState
{
public:
    explicit ViewState(TableView &view)
        : m_view(view), m_open(view.isOpen()), m_table(view.tableName()), m_filtered(view.isFiltered())
    {
    }

    void restore() const
    {
        if (!m_open) {
            m_view.close();
            m_view.setTableName(m_table);
            return;
        }
        qsotables::pointAt(m_view, m_table);
        m_view.setFiltered(m_filtered);
        m_view.first();
    }

private:
    TableView &m_view;
    bool m_open;
    QString m_table;
    bool m_filtered;
};

} // namespace

BandModeRebuild::BandModeRebuild(Connection &connection, TableView &log, TableView &bandView, TableView &modeView)
    : m_connection(connection), m_log(log), m_bandView(bandView), m_modeView(modeView)
{
}

void BandModeRebuild::run()
{
    const std::vector<Table> tables = allTables();
    DokKeys keys;
    std::vector<std::vector<StoredRow>> stored(tables.size());
    QSet<qint64> shown;
    QStringList copied;
    for (const QString &column : copiedColumns())
        copied << column;
    for (size_t table = 0; table < tables.size(); ++table) {
        Statement rows(m_connection, QStringLiteral("SELECT dok, num, %1 FROM \"%2\"")
                                         .arg(copied.join(QStringLiteral(", ")), tables[table].name));
        while (rows.next()) {
            StoredRow row;
            const QString dok = rows.text(0);
            row.dok = dok == vocab::placeholderDok ? -1 : keys.of(dok);
            row.num = rows.isNull(1) ? -1 : rows.integer(1);
            for (size_t column = 0; column < row.copy.size(); ++column)
                row.copy[column] = rows.isNull(int(column) + 2) ? QString() : rows.text(int(column) + 2);
            if (row.num >= 0)
                shown.insert(row.num);
            stored[table].push_back(row);
        }
    }

    const RowStore &rows = m_log.storedRows();
    const ColumnMeaning<int> dokOf(rows, m_log.columnIndex(QStringLiteral("dok")),
                                   [&](const QString &code) { return keys.of(code); });
    const ColumnMeaning<int> bandOf(rows, m_log.columnIndex(QStringLiteral("banda")),
                                    [](const QString &band) { return int(vocab::bands().indexOf(band)); });
    const ColumnMeaning<int> modeOf(rows, m_log.columnIndex(QStringLiteral("modo")),
                                    [](const QString &mode) { return int(vocab::modes().indexOf(mode)); });
    const LogSummary log(rows, m_log.columnIndex(QStringLiteral("id")), dokOf, bandOf, modeOf, shown, tables.size());

    Copies copies(rows, m_log);
    std::optional<ViewState> bandState;
    std::optional<ViewState> modeState;
    for (size_t table = 0; table < tables.size(); ++table) {
        const Choice choice = choose(tables[table], table, stored[table], log);
        if (isRight(stored[table], choice, copies))
            continue;
        TableView &view = tables[table].byBand ? m_bandView : m_modeView;
        std::optional<ViewState> &state = tables[table].byBand ? bandState : modeState;
        if (!state)
            state.emplace(view);
        TableWriter(view, keys, choice, copies).write(tables[table].name);
    }
    for (const std::optional<ViewState> &state : {std::cref(bandState), std::cref(modeState)}) {
        if (state)
            state->restore();
    }
}
