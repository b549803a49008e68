#include "awardentry.h"

namespace awardentry {

namespace {

const QString bandMark = QStringLiteral(" mhz - ");
const QString modeMark = QStringLiteral(" mod - ");

} // namespace

QString make(int level, const QString &column, bool mode, const QString &applicationType)
{
    return QStringLiteral("WZP_") + QString::number(level) + QStringLiteral(" , ") + column
        + (mode ? modeMark : bandMark) + applicationType;
}

QString awardName(const QString &entry)
{
    return entry.left(entry.indexOf(QStringLiteral(" ,")));
}

QString level(const QString &entry)
{
    const int blank = entry.indexOf(QLatin1Char(' '), 4);
    return entry.mid(4, blank < 0 ? -1 : blank - 4);
}

QString subject(const QString &entry)
{
    const int start = entry.indexOf(QStringLiteral(", "));
    if (start < 0)
        return {};
    const int from = start + 2;
    const int end = entry.indexOf(isBandEntry(entry) ? QStringLiteral(" mhz") : QStringLiteral(" mod"), from);
    return entry.mid(from, end < 0 ? -1 : end - from);
}

bool isBandEntry(const QString &entry)
{
    return entry.contains(QStringLiteral("mhz"));
}

QString withType(const QString &entry, const QString &applicationType)
{
    const int dash = entry.indexOf(QLatin1Char('-'));
    return (dash < 0 ? entry : entry.left(dash + 1)) + QLatin1Char(' ') + applicationType;
}

QString summary(const QStringList &entries)
{
    if (entries.isEmpty())
        return emptySummary;
    QString text = awardName(entries.first());
    QStringList shown{level(entries.first())};
    for (const QString &entry : entries.mid(1, maximumEntries - 1)) {
        const QString next = level(entry);
        if (shown.contains(next))
            continue;
        shown << next;
        text += QLatin1Char('_') + next;
    }
    return text;
}

} // namespace awardentry
