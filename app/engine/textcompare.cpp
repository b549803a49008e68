#include "textcompare.h"

#include <QString>
#include <algorithm>

namespace textcompare {
namespace {

bool isAscii(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

QString toQString(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

} // namespace

int compareNoCase(std::string_view a, std::string_view b)
{
    if (!isAscii(a) || !isAscii(b))
        return QString::compare(toQString(a), toQString(b), Qt::CaseInsensitive);
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const char x = lower(a[i]);
        const char y = lower(b[i]);
        if (x != y)
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (isAscii(a) && isAscii(b)) {
        return a.size() == b.size()
            && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
    }
    return QString::compare(toQString(a), toQString(b), Qt::CaseInsensitive) == 0;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (isAscii(text) && isAscii(prefix)) {
        return text.size() >= prefix.size()
            && std::equal(prefix.begin(), prefix.end(), text.begin(),
                          [](char x, char y) { return lower(x) == lower(y); });
    }
    return toQString(text).startsWith(toQString(prefix), Qt::CaseInsensitive);
}

std::string lowerAscii(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), lower);
    return out;
}

} // namespace textcompare
