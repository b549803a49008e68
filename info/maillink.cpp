#include "maillink.h"

#include "infoconstants.h"

QUrl mailLink(const QString &userCall)
{
    const QByteArray target = "mailto:" + QUrl::toPercentEncoding(infotext::authorMail, "@") + "?subject="
        + QUrl::toPercentEncoding(QStringLiteral("Da ") + userCall) + "&body=" + QUrl::toPercentEncoding(infotext::greeting);
    return QUrl::fromEncoded(target, QUrl::StrictMode);
}
