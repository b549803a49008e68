#include "referencedata.h"

#include "engineerror.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

namespace reference {

QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw EngineError(QStringLiteral("Cannot read %1").arg(path));
    QStringList lines;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            lines << line;
    }
    return lines;
}

QMap<QChar, QString> readDistricts(const QString &path)
{
    QMap<QChar, QString> districts;
    for (const QString &line : readLines(path)) {
        const int separator = line.indexOf(QLatin1Char(';'));
        if (separator == 1)
            districts.insert(line.at(0), line.mid(2));
    }
    return districts;
}

bool isOrdinaryDok(const QString &code)
{
    static const QRegularExpression ordinary(QStringLiteral("^[A-Z][0-9][0-9]$"));
    return ordinary.match(code).hasMatch();
}

} // namespace reference
