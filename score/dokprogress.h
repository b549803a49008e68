#pragma once

#include <QDate>
#include <QHash>
#include <QStringList>
#include <QString>
#include <QStringView>
#include <vector>

// How the number of different confirmed DOKs grew over time, from the QSO dates of the log. The
// log is read once (add() for every QSO); the curve of the whole log and of every band and mode
// can then be asked for. A QSO counts when its status is "C" or "A"; a DOK counts from the date of
// its first such QSO. A DOK whose confirmed QSOs all carry dates that do not parse is counted at
// the end, after every dated one.
class DokProgress
{
public:
    // The award classes: 100, 200, ... 1000 different DOKs.
    static constexpr int levelStep = 100;
    static constexpr int levelCount = 10;

    struct Step
    {
        QDate date;
        int count; // DOKs confirmed up to and including this date
        bool operator==(const Step &) const = default;
    };
    struct Level
    {
        int dokCount;
        QDate reached; // invalid when not reached, or reached only by undated QSOs
        bool reachedUndated = false;
        bool operator==(const Level &) const = default;
    };
    struct Curve
    {
        std::vector<Step> steps;
        int dated = 0;
        int undated = 0;
        std::vector<Level> levels;
        int total() const { return dated + undated; }
    };

    void add(QStringView dok, QStringView band, QStringView mode, QStringView date, QStringView status);
    // The same in parts, for a reader that works each distinct text out once: whether a status
    // counts, the number of a DOK, of a band or mode, and the day of a date; then the QSO.
    static bool counts(QStringView status);
    int dokNumber(QStringView dok);
    int selectionNumber(QStringView selection);
    static qint64 dayOf(QStringView date);
    void add(int dok, int band, int mode, qint64 day);
    // The whole log for an empty selection, otherwise one band (its text, "1.8") or one mode.
    Curve curve(const QString &selection = {}) const;

    // A date written day/month/year with a four-digit year ("5/03/2009", "05/03/2009").
    static QDate parseDate(QStringView text);

private:
    void note(int selection, int dok, qint64 day);

    // DOK codes in upper case, numbered as they first occur.
    QHash<QString, int> m_doks;
    // Selections as they first occur; the whole log is number 0.
    QStringList m_selections{QString()};
    // Per selection, the first confirmed day of each DOK by number (a Julian day; noDay when the
    // DOK has no confirmed QSO there, undatedDay when none of its dates parse).
    std::vector<std::vector<qint64>> m_firstDay{1};
};
