#pragma once

class QLineEdit;
class QComboBox;
class QString;

// Makes a field turn what is typed into upper case.
void makeUpperCase(QLineEdit *edit);
void makeUpperCase(QComboBox *box);

// The text in upper case, character for character: a character whose upper case takes more than
// one character ("ß" gives "SS") is kept as typed, so the text keeps its length, the cursor stays
// after what was typed and a field's length limit holds.
QString upperCasedInPlace(const QString &text);
