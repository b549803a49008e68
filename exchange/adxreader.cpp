#include "adxreader.h"

#include "exchangeerror.h"
#include "wholefile.h"

#include <QCoreApplication>
#include <QSet>
#include <QXmlStreamReader>

namespace {

// As in ADIF text files: no value of a QSO comes near this.
constexpr qint64 longestValue = 1 << 20;

bool isElement(const QXmlStreamReader &xml, const char *name)
{
    return xml.name().compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

} // namespace

AdxReader::AdxReader(const QString &path)
{
    m_bytes = readWholeFile(path);
    rewind();
}

AdxReader::AdxReader(QByteArray bytes) : m_bytes(std::move(bytes))
{
    rewind();
}

AdxReader::~AdxReader() = default;

void AdxReader::rewind()
{
    m_xml = std::make_unique<QXmlStreamReader>(m_bytes);
    m_records = 0;
    m_inDocument = false;
}

qint64 AdxReader::position() const
{
    // Characters, not bytes: near enough for progress, and never past the size.
    return qMin(m_xml->characterOffset(), size());
}

void AdxReader::fail(const QString &what) const
{
    throw ExchangeError(QCoreApplication::translate("ExchangeFile", "The file is not valid ADX: %1 (at line %2).").arg(what).arg(m_xml->lineNumber()));
}

QByteArray AdxReader::fieldName() const
{
    const QXmlStreamAttributes attributes = m_xml->attributes();
    const auto attribute = [&](const char *name) {
        for (const QXmlStreamAttribute &candidate : attributes) {
            if (candidate.name().compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                return candidate.value().toString().trimmed();
        }
        return QString();
    };
    QString name;
    if (isElement(*m_xml, "APP")) {
        const QString program = attribute("PROGRAMID");
        const QString field = attribute("FIELDNAME");
        if (program.isEmpty() || field.isEmpty())
            fail(QCoreApplication::translate("ExchangeFile", "an <APP> field without PROGRAMID or FIELDNAME"));
        name = QStringLiteral("APP_") + program + QLatin1Char('_') + field;
    } else if (isElement(*m_xml, "USERDEF")) {
        name = attribute("FIELDNAME");
        if (name.isEmpty())
            fail(QCoreApplication::translate("ExchangeFile", "a <USERDEF> field without FIELDNAME"));
    } else {
        name = m_xml->name().toString();
    }
    return name.toUpper().toUtf8();
}

bool AdxReader::next(QsoRecord &record)
{
    record.fields.clear();
    record.terminated = true;
    QXmlStreamReader &xml = *m_xml;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (!m_inDocument) {
                if (!isElement(xml, "ADX"))
                    fail(QCoreApplication::translate("ExchangeFile", "the root element is <%1>, not <ADX>").arg(xml.name().toString()));
                m_inDocument = true;
                continue;
            }
            if (isElement(xml, "HEADER")) {
                xml.skipCurrentElement();
                continue;
            }
            if (!isElement(xml, "RECORD"))
                continue; // <ADX>, <RECORDS>
            record.number = ++m_records;
            QSet<QByteArray> seen;
            while (xml.readNextStartElement()) {
                const QByteArray name = fieldName();
                const QString value = xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
                if (xml.hasError())
                    break;
                if (value.size() > longestValue)
                    fail(QCoreApplication::translate("ExchangeFile", "the field <%1> is longer than the 1 MB a value may hold").arg(QString::fromUtf8(name)));
                if (seen.contains(name))
                    fail(QCoreApplication::translate("ExchangeFile", "record %1 has the field <%2> twice").arg(record.number).arg(QString::fromUtf8(name)));
                seen.insert(name);
                record.fields.push_back({name, value});
            }
            if (xml.hasError())
                break;
            return true;
        }
    }
    if (xml.hasError())
        fail(xml.errorString());
    return false;
}
