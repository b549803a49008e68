#include "dokprogress.h"

#include <algorithm>
#include <limits>

namespace {

constexpr qint64 undatedDay = std::numeric_limits<qint64>::max();

// A run of digits as a number, or -1 when the text is empty or holds anything else.
int number(QStringView digits)
{
    if (digits.isEmpty() || digits.size() > 4)
        return -1;
    int value = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

} // namespace

QDate DokProgress::parseDate(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    const qsizetype first = trimmed.indexOf(QLatin1Char('/'));
    const qsizetype second = first < 0 ? -1 : trimmed.indexOf(QLatin1Char('/'), first + 1);
    if (second < 0)
        return {};
    const QStringView year = trimmed.mid(second + 1);
    if (year.size() != 4)
        return {};
    return QDate(number(year), number(trimmed.mid(first + 1, second - first - 1)), number(trimmed.left(first)));
}

void DokProgress::add(QStringView dok, QStringView band, QStringView mode, QStringView date, QStringView status)
{
    if (dok.isEmpty() || status.isEmpty()
        || (status.front() != QLatin1Char('C') && status.front() != QLatin1Char('A')))
        return;
    const QDate parsed = parseDate(date);
    const qint64 day = parsed.isValid() ? parsed.toJulianDay() : undatedDay;
    const QString code = dok.toString().toUpper();
    note(QString(), code, day);
    note(band.trimmed().toString(), code, day);
    note(mode.trimmed().toString().toUpper(), code, day);
}

void DokProgress::note(const QString &selection, const QString &dok, qint64 day)
{
    QHash<QString, qint64> &firstDays = m_firstDay[selection];
    const auto found = firstDays.find(dok);
    if (found == firstDays.end())
        firstDays.insert(dok, day);
    else if (day < *found)
        *found = day;
}

DokProgress::Curve DokProgress::curve(const QString &selection) const
{
    Curve curve;
    std::vector<qint64> days;
    if (const auto found = m_firstDay.constFind(selection); found != m_firstDay.cend()) {
        days.reserve(found->size());
        for (const qint64 day : *found)
            days.push_back(day);
    }
    std::sort(days.begin(), days.end());
    for (const qint64 day : days) {
        if (day == undatedDay) {
            ++curve.undated;
            continue;
        }
        ++curve.dated;
        const QDate date = QDate::fromJulianDay(day);
        if (!curve.steps.empty() && curve.steps.back().date == date)
            curve.steps.back().count = curve.dated;
        else
            curve.steps.push_back({date, curve.dated});
    }
    for (int i = 1; i <= levelCount; ++i) {
        Level level{i * levelStep, {}, false};
        const auto reached = std::find_if(curve.steps.begin(), curve.steps.end(),
                                          [&](const Step &step) { return step.count >= level.dokCount; });
        if (reached != curve.steps.end())
            level.reached = reached->date;
        else
            level.reachedUndated = curve.total() >= level.dokCount;
        curve.levels.push_back(level);
    }
    return curve;
}
