#include "uilanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace uilanguage {

QString translationsFolder(const QString &shareFolder)
{
    return QDir(shareFolder).filePath(QStringLiteral("translations"));
}

bool install(QCoreApplication &application, const QLocale &locale, const QString &shareFolder)
{
    if (locale.language() != QLocale::German)
        return false;
    auto *program = new QTranslator(&application);
    if (shareFolder.isEmpty() || !program->load(QLocale(QLocale::German), QStringLiteral("wzplog"), QStringLiteral("_"),
                                                translationsFolder(shareFolder))) {
        delete program;
        return false;
    }
    QCoreApplication::installTranslator(program);
    // Qt's own dialogs stay English when Debian's Qt translations are not installed.
    auto *qt = new QTranslator(&application);
    if (qt->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return true;
}

} // namespace uilanguage
