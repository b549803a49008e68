#pragma once

#include "qsorecord.h"

#include <QByteArray>
#include <vector>

// Reads ADIF 3 text files (.adi): an optional header up to <EOH>, then records of fields
// <NAME:length[:type]>value ended by <EOR>. Lengths count bytes of the file's encoding: UTF-8,
// or ISO 8859-1 when the bytes are not valid UTF-8. A UTF-8 value whose length counts characters
// (as some loggers write it) is read by characters where the byte count would cut a character
// or run on into the text after it; such fields are counted. Names may be in any case; text
// between fields is ignored. <APP_LoTW_EOF> ends the file. Fields after the last <EOR> come as
// one record marked not terminated.
//
// The file is read whole when the reader is made, so a file that changes meanwhile cannot harm
// the reading; a value may hold up to 1 MB.
class AdifReader : public QsoReader
{
public:
    // Throws ExchangeError when the file cannot be opened.
    explicit AdifReader(const QString &path);
    // Reads from bytes in memory (kept by the reader).
    explicit AdifReader(QByteArray bytes);
    ~AdifReader() override;

    bool next(QsoRecord &record) override;
    // Names and values are seen in the file itself where they are upper case and UTF-8.
    bool nextBytes(QsoRecordBytes &record) override;
    void rewind() override;
    qint64 position() const override { return m_at; }
    qint64 size() const override { return m_size; }
    int fieldsReadByCharacters() const override { return m_readByCharacters; }
    bool isUtf8() const { return m_utf8; }

private:
    enum class State { BetweenFields, Name, Length, Type, Value };

    void start();
    [[noreturn]] void fail(const QString &what) const;
    // The bytes a value of the given length takes, from the current position.
    qint64 valueBytes(QByteArrayView name, qint64 length);
    bool endsValue(qint64 at) const;

    QByteArray m_bytes;
    const char *m_data = nullptr;
    qint64 m_size = 0;
    qint64 m_at = 0;
    bool m_utf8 = true;
    bool m_inHeader = false;
    int m_records = 0;
    int m_readByCharacters = 0;
    // The field names of the record read last.
    std::vector<QByteArray> m_namesBefore;
    // Room for what the record read last does not find in the file as it is: names in lower
    // case, and values of an ISO 8859-1 file beyond ASCII.
    std::vector<QByteArray> m_madeUpper;
    std::vector<QByteArray> m_madeUtf8;
    QsoRecordBytes m_bytesRead;
};

// True when the bytes are well-formed UTF-8 (plain ASCII included).
bool isValidUtf8(const char *data, qint64 size);
// True when every byte is plain ASCII.
bool isAscii(QByteArrayView bytes);
