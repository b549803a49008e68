#include "districtcatalogue.h"

#include "filter.h"

#include <array>

namespace maps {
namespace {

const std::array<DistrictEntry, 24> catalogue{{
    {QLatin1Char('A'), "imaA", QT_TRANSLATE_NOOP("DistrictWindow", " Baden "), "TForm18", QT_TRANSLATE_NOOP("DistrictWindow", "DOK A: Baden"), "", "B"},
    {QLatin1Char('B'), "ImaB", QT_TRANSLATE_NOOP("DistrictWindow", " Franken "), "TForm19", QT_TRANSLATE_NOOP("DistrictWindow", "DOK B: Franken"), "B", "C"},
    {QLatin1Char('C'), "ImaC", QT_TRANSLATE_NOOP("DistrictWindow", " Oberbayern "), "TForm20", QT_TRANSLATE_NOOP("DistrictWindow", "DOK C: Oberbayern"), "C", "D"},
    {QLatin1Char('D'), "ImaD", QT_TRANSLATE_NOOP("DistrictWindow", " Berlin "), "TForm15", QT_TRANSLATE_NOOP("DistrictWindow", "DOK D: Berlin"), "D", "E"},
    {QLatin1Char('E'), "ImaE", QT_TRANSLATE_NOOP("DistrictWindow", " Hamburg "), "TForm16", QT_TRANSLATE_NOOP("DistrictWindow", "DOK E: Hamburg"), "E", "F"},
    {QLatin1Char('F'), "ImaF", QT_TRANSLATE_NOOP("DistrictWindow", " Hessen "), "TForm21", QT_TRANSLATE_NOOP("DistrictWindow", "DOK F: Hessen"), "F", "G"},
    {QLatin1Char('G'), "ImaG", QT_TRANSLATE_NOOP("DistrictWindow", " Koln - Aachen"), "TForm22", QT_TRANSLATE_NOOP("DistrictWindow", "DOK G: Koln - Aachen"), "G", "H"},
    {QLatin1Char('H'), "ImaH", QT_TRANSLATE_NOOP("DistrictWindow", " Nieder - Sachsen "), "TForm23", QT_TRANSLATE_NOOP("DistrictWindow", "DOK H: Niedersachsen"), "H", "I"},
    {QLatin1Char('I'), "ImaI", QT_TRANSLATE_NOOP("DistrictWindow", " Nordsee "), "TForm24", QT_TRANSLATE_NOOP("DistrictWindow", "DOK I: Nordsee"), "I", "K"},
    {QLatin1Char('K'), "ImaK", QT_TRANSLATE_NOOP("DistrictWindow", " Rheinland - Pfalz "), "TForm25", QT_TRANSLATE_NOOP("DistrictWindow", "DOK K: Rheinland - Pfalz"), "K", "L"},
    {QLatin1Char('L'), "ImaL", QT_TRANSLATE_NOOP("DistrictWindow", " Ruhrgebiet "), "TForm26", QT_TRANSLATE_NOOP("DistrictWindow", "DOK L: Ruhrgebiet"), "L", "M"},
    {QLatin1Char('M'), "ImaM", QT_TRANSLATE_NOOP("DistrictWindow", " Schleswig - Holstein "), "TForm14", QT_TRANSLATE_NOOP("DistrictWindow", "DOK M: Schleswig - Holstein"), "M", "N"},
    {QLatin1Char('N'), "ImaN", QT_TRANSLATE_NOOP("DistrictWindow", " Westfalen Nord "), "TForm27", QT_TRANSLATE_NOOP("DistrictWindow", "DOK N: Westfalen Nord"), "N", "O"},
    {QLatin1Char('O'), "ImaO", QT_TRANSLATE_NOOP("DistrictWindow", " Westfalen Sud "), "TForm28", QT_TRANSLATE_NOOP("DistrictWindow", "DOK O: Westfalen Sud"), "O", "P"},
    {QLatin1Char('P'), "ImaP", QT_TRANSLATE_NOOP("DistrictWindow", " Wurttemberg "), "TForm29", QT_TRANSLATE_NOOP("DistrictWindow", "DOK P: Wurttemberg"), "P", "Q"},
    {QLatin1Char('Q'), "ImaQ", QT_TRANSLATE_NOOP("DistrictWindow", "Saarland "), "TForm30", QT_TRANSLATE_NOOP("DistrictWindow", "DOK Q: Saarland"), "Q", "R"},
    {QLatin1Char('R'), "ImaR", QT_TRANSLATE_NOOP("DistrictWindow", " Nordrhein "), "TForm31", QT_TRANSLATE_NOOP("DistrictWindow", "DOK R: Nordrhein"), "R", "S"},
    {QLatin1Char('S'), "ImaS", QT_TRANSLATE_NOOP("DistrictWindow", " Sachsen "), "TForm32", QT_TRANSLATE_NOOP("DistrictWindow", "DOK S: Sachsen"), "S", "T"},
    {QLatin1Char('T'), "ImaT", QT_TRANSLATE_NOOP("DistrictWindow", " Schwaben "), "TForm33", QT_TRANSLATE_NOOP("DistrictWindow", "DOK T: Schwaben"), "T", "U"},
    {QLatin1Char('U'), "ImaU", QT_TRANSLATE_NOOP("DistrictWindow", " Bayern Ost "), "TForm34", QT_TRANSLATE_NOOP("DistrictWindow", "DOK U: Bayern Ost"), "U", "V"},
    {QLatin1Char('V'), "ImaV", QT_TRANSLATE_NOOP("DistrictWindow", " Mecklemburg - Vorpommern "), "TForm17", QT_TRANSLATE_NOOP("DistrictWindow", "DOK V: Mecklenburg - Vorpommern"), "V", "W"},
    {QLatin1Char('W'), "Imaw", QT_TRANSLATE_NOOP("DistrictWindow", " Sachsen - Anhalt "), "TForm37", QT_TRANSLATE_NOOP("DistrictWindow", "DOK W: Sachsen - Anhalt"), "W", "X"},
    {QLatin1Char('X'), "ImaX", QT_TRANSLATE_NOOP("DistrictWindow", " Thuringen "), "TForm35", QT_TRANSLATE_NOOP("DistrictWindow", "DOK X: Thuringen"), "X", "Y"},
    {QLatin1Char('Y'), "ImaY", QT_TRANSLATE_NOOP("DistrictWindow", " Brandenburg "), "TForm36", QT_TRANSLATE_NOOP("DistrictWindow", "DOK Y: Brandenburg"), "Y", "Z"},
}};

} // namespace

std::span<const DistrictEntry> districtCatalogue()
{
    return catalogue;
}

const DistrictEntry *districtByLetter(QChar letter)
{
    for (const DistrictEntry &entry : catalogue) {
        if (entry.letter == letter.toUpper())
            return &entry;
    }
    return nullptr;
}

const DistrictEntry *districtByWindowClass(const QString &windowClass)
{
    for (const DistrictEntry &entry : catalogue) {
        if (windowClass == QLatin1String(entry.windowClass))
            return &entry;
    }
    return nullptr;
}

QString districtDokFilter(const DistrictEntry &district)
{
    const QString lower = QString::fromLatin1(district.lowerBound);
    const QString upper = QStringLiteral("dok<") + Filter::quoted(QString::fromLatin1(district.upperBound))
                          + QStringLiteral(" and spec=null");
    if (lower.isEmpty())
        return upper;
    return QStringLiteral("dok>") + Filter::quoted(lower) + QStringLiteral(" and ") + upper;
}

} // namespace maps
