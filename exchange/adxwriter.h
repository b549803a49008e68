#pragma once

#include "qsorecord.h"

#include <QSaveFile>
#include <memory>

class QXmlStreamWriter;

// Writes an ADX file (ADIF's XML form, UTF-8): a header naming this program and its version,
// then the records. A field APP_X_Y becomes <APP PROGRAMID="X" FIELDNAME="Y" TYPE="S">, and a
// name that cannot be an XML element a <USERDEF FIELDNAME="…">, so that AdxReader gives the same
// fields back. The file appears only when finish() succeeds.
class AdxWriter : public QsoWriter
{
public:
    // Throws ExchangeError when the file cannot be created.
    explicit AdxWriter(const QString &path);
    ~AdxWriter() override;

    void writeFields(std::span<const FieldBytes> fields) override;
    void finish() override;

private:
    QSaveFile m_file;
    std::unique_ptr<QXmlStreamWriter> m_xml;
};
