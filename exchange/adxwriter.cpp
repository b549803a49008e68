#include "adxwriter.h"

#include "exchangeerror.h"
#include "filesafety.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QRegularExpression>
#include <QXmlStreamWriter>

namespace {

bool isElementName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z_][A-Za-z0-9_.-]*$"));
    return pattern.match(name).hasMatch() && !name.startsWith(QLatin1String("XML"), Qt::CaseInsensitive);
}

} // namespace

AdxWriter::AdxWriter(const QString &path) : m_file(path)
{
    if (const QString problem = filesafety::overwriteProblem(path); !problem.isEmpty())
        throw ExchangeError(problem);
    if (!m_file.open(QIODevice::WriteOnly))
        throw ExchangeError(QCoreApplication::translate("ExchangeFile", "Cannot create %1: %2").arg(QDir::toNativeSeparators(path), filesafety::writeError(m_file)));
    m_xml = std::make_unique<QXmlStreamWriter>(&m_file);
    m_xml->setAutoFormatting(true);
    m_xml->setAutoFormattingIndent(1);
    m_xml->writeStartDocument();
    m_xml->writeStartElement(QStringLiteral("ADX"));
    m_xml->writeStartElement(QStringLiteral("HEADER"));
    m_xml->writeTextElement(QStringLiteral("ADIF_VER"), QStringLiteral("3.1.4"));
    m_xml->writeTextElement(QStringLiteral("PROGRAMID"), QStringLiteral("WZP Logbook"));
    m_xml->writeTextElement(QStringLiteral("PROGRAMVERSION"), QStringLiteral(WZP_VERSION));
    m_xml->writeTextElement(QStringLiteral("CREATED_TIMESTAMP"),
                            QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd HHmmss")));
    m_xml->writeEndElement();
    m_xml->writeStartElement(QStringLiteral("RECORDS"));
}

AdxWriter::~AdxWriter() = default;

void AdxWriter::writeFields(std::span<const FieldBytes> fields)
{
    QXmlStreamWriter &xml = *m_xml;
    xml.writeStartElement(QStringLiteral("RECORD"));
    for (const FieldBytes &field : fields) {
        const QString name = QString::fromUtf8(field.name);
        const int programEnd = name.indexOf(QLatin1Char('_'), 4);
        if (name.startsWith(QLatin1String("APP_")) && programEnd > 4 && programEnd + 1 < name.size()) {
            xml.writeStartElement(QStringLiteral("APP"));
            xml.writeAttribute(QStringLiteral("PROGRAMID"), name.mid(4, programEnd - 4));
            xml.writeAttribute(QStringLiteral("FIELDNAME"), name.mid(programEnd + 1));
            xml.writeAttribute(QStringLiteral("TYPE"), QStringLiteral("S"));
        } else if (isElementName(name)) {
            xml.writeStartElement(name);
        } else {
            xml.writeStartElement(QStringLiteral("USERDEF"));
            xml.writeAttribute(QStringLiteral("FIELDNAME"), name);
        }
        // A reader of XML turns a bare carriage return into a line feed; as a reference it stays.
        const QStringList lines = QString::fromUtf8(field.value).split(QLatin1Char('\r'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                xml.writeEntityReference(QStringLiteral("#xD"));
            xml.writeCharacters(lines[i]);
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

void AdxWriter::finish()
{
    m_xml->writeEndDocument();
    if (m_xml->hasError() || !m_file.commit())
        throw ExchangeError(QCoreApplication::translate("ExchangeFile", "Cannot write %1: %2").arg(QDir::toNativeSeparators(m_file.fileName()), filesafety::writeError(m_file)));
}
