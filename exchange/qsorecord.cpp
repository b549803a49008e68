#include "qsorecord.h"

#include "adifreader.h"

namespace {

void decodeInto(QString &value, QByteArrayView utf8)
{
    if (utf8.isEmpty() || !isAscii(utf8)) {
        value = QString::fromUtf8(utf8);
        return;
    }
    // Plain ASCII needs no decoding, and goes into the room the value had.
    value.resize(utf8.size());
    QChar *out = value.data();
    for (qsizetype i = 0; i < utf8.size(); ++i)
        out[i] = QLatin1Char(utf8[i]);
}

} // namespace

void decodeRecord(const QsoRecordBytes &bytes, QsoRecord &record)
{
    record.number = bytes.number;
    record.terminated = bytes.terminated;
    record.fields.resize(bytes.fields.size());
    for (size_t i = 0; i < bytes.fields.size(); ++i) {
        QsoField &field = record.fields[i];
        if (field.name != bytes.fields[i].name)
            field.name = bytes.fields[i].name.toByteArray();
        decodeInto(field.value, bytes.fields[i].value);
    }
}

bool QsoReader::nextBytes(QsoRecordBytes &record)
{
    if (!next(m_text))
        return false;
    record.number = m_text.number;
    record.terminated = m_text.terminated;
    record.fields.resize(m_text.fields.size());
    m_encoded.resize(m_text.fields.size());
    for (size_t i = 0; i < m_text.fields.size(); ++i) {
        m_encoded[i] = m_text.fields[i].value.toUtf8();
        record.fields[i] = {m_text.fields[i].name, m_encoded[i]};
    }
    return true;
}
