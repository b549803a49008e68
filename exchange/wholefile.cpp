#include "wholefile.h"

#include "exchangeerror.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

QByteArray readWholeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ExchangeError(QCoreApplication::translate("ExchangeFile", "Cannot open %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw ExchangeError(QCoreApplication::translate("ExchangeFile", "Cannot read %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    return bytes;
}
