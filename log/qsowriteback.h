#pragma once

#include <QString>
#include <functional>

class LogData;
class TableView;

// A stored QSO as the modify window shows it: every item the user may change.
struct QsoChange
{
    QString call;
    QString dok;
    QString band; // a whole band name: "1.8", "14", ...
    QString mode; // a whole mode name
    QString day;
    QString month;
    QString year;
    QString qth;
    QString status; // "*", "C" or "A"

    // "dd/mm/" + year: a one-digit day or month gets a leading "0", an empty one is written "00";
    // the year stays as typed.
    QString date() const;
};

// Writes a changed QSO back: the current row of LOG, the QSO's rows in its band and mode tables,
// and its DOK's status cells for its band and mode (never overwriting an "A"). Cells of an old
// band, mode or DOK are left for the refresh to rebuild. Each write is one transaction: after an
// engine error nothing of it is stored and the error is thrown on.
class QsoWriteBack
{
public:
    explicit QsoWriteBack(LogData &dm);

    // A change of callsign, DOK, date, QTH or status.
    void write(const QsoChange &qso);
    // A change of band or mode: the QSO's row also leaves the tables of oldBand and oldMode and
    // goes into those of its new band and mode, unless another QSO holds its DOK's row there.
    void move(const QsoChange &qso, const QString &oldBand, const QString &oldMode);

private:
    void inOneTransaction(const QsoChange &qso, const std::function<void(qint64 id)> &work);
    qint64 storeInLog(const QsoChange &qso);
    void updateCopy(TableView &view, const QString &table, const QsoChange &qso, qint64 id);
    void takeOut(TableView &view, const QString &table, qint64 id);
    void putIn(TableView &view, const QString &table, const QsoChange &qso, qint64 id);
    void markDok(const QsoChange &qso);

    LogData &m_data;
};
