#include "detailsquery.h"

#include "filter.h"
#include "vocabulary.h"

std::optional<DetailsQuery> detailsQuery(const QString &dok, const QString &column, const QString &cellText)
{
    if (cellText == vocab::status::none)
        return std::nullopt;
    const QString ofDok = QStringLiteral("dok=") + Filter::quoted(dok);
    const QString title = QStringLiteral("Details for DOK ") + dok + QStringLiteral(" on ");
    if (column.compare(vocab::summaryCell, Qt::CaseInsensitive) == 0
        || column.compare(QLatin1String("DOK"), Qt::CaseInsensitive) == 0)
        return DetailsQuery{ofDok, title + QStringLiteral("all Bands/Modes")};
    const QString mode = column.toUpper();
    if (vocab::isMode(mode))
        return DetailsQuery{ofDok + QStringLiteral(" and modo=") + Filter::quoted(mode), title + mode + QStringLiteral(" Mode")};
    const QString band = vocab::bandOfSuffix(column.mid(1));
    return DetailsQuery{ofDok + QStringLiteral(" and banda=") + Filter::quoted(band), title + band + QStringLiteral(" Mhz")};
}
