#pragma once

#include "qsorecord.h"

#include <QByteArray>
#include <QHash>
#include <vector>

// The field names a file has used, each found once: kept in upper case, so that records see them
// without copying, and stamped with the last record that had them, so that a name twice in a
// record is seen at once. The name that followed a name last time is tried first, as records
// mostly have their fields in the same order.
class FieldNames
{
public:
    // A new record: no name is in it yet. Views of the names of records before may end here.
    void startRecord();
    // The name's number, in any case.
    int find(QByteArrayView name);
    QByteArrayView upper(int name) const { return m_names[size_t(name)].upper; }
    // Puts the name into the record; false when it is there already.
    bool enter(int name);

private:
    struct Name
    {
        QByteArray upper;
        quint64 lastRecord = 0;
        int next = -1; // the name that followed it last time
    };

    std::vector<Name> m_names;
    QHash<QByteArray, int> m_byName; // by every spelling read
    quint64 m_record = 0;
    int m_first = -1; // the first name of the record before
    int m_last = -1; // the name found last in this record
};

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
    // Values are seen in the file itself, unless an ISO 8859-1 file has them beyond ASCII;
    // names in the reader's table of names.
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
    FieldNames m_names;
    // The values of the record read last that an ISO 8859-1 file has beyond ASCII, in UTF-8.
    std::vector<QByteArray> m_madeUtf8;
    QsoRecordBytes m_bytesRead;
};

// True when the bytes are well-formed UTF-8 (plain ASCII included).
bool isValidUtf8(const char *data, qint64 size);
// True when every byte is plain ASCII.
bool isAscii(QByteArrayView bytes);
