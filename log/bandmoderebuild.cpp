#include "bandmoderebuild.h"

#include "qsotables.h"
#include "statement.h"
#include "tableview.h"
#include "vocabulary.h"

#include <QHash>
#include <QSet>
#include <array>
#include <map>
#include <vector>

namespace {

// The columns a band or mode table copies from LOG, in the order of copiedColumns.
const std::array<QString, 8> copiedColumns = {
    QStringLiteral("call"), QStringLiteral("loc"),  QStringLiteral("data"), QStringLiteral("banda"),
    QStringLiteral("modo"), QStringLiteral("dok"),  QStringLiteral("conf"), QStringLiteral("spec")};

struct LoggedQso
{
    QString dok; // upper case
    QString band;
    QString mode;
};

// Where each DOK is logged: per table, the DOK's earliest QSO there.
struct LogIndex
{
    QHash<qint64, LoggedQso> qsos;
    QHash<QString, QHash<QString, qint64>> earliest; // table -> DOK -> id
};

LogIndex readLog(Connection &connection, const QStringList &tables)
{
    LogIndex index;
    QHash<QString, QString> bandTables;
    QHash<QString, QString> modeTables;
    for (const QString &band : vocab::bands())
        bandTables.insert(band, vocab::bandTable(vocab::bandSuffix(band)));
    for (const QString &mode : vocab::modes())
        modeTables.insert(mode, vocab::modeTable(mode));
    for (const QString &table : tables)
        index.earliest.insert(table, {});
    Statement rows(connection, QStringLiteral("SELECT id, dok, banda, modo FROM LOG ORDER BY id"));
    while (rows.next()) {
        const qint64 id = rows.integer(0);
        const LoggedQso qso{rows.text(1).toUpper(), rows.text(2), rows.text(3)};
        for (const QString &table : {bandTables.value(qso.band), modeTables.value(qso.mode)}) {
            if (table.isEmpty())
                continue;
            QHash<QString, qint64> &doks = index.earliest[table];
            if (!doks.contains(qso.dok))
                doks.insert(qso.dok, id);
        }
        index.qsos.insert(id, qso);
    }
    return index;
}

// The copied columns of one QSO of LOG.
std::array<QString, 8> copyOf(Connection &connection, qint64 id)
{
    Statement row(connection, QStringLiteral("SELECT call, loc, data, banda, modo, dok, conf, spec FROM LOG WHERE id = ?"));
    row.bind(1, id);
    std::array<QString, 8> values;
    if (row.next()) {
        for (size_t column = 0; column < values.size(); ++column)
            values[column] = row.isNull(int(column)) ? QString() : row.text(int(column));
    }
    return values;
}

class TableRebuild
{
public:
    TableRebuild(Connection &connection, TableView &view, const LogIndex &log, const QString &table)
        : m_connection(connection), m_view(view), m_log(log), m_table(table),
          m_scope(*qsotables::scopeOf(table)), m_logged(log.earliest.value(table))
    {
    }

    void run()
    {
        qsotables::pointAt(m_view, m_table);
        const int dokColumn = m_view.columnIndex(QStringLiteral("dok"));
        const int numColumn = m_view.columnIndex(QStringLiteral("num"));
        // Which row each logged DOK keeps, and the QSO it shows; every other row goes.
        std::map<int, qint64> kept; // position -> id
        QSet<QString> placed;
        int placeholder = -1;
        for (int position = 0; position < m_view.recordCount(); ++position) {
            const QString dok = m_view.textAt(position, dokColumn).toUpper();
            if (dok == vocab::placeholderDok) {
                if (placeholder < 0)
                    placeholder = position;
                continue;
            }
            if (!m_logged.contains(dok) || placed.contains(dok))
                continue;
            placed.insert(dok);
            kept[position] = pointsHere(m_view.textAt(position, numColumn).toLongLong(), dok)
                ? m_view.textAt(position, numColumn).toLongLong()
                : m_logged.value(dok);
        }
        if (!m_logged.isEmpty())
            placeholder = -1;
        for (int position = m_view.recordCount() - 1; position >= 0; --position) {
            if (const auto keep = kept.find(position); keep != kept.end())
                show(position, keep->second);
            else if (position == placeholder)
                clearPlaceholder(position);
            else
                remove(position);
        }
        for (auto dok = m_logged.cbegin(); dok != m_logged.cend(); ++dok) {
            if (!placed.contains(dok.key()))
                append(dok.value());
        }
        if (m_logged.isEmpty() && placeholder < 0)
            appendPlaceholder();
    }

private:
    bool pointsHere(qint64 id, const QString &dok) const
    {
        const auto qso = m_log.qsos.constFind(id);
        if (qso == m_log.qsos.constEnd() || qso->dok != dok)
            return false;
        return (m_scope.column == QLatin1String("banda") ? qso->band : qso->mode) == m_scope.value;
    }

    // Writes the QSO's copy into the row unless the row holds it already.
    void show(int position, qint64 id)
    {
        const std::array<QString, 8> values = copyOf(m_connection, id);
        bool same = m_view.textAt(position, m_view.columnIndex(QStringLiteral("num"))) == QString::number(id);
        for (size_t column = 0; column < values.size() && same; ++column)
            same = m_view.textAt(position, m_view.columnIndex(copiedColumns[column])) == values[column];
        if (same)
            return;
        m_view.moveTo(position);
        m_view.edit();
        write(values, id);
    }

    void append(qint64 id)
    {
        m_view.append();
        write(copyOf(m_connection, id), id);
    }

    void write(const std::array<QString, 8> &values, qint64 id)
    {
        for (size_t column = 0; column < values.size(); ++column) {
            if (values[column].isEmpty())
                m_view.clear(copiedColumns[column]);
            else
                m_view.setText(copiedColumns[column], values[column]);
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
        bool clean = true;
        for (const QString &column : copiedColumns) {
            if (column != QLatin1String("spec") && column != QLatin1String("dok"))
                clean = clean && m_view.textAt(position, m_view.columnIndex(column)).isEmpty();
        }
        clean = clean && m_view.textAt(position, m_view.columnIndex(QStringLiteral("num"))).isEmpty();
        if (clean)
            return;
        m_view.moveTo(position);
        m_view.edit();
        for (const QString &column : copiedColumns) {
            if (column != QLatin1String("spec") && column != QLatin1String("dok"))
                m_view.clear(column);
        }
        m_view.clear(QStringLiteral("num"));
        m_view.post();
    }

    void appendPlaceholder()
    {
        m_view.append();
        m_view.setText(QStringLiteral("dok"), vocab::placeholderDok);
        m_view.post();
    }

    Connection &m_connection;
    TableView &m_view;
    const LogIndex &m_log;
    const QString m_table;
    const qsotables::TableScope m_scope;
    const QHash<QString, qint64> m_logged;
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

BandModeRebuild::BandModeRebuild(Connection &connection, TableView &bandView, TableView &modeView)
    : m_connection(connection), m_bandView(bandView), m_modeView(modeView)
{
}

void BandModeRebuild::run()
{
    QStringList bandTables;
    for (const QString &band : vocab::bands())
        bandTables << vocab::bandTable(vocab::bandSuffix(band));
    QStringList modeTables;
    for (const QString &mode : vocab::modes())
        modeTables << vocab::modeTable(mode);
    const LogIndex log = readLog(m_connection, bandTables + modeTables);

    const ViewState bandState(m_bandView);
    const ViewState modeState(m_modeView);
    for (const QString &table : bandTables)
        TableRebuild(m_connection, m_bandView, log, table).run();
    for (const QString &table : modeTables)
        TableRebuild(m_connection, m_modeView, log, table).run();
    bandState.restore();
    modeState.restore();
}
