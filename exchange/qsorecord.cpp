#include "qsorecord.h"

void QsoWriter::write(const QsoRecord &record)
{
    std::vector<QByteArray> values;
    values.reserve(record.fields.size());
    std::vector<FieldBytes> fields;
    fields.reserve(record.fields.size());
    for (const QsoField &field : record.fields) {
        values.push_back(field.value.toUtf8());
        fields.push_back({field.name, values.back()});
    }
    writeFields(fields);
}
