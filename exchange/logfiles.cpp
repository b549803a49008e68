#include "logfiles.h"

#include "adifreader.h"
#include "adifwriter.h"
#include "adxreader.h"
#include "adxwriter.h"

namespace logfiles {

bool isXml(const QString &path)
{
    return path.endsWith(QLatin1String(".adx"), Qt::CaseInsensitive);
}

std::unique_ptr<QsoReader> openReader(const QString &path)
{
    if (isXml(path))
        return std::make_unique<AdxReader>(path);
    return std::make_unique<AdifReader>(path);
}

std::unique_ptr<QsoWriter> createWriter(const QString &path)
{
    if (isXml(path))
        return std::make_unique<AdxWriter>(path);
    return std::make_unique<AdifWriter>(path);
}

} // namespace logfiles
