#include "logfiles.h"

#include "adifreader.h"
#include "adifwriter.h"

namespace logfiles {

bool isXml(const QString &path)
{
    return path.endsWith(QLatin1String(".adx"), Qt::CaseInsensitive);
}

std::unique_ptr<QsoReader> openReader(const QString &path)
{
    return std::make_unique<AdifReader>(path);
}

std::unique_ptr<QsoWriter> createWriter(const QString &path)
{
    return std::make_unique<AdifWriter>(path);
}

} // namespace logfiles
