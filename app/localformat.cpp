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

QString shortDate(const QDate &date)
{
    const QString separator = dateSeparator();
    return QString::number(date.day()) + separator + QStringLiteral("%1").arg(date.month(), 2, 10, QLatin1Char('0'))
        + separator + QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
}

} // namespace localformat
