#pragma once

#include <QString>

// The text in upper case, character for character: a character whose upper case takes more than
// one character ("ß" gives "SS") is kept as typed, so the text keeps its length, the cursor stays
// after what was typed and a field's length limit holds.
QString upperCasedInPlace(const QString &text);
