#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstring>
#include <span>
#include <vector>

// One field of a QSO record as a log file carries it: the name in upper case, the value as text.
struct QsoField
{
    QByteArray name;
    QString value;
};

// Whether two runs of bytes are the same, without working out their order as QByteArrayView's
// operators do: short names compare in a few instructions.
inline bool sameBytes(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() && (b.isEmpty() || std::memcmp(a.data(), b.data(), size_t(b.size())) == 0);
}

// A field on its way into a file: name and value in UTF-8, seen in the caller's buffers.
struct FieldBytes
{
    QByteArrayView name;
    QByteArrayView value;
};

// One QSO of a log file: its fields in file order, and where it starts, for reports.
struct QsoRecord
{
    std::vector<QsoField> fields;
    int number = 0; // counted from 1 in file order
    bool terminated = true; // false for fields after the last end of record

    const QString *find(QByteArrayView name) const
    {
        for (const QsoField &field : fields) {
            if (field.name == name)
                return &field.value;
        }
        return nullptr;
    }
    QString value(QByteArrayView name) const
    {
        const QString *found = find(name);
        return found ? *found : QString();
    }
};

// The same record as bytes: names in upper case, values in UTF-8, seen in the reader's buffers
// until the next record is read. Reading it so makes no text of any value.
struct QsoRecordBytes
{
    std::vector<FieldBytes> fields;
    int number = 0;
    bool terminated = true;

    const FieldBytes *find(QByteArrayView name) const
    {
        for (const FieldBytes &field : fields) {
            if (sameBytes(field.name, name))
                return &field;
        }
        return nullptr;
    }
    QByteArrayView value(QByteArrayView name) const
    {
        const FieldBytes *found = find(name);
        return found ? found->value : QByteArrayView();
    }
};

// The record's values as text, reusing the room of record's fields where it can.
void decodeRecord(const QsoRecordBytes &bytes, QsoRecord &record);

// Reads QSO records from a log file one at a time. A broken file throws ExchangeError from
// next(); nothing is read past the file's end.
class QsoReader
{
public:
    virtual ~QsoReader() = default;
    // The next record, or false at the end of the file.
    virtual bool next(QsoRecord &record) = 0;
    // The same as bytes. A reader that reads text encodes what next() gives.
    virtual bool nextBytes(QsoRecordBytes &record);
    // Starts again at the first record.
    virtual void rewind() = 0;
    // How far reading has come, in bytes of the file, for progress.
    virtual qint64 position() const = 0;
    virtual qint64 size() const = 0;
    // Fields read since the last rewind whose stated length counted characters instead of bytes.
    virtual int fieldsReadByCharacters() const { return 0; }

private:
    QsoRecord m_text;
    std::vector<QByteArray> m_encoded;
};

// Writes QSO records to a log file.
class QsoWriter
{
public:
    virtual ~QsoWriter() = default;
    // One record's fields in file order; the views need to last for the call only.
    virtual void writeFields(std::span<const FieldBytes> fields) = 0;
    // Flushes everything; throws ExchangeError when the file could not be written.
    virtual void finish() = 0;
};
