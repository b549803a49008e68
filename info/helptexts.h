#pragma once

#include <QString>

// The pages of the help window, as rich text.
namespace helptext {

QString dokPage();
QString qsoPage();
QString utilityPage();

} // namespace helptext
