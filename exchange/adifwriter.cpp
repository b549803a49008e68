#include "adifwriter.h"

#include "adifmapping.h"
#include "exchangeerror.h"
#include "filesafety.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>

namespace {

constexpr qsizetype flushAt = 1 << 20;

} // namespace

AdifWriter::AdifWriter(const QString &path) : m_file(path)
{
    if (const QString problem = filesafety::overwriteProblem(path); !problem.isEmpty())
        throw ExchangeError(problem);
    if (!m_file.open(QIODevice::WriteOnly))
        throw ExchangeError(QCoreApplication::translate("ExchangeFile", "Cannot create %1: %2").arg(QDir::toNativeSeparators(path), filesafety::writeError(m_file)));
    m_buffer = "ADIF export of WZP Logbook\n";
    const std::pair<QByteArray, QString> header[] = {
        {"ADIF_VER", QStringLiteral("3.1.4")},
        {"PROGRAMID", QStringLiteral("WZP Logbook")},
        {"PROGRAMVERSION", QStringLiteral(WZP_VERSION)},
        {"CREATED_TIMESTAMP", QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd HHmmss"))},
    };
    for (const auto &[name, value] : header)
        m_buffer += adif::fieldText(name, value) + '\n';
    m_buffer += "<EOH>\n";
    m_buffer.reserve(flushAt + (64 << 10));
}

void AdifWriter::writeFields(std::span<const FieldBytes> fields)
{
    constexpr QByteArrayView endOfRecord = "<EOR>\n";
    qsizetype size = endOfRecord.size();
    for (const FieldBytes &field : fields)
        size += adif::fieldSize(field.name, field.value.size()) + 1;
    const qsizetype at = m_buffer.size();
    m_buffer.resize(at + size);
    char *out = m_buffer.data() + at;
    for (const FieldBytes &field : fields) {
        out = adif::putField(out, field.name, field.value);
        *out++ = ' ';
    }
    std::copy(endOfRecord.begin(), endOfRecord.end(), out);
    if (m_buffer.size() >= flushAt)
        flush();
}

void AdifWriter::flush()
{
    if (m_file.write(m_buffer) != m_buffer.size())
        throw ExchangeError(QCoreApplication::translate("ExchangeFile", "Cannot write %1: %2").arg(QDir::toNativeSeparators(m_file.fileName()), filesafety::writeError(m_file)));
    m_buffer.clear();
}

void AdifWriter::finish()
{
    flush();
    if (!m_file.commit())
        throw ExchangeError(QCoreApplication::translate("ExchangeFile", "Cannot write %1: %2").arg(QDir::toNativeSeparators(m_file.fileName()), filesafety::writeError(m_file)));
}
