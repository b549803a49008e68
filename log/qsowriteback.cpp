#include "qsowriteback.h"

#include "connection.h"
#include "datamodule.h"
#include "engineerror.h"
#include "qsofields.h"
#include "qsotables.h"
#include "vocabulary.h"

using namespace qsotables;

namespace {

QString twoDigits(const QString &part)
{
    if (part.isEmpty())
        return QStringLiteral("00");
    return part.size() == 1 ? QLatin1Char('0') + part : part;
}

// The items LOG shares with the band and mode tables; mhz and spec are not the user's to change.
void writeItems(TableView &view, const QsoChange &qso)
{
    setTextOrNull(view, QStringLiteral("call"), qso.call);
    setTextOrNull(view, QStringLiteral("loc"), qso.qth);
    view.setText(QStringLiteral("data"), qso.date());
    view.setText(QStringLiteral("banda"), qso.band);
    view.setText(QStringLiteral("modo"), qso.mode);
    setTextOrNull(view, QStringLiteral("dok"), qso.dok);
    view.setText(QStringLiteral("conf"), qso.status);
}

void requireWholeNames(const QsoChange &qso)
{
    if (!vocab::isBand(qso.band))
        throw EngineError(QStringLiteral("\"%1\" is not a band.").arg(qso.band));
    if (!vocab::isMode(qso.mode))
        throw EngineError(QStringLiteral("\"%1\" is not a mode.").arg(qso.mode));
}

} // namespace

QString QsoChange::date() const
{
    return twoDigits(day) + QLatin1Char('/') + twoDigits(month) + QLatin1Char('/') + year;
}

QsoWriteBack::QsoWriteBack(LogData &dm) : m_data(dm)
{
}

void QsoWriteBack::write(const QsoChange &qso)
{
    inOneTransaction(qso, [&](qint64 id) {
        const QString suffix = vocab::bandSuffix(qso.band);
        updateCopy(m_data.logbanda, vocab::bandTable(suffix), qso, id);
        updateCopy(m_data.logmodo, vocab::modeTable(qso.mode), qso, id);
    });
}

void QsoWriteBack::move(const QsoChange &qso, const QString &oldBand, const QString &oldMode)
{
    inOneTransaction(qso, [&](qint64 id) {
        // An old band or mode that is no whole name never had a table to leave.
        if (vocab::isBand(oldBand))
            takeOut(m_data.logbanda, vocab::bandTable(vocab::bandSuffix(oldBand)), id);
        putIn(m_data.logbanda, vocab::bandTable(vocab::bandSuffix(qso.band)), qso, id);
        if (vocab::isMode(oldMode))
            takeOut(m_data.logmodo, vocab::modeTable(oldMode), id);
        putIn(m_data.logmodo, vocab::modeTable(qso.mode), qso, id);
    });
}

void QsoWriteBack::inOneTransaction(const QsoChange &qso, const std::function<void(qint64)> &work)
{
    requireWholeNames(qso);
    const qsotables::FilterStates filters({&m_data.logbanda, &m_data.logmodo, &m_data.dok});
    Transaction transaction(m_data.ADOconn);
    try {
        const qint64 id = storeInLog(qso);
        work(id);
        markDok(qso);
        transaction.commit();
    } catch (...) {
        for (TableView *view : {&m_data.dok, &m_data.log, &m_data.logbanda, &m_data.logmodo})
            view->cancel();
        filters.restore();
        throw;
    }
    filters.restore();
}

qint64 QsoWriteBack::storeInLog(const QsoChange &qso)
{
    m_data.log.edit();
    writeItems(m_data.log, qso);
    const qint64 id = m_data.log.integer(QStringLiteral("id"));
    m_data.log.post();
    return id;
}

void QsoWriteBack::updateCopy(TableView &view, const QString &table, const QsoChange &qso, qint64 id)
{
    pointAt(view, table);
    if (!locateQso(view, id)) {
        putIn(view, table, qso, id); // unless another QSO holds its DOK's row there
        return;
    }
    if (view.text(QStringLiteral("dok")).compare(qso.dok, Qt::CaseInsensitive) != 0) {
        // A QSO given another DOK leaves its old DOK's row and joins the new DOK.
        qsotables::takeOut(view, id, m_data.ADOconn);
        putIn(view, table, qso, id);
        return;
    }
    view.edit();
    writeItems(view, qso);
    view.post();
}

void QsoWriteBack::takeOut(TableView &view, const QString &table, qint64 id)
{
    pointAt(view, table);
    qsotables::takeOut(view, id, m_data.ADOconn);
}

void QsoWriteBack::putIn(TableView &view, const QString &table, const QsoChange &qso, qint64 id)
{
    pointAt(view, table);
    if (view.locate(QStringLiteral("dok"), {qso.dok}))
        return;
    if (view.locate(QStringLiteral("dok"), {vocab::placeholderDok}))
        view.edit();
    else
        view.append();
    writeItems(view, qso);
    view.setInteger(QStringLiteral("num"), id);
    view.post();
}

// The DOK's row is looked for in the whole DOK table (the caller's filter comes back afterwards):
// a filter of the management view must not keep the cells of the QSO's DOK from being written.
void QsoWriteBack::markDok(const QsoChange &qso)
{
    if (!m_data.dok.filter().isEmpty())
        m_data.dok.setFiltered(false);
    if (!m_data.dok.locate(vocab::table::dok, {qso.dok}))
        return; // a DOK missing from the list has no cells
    const QString suffix = vocab::bandSuffix(qso.band);
    m_data.dok.edit();
    for (const QString &cell : {vocab::bandCell(suffix), vocab::pairCell(qso.mode, suffix), vocab::modeCell(qso.mode)}) {
        if (m_data.dok.text(cell) != vocab::status::accredited)
            m_data.dok.setText(cell, qso.status);
    }
    m_data.dok.post();
}
