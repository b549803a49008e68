#pragma once

#include <QLocale>
#include <QString>

// The award's rules in the five languages of the rules window, as rich text.
namespace rulestext {

enum class Language { Italian, English, German, French, Spanish };

QString rules(Language language);

// The language the rules open in for a user of that locale: their own when the rules are written
// in it, else English.
Language languageFor(const QLocale &locale);

} // namespace rulestext
