#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

class LogData;

// The counters of the last refresh, as "wzplog-cli summary" shows them: DOKs confirmed on each
// band in each mode, on each band and in each mode, and how many of them are accredited.
struct SummaryFigures
{
    struct Band
    {
        QString band;
        QList<int> confirmedByMode; // in the order of vocab::modes()
        int confirmed = 0;
        int accredited = 0;
    };
    struct Mode
    {
        QString mode;
        int confirmed = 0;
        int accredited = 0;
    };

    QDateTime lastRefresh; // invalid when there was none
    int doksWithQsos = 0;
    QList<Band> bands;
    QList<Mode> modes;

    static SummaryFigures read(LogData &dm);

    QString text() const;
    QString csv() const;
    QString json() const;
};
