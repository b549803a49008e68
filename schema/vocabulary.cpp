#include "vocabulary.h"

namespace vocab {

const QStringList &bands()
{
    static const QStringList list{"1.8", "3.5", "7", "10", "14", "18", "21", "24", "28", "50", "144", "433"};
    return list;
}

QString bandSuffix(const QString &band)
{
    if (band == QLatin1String("1.8"))
        return QStringLiteral("1");
    if (band == QLatin1String("3.5"))
        return QStringLiteral("3");
    return band;
}

QString bandOfSuffix(const QString &suffix)
{
    if (suffix == QLatin1String("1"))
        return QStringLiteral("1.8");
    if (suffix == QLatin1String("3"))
        return QStringLiteral("3.5");
    return suffix;
}

const QStringList &matrixSuffixes()
{
    static const QStringList list{"50", "28", "24", "21", "18", "14", "10", "7", "3", "1", "144", "433"};
    return list;
}

bool isBand(const QString &band)
{
    return bands().contains(band);
}

const QStringList &modes()
{
    static const QStringList list{"SSB", "CW", "RTTY", "PSK", "FM"};
    return list;
}

bool isMode(const QString &mode)
{
    return modes().contains(mode);
}

QString modeOfTitle(const QString &title)
{
    return title == rttyTitle ? QStringLiteral("RTTY") : title;
}

QString awardTable(const QString &award)
{
    const QString text = award.trimmed().toUpper();
    if (isBand(text))
        return bandTable(bandSuffix(text));
    const QString mode = modeOfTitle(text);
    if (isMode(mode))
        return modeTable(mode);
    return {};
}

QString bandCell(const QString &suffix)
{
    return QLatin1Char('T') + suffix;
}

QString pairCell(const QString &mode, const QString &suffix)
{
    return mode + suffix;
}

const QStringList &statusCells()
{
    static const QStringList list = [] {
        QStringList cells;
        for (const QString &suffix : matrixSuffixes())
            cells << bandCell(suffix);
        for (const QString &mode : modes()) {
            for (const QString &suffix : matrixSuffixes())
                cells << pairCell(mode, suffix);
        }
        for (const QString &mode : modes())
            cells << modeCell(mode);
        return cells;
    }();
    return list;
}

QString confirmedCounter(const QString &cell)
{
    return status::confirmed + cell;
}

QString accreditedCounter(const QString &cell)
{
    return status::accredited + cell;
}

QString bandTable(const QString &suffix)
{
    return table::log + suffix;
}

QString modeTable(const QString &mode)
{
    return table::log + mode;
}

} // namespace vocab
