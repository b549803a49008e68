#include "bandmoderebuild.h"

#include "columnmeaning.h"
#include "qsotables.h"
#include "statement.h"
#include "tableview.h"
#include "vocabulary.h"

#include <QHash>
#include <QSet>
#include <array>
#include <vector>

namespace {

// The columns a band or mode table copies from LOG.
const std::array<QString, 8> copiedColumns = {
    QStringLiteral("call"), QStringLiteral("loc"), QStringLiteral("data"), QStringLiteral("banda"),
    QStringLiteral("modo"), QStringLiteral("dok"), QStringLiteral("conf"), QStringLiteral("spec")};
using Copy = std::array<QString, 8>;

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
            const qint64 id = idOf(rows, row, idColumn);
            const Place place{dokOf.at(row), bandOf.at(row), modeOf.at(row)};
            if (place.band >= 0)
                noteEarliest(size_t(place.band), place.dok, id);
            if (place.mode >= 0)
                noteEarliest(size_t(bandCount + place.mode), place.dok, id);
            if (shown.contains(id))
                m_places.insert(id, place);
        }
    }

    static qint64 idOf(const RowStore &rows, int row, int idColumn)
    {
        if (!rows.isCoded(idColumn))
            return rows.integer(row, idColumn);
        std::string scratch;
        return ColumnMeaning<int>::textOf(rows.text(row, idColumn, scratch)).toLongLong();
    }

    // -1 when the DOK has no QSO there.
    qint64 earliest(size_t table, int dok) const
    {
        const std::vector<qint64> &doks = m_earliest[table];
        return dok >= 0 && size_t(dok) < doks.size() ? doks[size_t(dok)] : -1;
    }
    // The DOKs logged there, with their earliest QSO.
    std::vector<std::pair<int, qint64>> logged(size_t table) const
    {
        std::vector<std::pair<int, qint64>> out;
        const std::vector<qint64> &doks = m_earliest[table];
        for (size_t dok = 0; dok < doks.size(); ++dok) {
            if (doks[dok] >= 0)
                out.emplace_back(int(dok), doks[dok]);
        }
        return out;
    }
    bool isLoggedAt(qint64 id, const Table &table, int dok) const
    {
        const auto place = m_places.constFind(id);
        return place != m_places.constEnd() && place->dok == dok
            && (table.byBand ? place->band : place->mode) == table.index;
    }

private:
    void noteEarliest(size_t table, int dok, qint64 id)
    {
        std::vector<qint64> &doks = m_earliest[table];
        if (size_t(dok) >= doks.size())
            doks.resize(size_t(dok) + 1, -1);
        if (doks[size_t(dok)] < 0 || id < doks[size_t(dok)])
            doks[size_t(dok)] = id;
    }

    std::vector<std::vector<qint64>> m_earliest;
    QHash<qint64, Place> m_places;
};

// The QSOs each table is to show: per DOK key, a QSO.
using Choice = QHash<int, qint64>;

// A row that points at a QSO of its DOK there keeps it (the lowest such, when a DOK has several
// rows); every other logged DOK gets its earliest QSO there.
Choice choose(const Table &table, size_t tableIndex, const std::vector<std::pair<int, qint64>> &rows,
              const LogSummary &log)
{
    Choice choice;
    for (const auto &[dok, num] : rows) {
        if (!log.isLoggedAt(num, table, dok))
            continue;
        const auto chosen = choice.constFind(dok);
        if (chosen == choice.constEnd() || num < *chosen)
            choice.insert(dok, num);
    }
    for (const auto &[dok, earliest] : log.logged(tableIndex)) {
        if (!choice.contains(dok))
            choice.insert(dok, earliest);
    }
    return choice;
}

QHash<qint64, Copy> copiesOf(const RowStore &rows, int idColumn, const std::array<int, 8> &columns,
                             const QSet<qint64> &ids)
{
    QHash<qint64, Copy> copies;
    std::string scratch;
    for (int row = 0; row < rows.rowCount() && copies.size() < ids.size(); ++row) {
        if (!rows.isAlive(row))
            continue;
        const qint64 id = LogSummary::idOf(rows, row, idColumn);
        if (!ids.contains(id))
            continue;
        Copy copy;
        for (size_t column = 0; column < copy.size(); ++column) {
            if (!rows.isNull(row, columns[column]))
                copy[column] = ColumnMeaning<int>::textOf(rows.text(row, columns[column], scratch));
        }
        copies.insert(id, copy);
    }
    return copies;
}

class TableWriter
{
public:
    TableWriter(TableView &view, DokKeys &keys, const Choice &choice, const QHash<qint64, Copy> &copies)
        : m_view(view), m_keys(keys), m_choice(choice), m_copies(copies)
    {
    }

    void write(const QString &table)
    {
        qsotables::pointAt(m_view, table);
        const int dokColumn = m_view.columnIndex(QStringLiteral("dok"));
        std::vector<std::pair<int, qint64>> kept; // position, QSO
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
    void show(int position, qint64 id)
    {
        const Copy &copy = m_copies[id];
        bool same = m_view.textAt(position, m_view.columnIndex(QStringLiteral("num"))) == QString::number(id);
        for (size_t column = 0; column < copy.size() && same; ++column)
            same = m_view.textAt(position, m_view.columnIndex(copiedColumns[column])) == copy[column];
        if (same)
            return;
        m_view.moveTo(position);
        m_view.edit();
        fill(copy, id);
    }

    void append(qint64 id)
    {
        m_view.append();
        fill(m_copies[id], id);
    }

    void fill(const Copy &copy, qint64 id)
    {
        for (size_t column = 0; column < copy.size(); ++column) {
            if (copy[column].isEmpty())
                m_view.clear(copiedColumns[column]);
            else
                m_view.setText(copiedColumns[column], copy[column]);
        }
        m_view.setInteger(QStringLiteral("num"), id);
        m_view.post();
    }

    void remove(int position)
    {
        m_view.moveTo(position);
        m_view.remove();
    }

    // The placeholder keeps its spec, as deleting the last row leaves it.
    void clearPlaceholder(int position)
    {
        QStringList cleared;
        for (const QString &column : copiedColumns) {
            if (column != QLatin1String("spec") && column != QLatin1String("dok"))
                cleared << column;
        }
        cleared << QStringLiteral("num");
        bool clean = true;
        for (const QString &column : cleared)
            clean = clean && m_view.textAt(position, m_view.columnIndex(column)).isEmpty();
        if (clean)
            return;
        m_view.moveTo(position);
        m_view.edit();
        for (const QString &column : cleared)
            m_view.clear(column);
        m_view.post();
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
    const QHash<qint64, Copy> &m_copies;
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
    // The rows the tables hold now: DOK key and the QSO each points at.
    std::vector<std::vector<std::pair<int, qint64>>> stored(tables.size());
    QSet<qint64> shown;
    for (size_t table = 0; table < tables.size(); ++table) {
        Statement rows(m_connection, QStringLiteral("SELECT dok, num FROM \"%1\" WHERE num IS NOT NULL").arg(tables[table].name));
        while (rows.next()) {
            stored[table].emplace_back(keys.of(rows.text(0)), rows.integer(1));
            shown.insert(rows.integer(1));
        }
    }

    const RowStore &rows = m_log.storedRows();
    const int idColumn = m_log.columnIndex(QStringLiteral("id"));
    const ColumnMeaning<int> dokOf(rows, m_log.columnIndex(QStringLiteral("dok")),
                                   [&](const QString &code) { return keys.of(code); });
    const ColumnMeaning<int> bandOf(rows, m_log.columnIndex(QStringLiteral("banda")),
                                    [](const QString &band) { return int(vocab::bands().indexOf(band)); });
    const ColumnMeaning<int> modeOf(rows, m_log.columnIndex(QStringLiteral("modo")),
                                    [](const QString &mode) { return int(vocab::modes().indexOf(mode)); });
    const LogSummary log(rows, idColumn, dokOf, bandOf, modeOf, shown, tables.size());

    std::vector<Choice> choices;
    QSet<qint64> chosen;
    for (size_t table = 0; table < tables.size(); ++table) {
        choices.push_back(choose(tables[table], table, stored[table], log));
        for (const qint64 id : std::as_const(choices.back()))
            chosen.insert(id);
    }
    std::array<int, 8> copyColumns{};
    for (size_t column = 0; column < copiedColumns.size(); ++column)
        copyColumns[column] = m_log.columnIndex(copiedColumns[column]);
    const QHash<qint64, Copy> copies = copiesOf(rows, idColumn, copyColumns, chosen);

    const ViewState bandState(m_bandView);
    const ViewState modeState(m_modeView);
    for (size_t table = 0; table < tables.size(); ++table) {
        TableView &view = tables[table].byBand ? m_bandView : m_modeView;
        TableWriter(view, keys, choices[table], copies).write(tables[table].name);
    }
    bandState.restore();
    modeState.restore();
}
