#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Case-insensitive comparison of UTF-8 texts as the views need it for filters, sorting and
// Locate. Plain ASCII (codes, callsigns, bands) takes a fast path; anything else is folded by Qt.
namespace textcompare {

int compareNoCase(std::string_view a, std::string_view b);
bool equalsNoCase(std::string_view a, std::string_view b);
bool startsWithNoCase(std::string_view text, std::string_view prefix);
std::string lowerAscii(std::string_view text);
// The first eight bytes of a text in lower case as one number: where two texts both have one
// and the numbers differ, they order as compareNoCase orders the texts. 0 when those bytes are
// not all plain ASCII, or the text is empty: such texts only compareNoCase can place.
uint64_t foldedHead(std::string_view text);

} // namespace textcompare
