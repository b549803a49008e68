#include "districtcatalogue.h"

#include "filter.h"

#include <array>

namespace maps {
namespace {

const std::array<DistrictEntry, 24> catalogue{{
    {QLatin1Char('A'), "imaA", " Baden ", "TForm18", "DOK A: Baden", "", "B"},
    {QLatin1Char('B'), "ImaB", " Franken ", "TForm19", "DOK B: Franken", "B", "C"},
    {QLatin1Char('C'), "ImaC", " Oberbayern ", "TForm20", "DOK C: Oberbayern", "C", "D"},
    {QLatin1Char('D'), "ImaD", " Berlin ", "TForm15", "DOK D: Berlin", "D", "E"},
    {QLatin1Char('E'), "ImaE", " Hamburg ", "TForm16", "DOK E: Hamburg", "E", "F"},
    {QLatin1Char('F'), "ImaF", " Hessen ", "TForm21", "DOK F: Hessen", "F", "G"},
    {QLatin1Char('G'), "ImaG", " Koln - Aachen", "TForm22", "DOK G: Koln - Aachen", "G", "H"},
    {QLatin1Char('H'), "ImaH", " Nieder - Sachsen ", "TForm23", "DOK H: Niedersachsen", "H", "I"},
    {QLatin1Char('I'), "ImaI", " Nordsee ", "TForm24", "DOK I: Nordsee", "I", "K"},
    {QLatin1Char('K'), "ImaK", " Rheinland - Pfalz ", "TForm25", "DOK K: Rheinland - Pfalz", "K", "L"},
    {QLatin1Char('L'), "ImaL", " Ruhrgebiet ", "TForm26", "DOK L: Ruhrgebiet", "L", "M"},
    {QLatin1Char('M'), "ImaM", " Schleswig - Holstein ", "TForm14", "DOK M: Schleswig - Holstein", "M", "N"},
    {QLatin1Char('N'), "ImaN", " Westfalen Nord ", "TForm27", "DOK N: Westfalen Nord", "N", "O"},
    {QLatin1Char('O'), "ImaO", " Westfalen Sud ", "TForm28", "DOK O: Westfalen Sud", "O", "P"},
    {QLatin1Char('P'), "ImaP", " Wurttemberg ", "TForm29", "DOK P: Wurttemberg", "P", "Q"},
    {QLatin1Char('Q'), "ImaQ", "Saarland ", "TForm30", "DOK Q: Saarland", "Q", "R"},
    {QLatin1Char('R'), "ImaR", " Nordrhein ", "TForm31", "DOK R: Nordrhein", "R", "S"},
    {QLatin1Char('S'), "ImaS", " Sachsen ", "TForm32", "DOK S: Sachsen", "S", "T"},
    {QLatin1Char('T'), "ImaT", " Schwaben ", "TForm33", "DOK T: Schwaben", "T", "U"},
    {QLatin1Char('U'), "ImaU", " Bayern Ost ", "TForm34", "DOK U: Bayern Ost", "U", "V"},
    {QLatin1Char('V'), "ImaV", " Mecklemburg - Vorpommern ", "TForm17", "DOK V: Mecklenburg - Vorpommern", "V", "W"},
    {QLatin1Char('W'), "Imaw", " Sachsen - Anhalt ", "TForm37", "DOK W: Sachsen - Anhalt", "W", "X"},
    {QLatin1Char('X'), "ImaX", " Thuringen ", "TForm35", "DOK X: Thuringen", "X", "Y"},
    {QLatin1Char('Y'), "ImaY", " Brandenburg ", "TForm36", "DOK Y: Brandenburg", "Y", "Z"},
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
