#pragma once

#include "qsorecord.h"

#include <QSaveFile>

// Writes an ADIF 3 text file (.adi) in UTF-8: a header naming this program and its version,
// then one line per record. The file appears only when finish() succeeds.
class AdifWriter : public QsoWriter
{
public:
    // Throws ExchangeError when the file cannot be created.
    explicit AdifWriter(const QString &path);

    void writeFields(std::span<const FieldBytes> fields) override;
    void finish() override;

private:
    void flush();

    QSaveFile m_file;
    QByteArray m_buffer;
};
