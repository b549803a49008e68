#include "qsosaver.h"

#include "adifmapping.h"
#include "clock.h"
#include "connection.h"
#include "datamodule.h"
#include "qsodate.h"
#include "qsofields.h"
#include "qsotables.h"
#include "clockservice.h"
#include "statement.h"
#include "tables.h"
#include "vocabulary.h"

namespace {

QString padded(const QString &part)
{
    return part.size() == 1 ? QLatin1Char('0') + part : part;
}

// A status cell becomes "C" unless the DOK is accredited there.
void confirm(TableView &dok, const QString &cell)
{
    if (dok.text(cell) != vocab::status::accredited)
        dok.setText(cell, vocab::status::confirmed);
}

// The columns LOG shares with the band and mode tables. spec is written either way, so a reused
// placeholder row never keeps the mark of a special DOK deleted from its table.
void writeQso(TableView &view, const QsoEntry &qso, bool special)
{
    setTextOrNull(view, QStringLiteral("call"), qso.call);
    setTextOrNull(view, QStringLiteral("loc"), qso.qth);
    view.setText(QStringLiteral("data"), qso.date());
    view.setText(QStringLiteral("banda"), qso.band);
    view.setText(QStringLiteral("modo"), qso.mode);
    view.setText(QStringLiteral("dok"), qso.dok);
    view.setText(QStringLiteral("conf"), vocab::status::confirmed);
    setTextOrNull(view, QStringLiteral("spec"), special ? vocab::status::special : QString());
}

} // namespace

QString QsoEntry::date() const
{
    return padded(day) + QLatin1Char('/') + padded(month) + QLatin1Char('/') + year;
}

QsoSaver::QsoSaver(LogData &dm) : m_data(dm)
{
}

std::optional<QsoSaver::Problem> QsoSaver::validate(const QsoEntry &qso)
{
    if (qso.call.isEmpty())
        return Problem{Field::Call, QStringLiteral("You need to write a valid callsign")};
    if (qso.dok.isEmpty())
        return Problem{Field::Dok, QStringLiteral("You need to write the DOK")};
    // A band or mode still being typed ("2", "SS") would name cells of another band or none.
    if (!vocab::isBand(qso.band))
        return Problem{Field::Band, QStringLiteral("You need to choose a valid Band")};
    if (!vocab::isMode(qso.mode))
        return Problem{Field::Mode, QStringLiteral("You need to choose a valid Mode")};
    if (qso.day.isEmpty() || qso.month.isEmpty() || qso.year.isEmpty())
        return Problem{Field::Date, QStringLiteral("You need to write a valid Date")};
    if (const auto date = checkQsoDate(qso.day, qso.month, qso.year))
        return Problem{date->field == QsoDateProblem::Field::Year ? Field::Year : Field::Date, date->message};
    return std::nullopt;
}

QsoSaver::Outcome QsoSaver::save(const QsoEntry &qso, const std::function<bool()> &saveAnyway)
{
    if (!standOnDok(qso.dok))
        return Outcome::UnknownDok;
    const QString pair = m_data.dok.text(vocab::pairCell(qso.mode, vocab::bandSuffix(qso.band)));
    if (pair == vocab::status::none || pair.isEmpty()) {
        write(qso, Kind::First);
        return Outcome::Saved;
    }
    if (pair == vocab::status::confirmed) {
        if (!saveAnyway())
            return Outcome::Declined;
        write(qso, Kind::Again);
        return Outcome::SavedAgain;
    }
    return Outcome::Accredited;
}

// The current DOK row is normally the typed DOK already; when it is not (a short text that only
// begins a code, or no code at all), the save must not mark another DOK's cells.
bool QsoSaver::standOnDok(const QString &dok)
{
    if (m_data.dok.recordCount() > 0 && m_data.dok.text(vocab::table::dok).compare(dok, Qt::CaseInsensitive) == 0)
        return true;
    return m_data.dok.locate(vocab::table::dok, {dok});
}

void QsoSaver::write(const QsoEntry &qso, Kind kind)
{
    const bool special = m_data.dok.text(QStringLiteral("SPEC")) == vocab::status::special;
    const bool modesFiltered = m_data.logmodo.isFiltered();
    Transaction transaction(m_data.ADOconn);
    try {
        markDok(qso, kind);
        const qint64 id = storeInLog(qso, special);
        keepTimeOfSaving(qso, id);
        storeInTable(m_data.logbanda, vocab::bandTable(vocab::bandSuffix(qso.band)), qso, kind, id, special);
        m_data.logbanda.setFiltered(true);
        storeInTable(m_data.logmodo, vocab::modeTable(qso.mode), qso, kind, id, special);
        m_data.logmodo.setFiltered(modesFiltered);
        transaction.commit();
    } catch (...) {
        for (TableView *view : {&m_data.dok, &m_data.log, &m_data.logbanda, &m_data.logmodo})
            view->cancel();
        m_data.logbanda.setFiltered(true);
        m_data.logmodo.setFiltered(modesFiltered);
        throw;
    }
}

void QsoSaver::markDok(const QsoEntry &qso, Kind kind)
{
    const QString suffix = vocab::bandSuffix(qso.band);
    m_data.dok.edit();
    if (kind == Kind::First)
        m_data.dok.setText(vocab::pairCell(qso.mode, suffix), vocab::status::confirmed);
    confirm(m_data.dok, vocab::bandCell(suffix));
    confirm(m_data.dok, vocab::modeCell(qso.mode));
    if (kind == Kind::First)
        m_data.dok.setText(vocab::summaryCell, vocab::status::confirmed);
    m_data.dok.post();
}

// A QSO saved anyway is a QSO of its own: the earlier ones of its DOK, band and mode stay.
// Returns the id of the new LOG row.
qint64 QsoSaver::storeInLog(const QsoEntry &qso, bool special)
{
    m_data.log.append();
    writeQso(m_data.log, qso, special);
    m_data.log.setInteger(QStringLiteral("mhz"), vocab::bandSuffix(qso.band).toLongLong());
    m_data.log.post();
    return m_data.log.integer(QStringLiteral("id"));
}

// A QSO dated today is saved as it is made: the time of saving (UTC) is its TIME_ON, so that an
// export gives other loggers a time. A QSO of another day has no known time and gets none.
void QsoSaver::keepTimeOfSaving(const QsoEntry &qso, qint64 id)
{
    const QDateTime now = services::clock().now().toUTC();
    if (adif::qsoDateOf(qso.date()) != now.date().toString(QStringLiteral("yyyyMMdd")))
        return;
    Statement(m_data.ADOconn, QStringLiteral("INSERT OR REPLACE INTO %1 (num, fields) VALUES (?, ?)").arg(schema::adifFieldsTable))
        .bind(1, id)
        .bind(2, adif::keptText({{QByteArrayLiteral("TIME_ON"), now.toString(QStringLiteral("HHmm"))}}))
        .run();
}

// A band or mode table holds one row per DOK. Only this DOK's row is ever written: a first QSO
// takes the placeholder or a new row when the DOK has none there; a QSO saved anyway takes over
// the DOK's row when it holds this band and mode, and leaves a row of another band or mode alone.
void QsoSaver::storeInTable(TableView &view, const QString &table, const QsoEntry &qso, Kind kind, qint64 id,
                            bool special)
{
    qsotables::pointAt(view, table);
    const bool sameQso = kind == Kind::Again
        && view.locate(QStringLiteral("dok;banda;modo"), {qso.dok, qso.band, qso.mode});
    if (sameQso) {
        view.edit();
    } else if (view.locate(QStringLiteral("dok"), {qso.dok})) {
        return;
    } else if (view.locate(QStringLiteral("dok"), {vocab::placeholderDok})) {
        view.edit();
    } else {
        view.append();
    }
    writeQso(view, qso, special);
    view.setInteger(QStringLiteral("num"), id);
    view.post();
}
