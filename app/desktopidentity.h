#pragma once

#include <QString>

// How the desktop knows the program: the name of its desktop entry (packaging/<id>.desktop,
// installed under share/applications) and the icon of its windows.
namespace desktopidentity {

inline const QString applicationId = QStringLiteral("org.wzplog.logbook");

// Sets both for the running application; call once the application object exists.
void apply();

} // namespace desktopidentity
