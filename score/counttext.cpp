#include "counttext.h"

#include <QLocale>

namespace counttext {
namespace {

QString text(qint64 count, const QString &what, const QString &where, qint64 total)
{
    return QStringLiteral("  ") + QString::number(count) + QStringLiteral(" DOK ") + what + QStringLiteral(" on ")
        + where + QStringLiteral(" (") + percentage(count, total) + QStringLiteral(" %)");
}

} // namespace

QString percentage(qint64 count, qint64 total)
{
    const double share = total > 0 ? double(count) / double(total) * 100.0 : 0.0;
    return QLocale().toString(share, 'f', 1);
}

QString band(qint64 count, const QString &band, qint64 total)
{
    return text(count, QStringLiteral("confirmed"), band + QStringLiteral(" MHz"), total);
}

QString mode(qint64 count, const QString &mode, qint64 total)
{
    return text(count, QStringLiteral("confirmed"), mode + QStringLiteral(" Mode"), total);
}

QString accredited(qint64 count, const QString &band, qint64 total)
{
    return text(count, QStringLiteral("accredited"), band + QStringLiteral(" MHz"), total);
}

} // namespace counttext
