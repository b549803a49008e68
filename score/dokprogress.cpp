#include "dokprogress.h"

#include <algorithm>
#include <limits>

namespace {

constexpr qint64 noDay = std::numeric_limits<qint64>::max();
constexpr qint64 undatedDay = noDay - 1;

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
    if (dok.isEmpty() || !counts(status))
        return;
    add(dokNumber(dok), selectionNumber(band), selectionNumber(mode), dayOf(date));
}

bool DokProgress::counts(QStringView status)
{
    return !status.isEmpty() && (status.front() == QLatin1Char('C') || status.front() == QLatin1Char('A'));
}

qint64 DokProgress::dayOf(QStringView date)
{
    const QDate parsed = parseDate(date);
    return parsed.isValid() ? parsed.toJulianDay() : undatedDay;
}

void DokProgress::add(int dok, int band, int mode, qint64 day)
{
    note(0, dok, day);
    note(band, dok, day);
    note(mode, dok, day);
}

int DokProgress::dokNumber(QStringView dok)
{
    // Codes are looked up as written first, without copying: most are in upper case already.
    auto found = m_doks.constFind(QString::fromRawData(dok.data(), dok.size()));
    if (found == m_doks.cend()) {
        const QString upper = dok.toString().toUpper();
        found = m_doks.constFind(upper);
        if (found == m_doks.cend())
            found = m_doks.insert(upper, int(m_doks.size()));
    }
    return *found;
}

// A handful of bands and modes: a look along the list is quicker than hashing.
int DokProgress::selectionNumber(QStringView text)
{
    const QStringView selection = text.trimmed();
    for (int i = 1; i < m_selections.size(); ++i) {
        if (selection.compare(m_selections[i], Qt::CaseInsensitive) == 0)
            return i;
    }
    m_selections << selection.toString().toUpper();
    m_firstDay.emplace_back();
    return int(m_selections.size()) - 1;
}

void DokProgress::note(int selection, int dok, qint64 day)
{
    std::vector<qint64> &firstDays = m_firstDay[selection];
    if (firstDays.size() <= size_t(dok))
        firstDays.resize(dok + 1, noDay);
    if (day < firstDays[dok])
        firstDays[dok] = day;
}

DokProgress::Curve DokProgress::curve(const QString &selection) const
{
    Curve curve;
    std::vector<qint64> days;
    const qsizetype index = selection.isEmpty() ? 0 : m_selections.indexOf(selection.toUpper());
    if (index >= 0) {
        for (const qint64 day : m_firstDay[index]) {
            if (day != noDay)
                days.push_back(day);
        }
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
