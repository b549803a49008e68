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
    // Bytes that are equal fold equally; only a difference between non-ASCII bytes needs Qt.
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const char x = a[i];
        const char y = b[i];
        if (x == y)
            continue;
        if ((x | y) & 0x80)
            return QString::compare(toQString(a), toQString(b), Qt::CaseInsensitive);
        const char lx = lower(x);
        const char ly = lower(y);
        if (lx != ly)
            return static_cast<unsigned char>(lx) < static_cast<unsigned char>(ly) ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    if (!isAscii(a.substr(n)) || !isAscii(b.substr(n)))
        return QString::compare(toQString(a), toQString(b), Qt::CaseInsensitive);
    return a.size() < b.size() ? -1 : 1;
}

uint64_t foldedHead(std::string_view text)
{
    uint64_t head = 0;
    for (size_t i = 0; i < 8 && i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) & 0x80)
            return 0;
        head |= uint64_t(static_cast<unsigned char>(lower(text[i]))) << (56 - 8 * i);
    }
    return head;
}

bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() == b.size()) {
        for (size_t i = 0; i < a.size(); ++i) {
            const char x = a[i];
            const char y = b[i];
            if (x == y)
                continue;
            if ((x | y) & 0x80)
                return QString::compare(toQString(a), toQString(b), Qt::CaseInsensitive) == 0;
            if (lower(x) != lower(y))
                return false;
        }
        return true;
    }
    if (isAscii(a) && isAscii(b))
        return false;
    return QString::compare(toQString(a), toQString(b), Qt::CaseInsensitive) == 0;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() >= prefix.size() && isAscii(prefix)) {
        const bool asciiMatch = std::equal(prefix.begin(), prefix.end(), text.begin(),
                                           [](char x, char y) { return lower(x) == lower(y); });
        if (asciiMatch || isAscii(text.substr(0, prefix.size())))
            return asciiMatch;
    } else if (isAscii(text) && isAscii(prefix)) {
        return false;
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
