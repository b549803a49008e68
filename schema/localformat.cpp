#include "localformat.h"

#include <QLocale>

namespace localformat {
namespace {

QString firstSeparator(const QString &format, const QString &fallback)
{
    for (const QChar c : format) {
        if (!c.isLetter() && c != QLatin1Char('\''))
            return QString(c);
    }
    return fallback;
}

} // namespace

QString dateSeparator()
{
    return firstSeparator(QLocale().dateFormat(QLocale::ShortFormat), QStringLiteral("/"));
}

QString timeSeparator()
{
    return firstSeparator(QLocale().timeFormat(QLocale::ShortFormat), QStringLiteral(":"));
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString shortDate(const QDate &date)
{
    const QString separator = dateSeparator();
    return QString::number(date.day()) + separator + twoDigits(date.month())
        + separator + QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
}

} // namespace localformat
