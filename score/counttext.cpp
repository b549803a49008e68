#include "counttext.h"

#include <QCoreApplication>
#include <QLocale>

namespace counttext {

QString percentage(qint64 count, qint64 total)
{
    const double share = total > 0 ? double(count) / double(total) * 100.0 : 0.0;
    return QLocale().toString(share, 'f', 1);
}

QString band(qint64 count, const QString &band, qint64 total)
{
    return QCoreApplication::translate("CountText", "  %1 DOK confirmed on %2 MHz (%3 %)")
        .arg(count)
        .arg(band, percentage(count, total));
}

QString mode(qint64 count, const QString &mode, qint64 total)
{
    return QCoreApplication::translate("CountText", "  %1 DOK confirmed on %2 Mode (%3 %)")
        .arg(count)
        .arg(mode, percentage(count, total));
}

QString accredited(qint64 count, const QString &band, qint64 total)
{
    return QCoreApplication::translate("CountText", "  %1 DOK accredited on %2 MHz (%3 %)")
        .arg(count)
        .arg(band, percentage(count, total));
}

} // namespace counttext
