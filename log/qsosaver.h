#pragma once

#include <QString>
#include <functional>
#include <optional>

class LogData;
class TableView;

// One QSO as the user typed it into the entry panel.
struct QsoEntry
{
    QString call;
    QString dok;
    QString band; // as chosen: "1.8", "14", ...
    QString mode;
    QString day;
    QString month;
    QString year;
    QString qth;

    // "dd/mm/" + year: a one-digit day or month gets a leading "0", the year stays as typed.
    QString date() const;
};

// Stores a QSO: marks its DOK's status cells, appends it to LOG and gives its DOK a row in the
// band table and the mode table when it has none there. Every QSO saved stays in LOG, one saved
// anyway included. A QSO dated today keeps the time of saving as its TIME_ON among the fields
// the export writes. All of it is one transaction: it is
// stored completely or, after an engine error, not at all.
class QsoSaver
{
public:
    enum class Field { Call, Dok, Band, Mode, Date, Year };
    struct Problem
    {
        Field field;
        QString message;
    };

    enum class Outcome {
        Saved,      // the first QSO of its DOK on this band and mode
        SavedAgain, // the DOK was confirmed there already and the user chose to save anyway
        Declined,   // ... and the user chose not to
        Accredited, // the DOK is accredited there: nothing may change
        UnknownDok, // the DOK text names no DOK of the list
    };

    explicit QsoSaver(LogData &dm);

    // The first field that keeps the QSO from being saved, with the message for the user.
    static std::optional<Problem> validate(const QsoEntry &qso);

    // Saves a valid QSO. saveAnyway is asked only when the DOK is confirmed on this band and mode
    // already; it returns true to store the QSO anyway. An engine error is thrown after
    // everything written so far has been rolled back.
    Outcome save(const QsoEntry &qso, const std::function<bool()> &saveAnyway);

private:
    enum class Kind { First, Again };

    bool standOnDok(const QString &dok);
    void write(const QsoEntry &qso, Kind kind);
    void markDok(const QsoEntry &qso, Kind kind);
    qint64 storeInLog(const QsoEntry &qso, bool special);
    void keepTimeOfSaving(const QsoEntry &qso, qint64 id);
    void storeInTable(TableView &view, const QString &table, const QsoEntry &qso, Kind kind, qint64 id,
                      bool special);

    LogData &m_data;
};
