#include "desktopidentity.h"

#include <QGuiApplication>
#include <QIcon>

namespace desktopidentity {

void apply()
{
    QGuiApplication::setDesktopFileName(applicationId);
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/wzplog.svg")));
}

} // namespace desktopidentity
