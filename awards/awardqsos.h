#pragma once

#include <QString>

class TableView;
class LogData;

// The band or mode behind one award entry, and the supporting QSOs of it: the confirmed, not yet
// accredited rows of its band or mode table, one per DOK, in the view's order (ordinary DOKs first).
class AwardQsos
{
public:
    explicit AwardQsos(const QString &entry);

    bool isBand() const { return m_band; }
    // The band text or mode title of the entry ("1.8", "14", "CW", "TTY").
    const QString &subject() const { return m_subject; }
    // The suffix of the table and of the Diplome column: "1", "3", "14", "CW", "RTTY".
    const QString &suffix() const { return m_suffix; }
    QString tableName() const;
    int level() const { return m_level; }

    // The RIEP counters of the band or mode: accredited ("AT14", "ACW") and confirmed ("CT14", "CCW").
    QString accreditedCounter() const;
    QString confirmedCounter() const;

    // Points the data module's band view or mode view at the table, showing only confirmed rows,
    // and returns that view.
    TableView &select(LogData &dm) const;
    TableView &view(LogData &dm) const;

private:
    bool m_band;
    QString m_subject;
    QString m_suffix;
    int m_level;
};
