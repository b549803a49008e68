#include "detailsquery.h"

#include "filter.h"
#include "vocabulary.h"

#include <QCoreApplication>

std::optional<DetailsQuery> detailsQuery(const QString &dok, const QString &column, const QString &cellText)
{
    if (cellText == vocab::status::none)
        return std::nullopt;
    const QString ofDok = QStringLiteral("dok=") + Filter::quoted(dok);
    if (column.compare(vocab::summaryCell, Qt::CaseInsensitive) == 0
        || column.compare(QLatin1String("DOK"), Qt::CaseInsensitive) == 0)
        return DetailsQuery{ofDok, QCoreApplication::translate("DetailsWindow", "Details for DOK %1 on all Bands/Modes").arg(dok)};
    const QString mode = column.toUpper();
    if (vocab::isMode(mode))
        return DetailsQuery{ofDok + QStringLiteral(" and modo=") + Filter::quoted(mode), QCoreApplication::translate("DetailsWindow", "Details for DOK %1 on %2 Mode").arg(dok, mode)};
    const QString band = vocab::bandOfSuffix(column.mid(1));
    return DetailsQuery{ofDok + QStringLiteral(" and banda=") + Filter::quoted(band), QCoreApplication::translate("DetailsWindow", "Details for DOK %1 on %2 Mhz").arg(dok, band)};
}
