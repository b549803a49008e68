#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

// The program speaks German on a German desktop and English everywhere else; Qt's own texts
// (Yes, Cancel, the file dialogs) follow the same choice.
namespace uilanguage {

// The folder of the program's translations inside the folder of delivered files.
QString translationsFolder(const QString &shareFolder);

// Installs the German texts into the application when the locale is German; returns whether it did.
bool install(QCoreApplication &application, const QLocale &locale, const QString &shareFolder);

} // namespace uilanguage
