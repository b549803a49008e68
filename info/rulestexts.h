#pragma once

#include <QString>

// The award's rules in the five languages of the rules window, as rich text.
namespace rulestext {

enum class Language { Italian, English, German, French, Spanish };

QString rules(Language language);

} // namespace rulestext
