#include "adifreader.h"

#include "exchangeerror.h"
#include "wholefile.h"

#include <QCoreApplication>
#include <QSet>
#include <cstring>

namespace {

// Longer names or type indicators than these are no ADIF but damage.
constexpr int longestName = 64;
constexpr int longestType = 8;
// No value of a QSO comes near this; a longer one is damage or an attack on the memory.
constexpr qint64 longestValue = 1 << 20;

bool isNameCharacter(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte > ' ' && byte < 0x7f && c != ',' && c != ':' && c != '<' && c != '>' && c != '{' && c != '}';
}

} // namespace

bool isValidUtf8(const char *data, qint64 size)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(data);
    qint64 i = 0;
    while (i < size) {
        // Plain ASCII, most of a log file, is passed eight bytes at a time.
        if (quint64 word; size - i >= 8 && (std::memcpy(&word, bytes + i, 8), (word & 0x8080808080808080ULL) == 0)) {
            i += 8;
            continue;
        }
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int follow;
        unsigned int lowest;
        if ((lead & 0xe0) == 0xc0) {
            follow = 1;
            lowest = 0x80;
        } else if ((lead & 0xf0) == 0xe0) {
            follow = 2;
            lowest = 0x800;
        } else if ((lead & 0xf8) == 0xf0) {
            follow = 3;
            lowest = 0x10000;
        } else {
            return false;
        }
        if (size - i <= follow)
            return false;
        unsigned int code = lead & (0x3f >> follow);
        for (int k = 1; k <= follow; ++k) {
            if ((bytes[i + k] & 0xc0) != 0x80)
                return false;
            code = (code << 6) | (bytes[i + k] & 0x3f);
        }
        if (code < lowest || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff))
            return false;
        i += follow + 1;
    }
    return true;
}

AdifReader::AdifReader(const QString &path)
{
    m_bytes = readWholeFile(path);
    m_data = m_bytes.constData();
    m_size = m_bytes.size();
    start();
}

AdifReader::AdifReader(QByteArray bytes) : m_bytes(std::move(bytes))
{
    m_data = m_bytes.constData();
    m_size = m_bytes.size();
    start();
}

AdifReader::~AdifReader() = default;

void AdifReader::start()
{
    m_utf8 = isValidUtf8(m_data, m_size);
    rewind();
}

void AdifReader::rewind()
{
    m_at = 0;
    if (m_size >= 3 && m_data[0] == '\xef' && m_data[1] == '\xbb' && m_data[2] == '\xbf')
        m_at = 3;
    // A file that does not begin with a field has a header, ended by <EOH>.
    m_inHeader = m_at < m_size && m_data[m_at] != '<';
    m_records = 0;
    m_readByCharacters = 0;
}

void AdifReader::fail(const QString &what) const
{
    throw ExchangeError(QCoreApplication::translate("ExchangeFile", "The file is not valid ADIF: %1 (at byte %2).").arg(what).arg(m_at));
}

namespace {

bool isContinuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xc0) == 0x80;
}

int sequenceLength(char lead)
{
    const auto byte = static_cast<unsigned char>(lead);
    if (byte < 0xc0)
        return 1;
    if (byte < 0xe0)
        return 2;
    return byte < 0xf0 ? 3 : 4;
}

} // namespace

bool AdifReader::endsValue(qint64 at) const
{
    if (at >= m_size)
        return true;
    const char c = m_data[at];
    return c == '<' || c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

qint64 AdifReader::valueBytes(const QByteArray &name, qint64 length)
{
    if (!m_utf8 || length == 0)
        return length;
    const qint64 byteEnd = m_at + length;
    const bool splitsCharacter = byteEnd < m_size && isContinuation(m_data[byteEnd]);
    if (!splitsCharacter && endsValue(byteEnd))
        return length;
    // Some loggers count the characters of a UTF-8 value: where the byte count cuts a character
    // or runs on into text, and the character count ends cleanly, that is what was meant.
    qint64 end = m_at;
    for (qint64 characters = 0; characters < length && end < m_size; ++characters)
        end += sequenceLength(m_data[end]);
    if (end <= m_size && end != byteEnd && endsValue(end)) {
        ++m_readByCharacters;
        return end - m_at;
    }
    if (splitsCharacter)
        fail(QCoreApplication::translate("ExchangeFile", "the length of the field <%1> counts neither its bytes nor its characters")
                 .arg(QString::fromLatin1(name)));
    return length;
}

QString AdifReader::decode(qint64 from, qint64 length) const
{
    return m_utf8 ? QString::fromUtf8(m_data + from, length) : QString::fromLatin1(m_data + from, length);
}

namespace {

bool sameName(const QByteArray &upper, const char *name, qint64 length)
{
    return upper.size() == length && qstrnicmp(upper.constData(), name, size_t(length)) == 0;
}

// The fields of one record as they are read. The fields of the record before are overwritten in
// place: a file's records mostly have the same fields in the same order, so the names are
// shared with those of the record before (which the reader keeps) and the values reuse their
// room. While a record repeats the names of the one before, which had no name twice, no name
// needs looking for among the fields read so far.
class FieldsRead
{
public:
    FieldsRead(std::vector<QsoField> &fields, std::vector<QByteArray> &namesBefore)
        : m_fields(fields), m_namesBefore(namesBefore)
    {
    }
    ~FieldsRead()
    {
        m_fields.resize(m_used);
        if (!m_repeatsNames || m_used != m_namesBefore.size()) {
            m_namesBefore.resize(m_used);
            for (size_t i = 0; i < m_used; ++i) {
                if (!m_namesBefore[i].isSharedWith(m_fields[i].name))
                    m_namesBefore[i] = m_fields[i].name;
            }
        }
    }

    void clear()
    {
        m_used = 0;
        m_seen.clear();
        m_repeatsNames = true;
    }
    bool empty() const { return m_used == 0; }
    // The name in upper case, shared with the record before when it has the same name at this
    // place.
    const QByteArray &name(const char *raw, qint64 length)
    {
        m_nameRepeated = m_used < m_namesBefore.size() && sameName(m_namesBefore[m_used], raw, length);
        if (m_nameRepeated)
            return m_namesBefore[m_used];
        m_newName = QByteArray(raw, length).toUpper();
        return m_newName;
    }
    // Whether the name given last is among the fields read so far.
    bool contains(const QByteArray &name) const
    {
        if (m_repeatsNames && m_nameRepeated)
            return false;
        if (m_used > linearLimit)
            return m_seen.contains(name);
        for (size_t i = 0; i < m_used; ++i) {
            if (m_fields[i].name == name)
                return true;
        }
        return false;
    }
    QsoField &add(const QByteArray &name)
    {
        m_repeatsNames = m_repeatsNames && m_nameRepeated;
        if (m_used == m_fields.size())
            m_fields.emplace_back();
        QsoField &field = m_fields[m_used++];
        if (!field.name.isSharedWith(name))
            field.name = name;
        // A record of many fields looks its names up in a set.
        if (m_used > linearLimit) {
            if (m_seen.isEmpty()) {
                for (size_t i = 0; i < m_used; ++i)
                    m_seen.insert(m_fields[i].name);
            } else {
                m_seen.insert(name);
            }
        }
        return field;
    }

private:
    static constexpr size_t linearLimit = 32;

    std::vector<QsoField> &m_fields;
    std::vector<QByteArray> &m_namesBefore;
    size_t m_used = 0;
    bool m_nameRepeated = false;
    bool m_repeatsNames = true;
    QByteArray m_newName;
    QSet<QByteArray> m_seen;
};

bool isAscii(const char *data, qint64 length)
{
    qint64 i = 0;
    for (quint64 word; i + 8 <= length; i += 8) {
        std::memcpy(&word, data + i, 8);
        if (word & 0x8080808080808080ULL)
            return false;
    }
    for (; i < length; ++i) {
        if (static_cast<unsigned char>(data[i]) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

void AdifReader::decodeInto(QString &value, qint64 from, qint64 length) const
{
    if (length == 0 || !isAscii(m_data + from, length)) {
        value = decode(from, length);
        return;
    }
    // Plain ASCII reads the same in both encodings.
    value.resize(length);
    QChar *out = value.data();
    for (qint64 i = 0; i < length; ++i)
        out[i] = QLatin1Char(m_data[from + i]);
}

bool AdifReader::next(QsoRecord &record)
{
    FieldsRead fields(record.fields, m_namesBefore);
    record.terminated = true;
    record.number = m_records + 1;
    State state = State::BetweenFields;
    qint64 nameStart = 0;
    // The name of the field being read, kept by fields.
    const QByteArray *name = nullptr;
    qint64 length = 0;
    int typeLength = 0;
    while (m_at < m_size) {
        const char c = m_data[m_at];
        switch (state) {
        case State::BetweenFields:
            if (c == '<') {
                state = State::Name;
                nameStart = m_at + 1;
            }
            ++m_at;
            break;
        case State::Name:
            if (c == ':' || c == '>') {
                name = &fields.name(m_data + nameStart, m_at - nameStart);
                if (name->isEmpty())
                    fail(QCoreApplication::translate("ExchangeFile", "a field without a name"));
                ++m_at;
                if (c == ':') {
                    state = State::Length;
                    length = -1;
                    break;
                }
                if (*name == "EOH") {
                    // Many programs start the header with a field; what came before is header.
                    if (!m_inHeader && m_records > 0)
                        fail(QCoreApplication::translate("ExchangeFile", "<EOH> after the first record"));
                    m_inHeader = false;
                    fields.clear();
                    state = State::BetweenFields;
                    break;
                }
                if (*name == "APP_LOTW_EOF") {
                    // LoTW ends its reports with this mark, which has no length.
                    m_at = m_size;
                    state = State::BetweenFields;
                    break;
                }
                if (*name == "EOR") {
                    if (m_inHeader)
                        fail(QCoreApplication::translate("ExchangeFile", "<EOR> inside the header"));
                    ++m_records;
                    return true;
                }
                fail(QCoreApplication::translate("ExchangeFile", "the field <%1> has no length").arg(QString::fromLatin1(*name)));
            }
            if (!isNameCharacter(c) || m_at - nameStart >= longestName)
                fail(QCoreApplication::translate("ExchangeFile", "a broken field name"));
            ++m_at;
            break;
        case State::Length:
            if (c >= '0' && c <= '9') {
                length = (length < 0 ? 0 : length * 10) + (c - '0');
                // No field can be longer than what is left of the file.
                if (length > m_size - m_at)
                    fail(QCoreApplication::translate("ExchangeFile", "the field <%1> is longer than the rest of the file").arg(QString::fromLatin1(*name)));
                if (length > longestValue)
                    fail(QCoreApplication::translate("ExchangeFile", "the field <%1> is longer than the 1 MB a value may hold").arg(QString::fromLatin1(*name)));
                ++m_at;
                break;
            }
            if (length < 0 || (c != ':' && c != '>'))
                fail(QCoreApplication::translate("ExchangeFile", "the field <%1> has a broken length").arg(QString::fromLatin1(*name)));
            ++m_at;
            typeLength = 0;
            state = c == ':' ? State::Type : State::Value;
            break;
        case State::Type:
            if (c == '>') {
                ++m_at;
                state = State::Value;
                break;
            }
            if (!isNameCharacter(c) || ++typeLength > longestType)
                fail(QCoreApplication::translate("ExchangeFile", "the field <%1> has a broken type").arg(QString::fromLatin1(*name)));
            ++m_at;
            break;
        case State::Value:
            if (length > m_size - m_at)
                fail(QCoreApplication::translate("ExchangeFile", "the field <%1> is longer than the rest of the file").arg(QString::fromLatin1(*name)));
            length = valueBytes(*name, length);
            if (!m_inHeader) {
                if (fields.contains(*name))
                    fail(QCoreApplication::translate("ExchangeFile", "record %1 has the field <%2> twice (is an <EOR> missing?)")
                             .arg(record.number)
                             .arg(QString::fromLatin1(*name)));
                decodeInto(fields.add(*name).value, m_at, length);
            }
            m_at += length;
            state = State::BetweenFields;
            break;
        }
    }
    if (state == State::Value && length == 0 && !m_inHeader) {
        if (!fields.contains(*name))
            fields.add(*name).value = QString();
        state = State::BetweenFields;
    }
    if (state != State::BetweenFields && state != State::Value)
        fail(QCoreApplication::translate("ExchangeFile", "the file ends inside a field"));
    if (state == State::Value && length > 0)
        fail(QCoreApplication::translate("ExchangeFile", "the file ends inside a field"));
    if (m_inHeader)
        fail(QCoreApplication::translate("ExchangeFile", "the header has no <EOH>"));
    if (fields.empty())
        return false;
    // Fields after the last <EOR>: reported by the caller, never imported.
    record.terminated = false;
    ++m_records;
    return true;
}
