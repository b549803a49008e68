#include "recalculation.h"

#include "bandmoderebuild.h"
#include "clock.h"
#include "columnmeaning.h"
#include "connection.h"
#include "datamodule.h"
#include "localformat.h"
#include "rowstore.h"
#include "clockservice.h"
#include "tables.h"
#include "vocabulary.h"

#include <QHash>
#include <vector>

namespace {

// How many rows pass between two progress reports.
constexpr int reportEvery = 256;

const int bandCount = int(vocab::matrixSuffixes().size());
const int modeCount = int(vocab::modes().size());

// Positions in vocab::statusCells(): band cells, pair cells mode by mode, mode cells.
int bandCellAt(int band) { return band; }
int pairCellAt(int mode, int band) { return bandCount + mode * bandCount + band; }
int modeCellAt(int mode) { return bandCount * (1 + modeCount) + mode; }

constexpr char none = '*';
constexpr char confirmed = 'C';
constexpr char accredited = 'A';

char statusOf(const QString &conf)
{
    const QString text = conf.trimmed();
    const QChar first = text.isEmpty() ? QChar() : text.at(0).toUpper();
    if (first == QLatin1Char(accredited))
        return accredited;
    if (first == QLatin1Char(confirmed))
        return confirmed;
    return none;
}

// One status cell of one DOK while the log is walked.
struct CellState
{
    qint64 latestId = -1;
    char latest = none;
    bool everAccredited = false;

    void apply(qint64 id, char status)
    {
        if (status == accredited) {
            everAccredited = true;
        } else if (id >= latestId) {
            latestId = id;
            latest = status;
        }
    }
    char result() const { return everAccredited ? accredited : latest; }
};

// The index of a band or mode text of the log in the vocabulary (-1 outside it).
int bandIndex(const QString &banda)
{
    return int(vocab::matrixSuffixes().indexOf(vocab::bandSuffix(banda.trimmed().left(3).trimmed())));
}

int modeIndex(const QString &modo)
{
    return int(vocab::modes().indexOf(modo.trimmed().left(4).trimmed().toUpper()));
}

// DOK codes of the log to the position of their row in the DOK view, ignoring letter case.
class DokIndex
{
public:
    explicit DokIndex(const TableView &dok)
    {
        const int column = dok.columnIndex(QStringLiteral("DOK"));
        for (int position = 0; position < dok.recordCount(); ++position) {
            const QString code = dok.textAt(position, column).toUpper();
            if (!m_byCode.contains(code))
                m_byCode.insert(code, position);
        }
    }

    int find(const QString &code)
    {
        const auto seen = m_seen.constFind(code);
        if (seen != m_seen.constEnd())
            return *seen;
        const int position = m_byCode.value(code.toUpper(), -1);
        m_seen.insert(code, position);
        return position;
    }

private:
    QHash<QString, int> m_byCode;
    QHash<QString, int> m_seen;
};

} // namespace

// The status cells of every DOK row while the log is walked.
class StatusMatrix
{
public:
    explicit StatusMatrix(int dokCount)
        : m_cells(size_t(dokCount) * size_t(cellCount())), m_worked(size_t(dokCount), false)
    {
    }
    static int cellCount() { return int(vocab::statusCells().size()); }

    CellState *row(int dok) { return &m_cells[size_t(dok) * size_t(cellCount())]; }
    const CellState *row(int dok) const { return &m_cells[size_t(dok) * size_t(cellCount())]; }
    void markWorked(int dok) { m_worked[size_t(dok)] = true; }
    bool worked(int dok) const { return m_worked[size_t(dok)]; }

private:
    std::vector<CellState> m_cells;
    std::vector<bool> m_worked;
};

Recalculation::Recalculation(LogData &dm) : m_data(dm)
{
}

void Recalculation::run()
{
    step(Step::Clearing);
    for (TableView *view : {&m_data.log, &m_data.dok, &m_data.riep, &m_data.Dipl})
        view->open();
    m_data.dok.setFiltered(false);
    m_data.log.setFiltered(false);
    m_done = 0;
    m_total = m_data.log.recordCount() + m_data.dok.recordCount();
    if (onProgress)
        onProgress(0, m_total);

    Transaction transaction(m_data.ADOconn);
    StatusMatrix matrix(m_data.dok.recordCount());
    step(Step::Calculating);
    walkLog(matrix);
    step(Step::Counting);
    const std::vector<qint64> counters = writeMatrix(matrix);
    writeCounters(counters);
    markAwards(counters);
    BandModeRebuild(m_data.ADOconn, m_data.log, m_data.logbanda, m_data.logmodo).run();
    transaction.commit();

    m_data.dok.setFilter(QStringLiteral("conf='C'"));
    m_data.dok.first();
    if (onProgress)
        onProgress(m_total, m_total);
}

void Recalculation::step(Step which)
{
    if (onStep)
        onStep(which);
}

void Recalculation::advance()
{
    ++m_done;
    if (onProgress && m_done % reportEvery == 0)
        onProgress(m_done, m_total);
}

// The order of the walk does not matter (QSOs count by their id), so the rows are read as they
// lie in memory. LOG is unfiltered here: its live rows are its passing rows.
void Recalculation::walkLog(StatusMatrix &matrix)
{
    DokIndex doks(m_data.dok);
    const RowStore &rows = m_data.log.storedRows();
    const ColumnMeaning<int> dokOf(rows, m_data.log.columnIndex(QStringLiteral("dok")),
                                   [&](const QString &code) { return doks.find(code); });
    const ColumnMeaning<int> bandOf(rows, m_data.log.columnIndex(QStringLiteral("banda")), bandIndex);
    const ColumnMeaning<int> modeOf(rows, m_data.log.columnIndex(QStringLiteral("modo")), modeIndex);
    const ColumnMeaning<char> statusOfRow(rows, m_data.log.columnIndex(QStringLiteral("conf")), statusOf);
    const int idColumn = m_data.log.columnIndex(QStringLiteral("id"));
    const ColumnMeaning<qint64> idOf(rows, idColumn, [](const QString &text) { return text.toLongLong(); });
    const bool idsAsIntegers = !rows.isCoded(idColumn);
    for (int row = 0; row < rows.rowCount(); ++row) {
        if (!rows.isAlive(row))
            continue;
        advance();
        const int dok = dokOf.at(row);
        if (dok < 0)
            continue;
        matrix.markWorked(dok);
        const qint64 id = idsAsIntegers ? rows.integer(row, idColumn) : idOf.at(row);
        const char status = statusOfRow.at(row);
        const int band = bandOf.at(row);
        const int mode = modeOf.at(row);
        CellState *cells = matrix.row(dok);
        if (band >= 0)
            cells[bandCellAt(band)].apply(id, status);
        if (band >= 0 && mode >= 0)
            cells[pairCellAt(mode, band)].apply(id, status);
        if (mode >= 0)
            cells[modeCellAt(mode)].apply(id, status);
    }
}

// Writes every DOK row whose cells differ from the new matrix, and counts the DOKs of each
// cell; the counts are indexed by RIEP column.
std::vector<qint64> Recalculation::writeMatrix(const StatusMatrix &matrix)
{
    const int cellCount = StatusMatrix::cellCount();
    std::vector<int> columns;
    std::vector<int> confirmedCounters;
    std::vector<int> accreditedCounters;
    for (const QString &name : vocab::statusCells()) {
        columns.push_back(m_data.dok.columnIndex(name));
        confirmedCounters.push_back(m_data.riep.columnIndex(vocab::confirmedCounter(name)));
        accreditedCounters.push_back(m_data.riep.columnIndex(vocab::accreditedCounter(name)));
    }
    columns.push_back(m_data.dok.columnIndex(vocab::summaryCell));

    std::vector<qint64> counters(size_t(m_data.riep.columnCount()), 0);
    QStringList target(cellCount + 1);
    // The grids and fields showing DOK follow the whole rewrite at once.
    const ViewUpdate update(m_data.dok);
    for (int dok = 0; dok < m_data.dok.recordCount(); ++dok, advance()) {
        const CellState *cells = matrix.row(dok);
        for (int cell = 0; cell < cellCount; ++cell) {
            const char status = cells[cell].result();
            target[cell] = QString(QLatin1Char(status));
            if (status == accredited)
                ++counters[size_t(accreditedCounters[size_t(cell)])];
            if (status != none)
                ++counters[size_t(confirmedCounters[size_t(cell)])];
        }
        target[cellCount] = matrix.worked(dok) ? vocab::status::confirmed : vocab::status::none;
        bool changed = false;
        for (int cell = 0; cell <= cellCount && !changed; ++cell)
            changed = m_data.dok.textAt(dok, columns[size_t(cell)]) != target[cell];
        if (!changed)
            continue;
        // Every cell is written, so each row uses the same statement.
        m_data.dok.moveTo(dok);
        m_data.dok.edit();
        for (int cell = 0; cell <= cellCount; ++cell)
            m_data.dok.setText(columns[size_t(cell)], target[cell]);
        m_data.dok.post();
    }
    return counters;
}

// Every counter after the first two columns (a key and the stamp) starts again from 0, conf
// and nconf of the management view included.
void Recalculation::writeCounters(const std::vector<qint64> &counters)
{
    m_data.riep.first();
    m_data.riep.edit();
    for (int column = 2; column < m_data.riep.columnCount(); ++column)
        m_data.riep.setText(column, QString::number(counters[size_t(column)]));
    m_data.riep.setDateTime(QStringLiteral("dataagg"), services::clock().now());
    m_data.riep.post();
}

// Diplome: the row's position is its level (100, 200, ...); columns 2 to 13 are bands, counted
// by "CT" + name, the rest modes, counted by "C" + name. "Claimed" stays as it is.
void Recalculation::markAwards(const std::vector<qint64> &counters)
{
    const int lastBandColumn = 2 + int(schema::diplomeBandColumns().size()) - 1;
    for (int row = 0; row < m_data.Dipl.recordCount(); ++row) {
        const qint64 level = qint64(row + 1) * 100;
        std::vector<std::pair<int, QString>> changes;
        for (int column = 2; column < m_data.Dipl.columnCount(); ++column) {
            const QString current = m_data.Dipl.textAt(row, column);
            if (current == vocab::award::claimed)
                continue;
            const QString name = m_data.Dipl.columnName(column);
            const QString counter = vocab::confirmedCounter(column <= lastBandColumn ? vocab::bandCell(name)
                                                                                     : vocab::modeCell(name));
            const qint64 count = counters[size_t(m_data.riep.columnIndex(counter))];
            const QString mark = count >= level ? vocab::award::toClaim : vocab::award::notReached;
            if (current != mark)
                changes.emplace_back(column, mark);
        }
        if (changes.empty())
            continue;
        m_data.Dipl.moveTo(row);
        m_data.Dipl.edit();
        for (const auto &[column, mark] : changes)
            m_data.Dipl.setText(column, mark);
        m_data.Dipl.post();
    }
}

QString refreshStampText(const QDateTime &stamp)
{
    if (!stamp.isValid())
        return QStringLiteral("Last refresh: never");
    const QTime time = stamp.time();
    const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return QStringLiteral("Last refresh on  ") + localformat::shortDate(stamp.date()) + QStringLiteral(",  at  ")
        + localformat::twoDigits(hour) + localformat::timeSeparator() + localformat::twoDigits(time.minute())
        + (time.hour() < 12 ? QStringLiteral(" AM") : QStringLiteral(" PM"));
}
