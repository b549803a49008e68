#include "adifreader.h"

#include "exchangeerror.h"
#include "wholefile.h"

#include <QCoreApplication>
#include <QSet>
#include <algorithm>
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

qint64 AdifReader::valueBytes(QByteArrayView name, qint64 length)
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

bool isAscii(QByteArrayView bytes)
{
    qsizetype i = 0;
    for (quint64 word; i + 8 <= bytes.size(); i += 8) {
        std::memcpy(&word, bytes.data() + i, 8);
        if (word & 0x8080808080808080ULL)
            return false;
    }
    for (; i < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) >= 0x80)
            return false;
    }
    return true;
}

namespace {

// More names than any log has; only damage makes up this many.
constexpr size_t maxNames = 4096;

} // namespace

void FieldNames::startRecord()
{
    ++m_record;
    m_last = -1;
    // Damage may make up names without end; the names found so far are given up then.
    if (m_names.size() > maxNames) {
        m_names.clear();
        m_byName.clear();
        m_first = -1;
    }
}

int FieldNames::find(QByteArrayView name)
{
    int found = m_last < 0 ? m_first : m_names[size_t(m_last)].next;
    if (found < 0 || !sameBytes(m_names[size_t(found)].upper, name)) {
        found = m_byName.value(QByteArray::fromRawData(name.data(), name.size()), -1);
        if (found < 0) {
            // Every spelling of a name leads to its one entry.
            const QByteArray asRead = name.toByteArray();
            const QByteArray upper = asRead.toUpper();
            found = m_byName.value(upper, -1);
            if (found < 0) {
                found = int(m_names.size());
                m_names.push_back({upper});
                m_byName.insert(upper, found);
            }
            m_byName.insert(asRead, found);
        }
    }
    if (m_last < 0)
        m_first = found;
    else
        m_names[size_t(m_last)].next = found;
    m_last = found;
    return found;
}

bool FieldNames::enter(int name)
{
    Name &entry = m_names[size_t(name)];
    if (entry.lastRecord == m_record)
        return false;
    entry.lastRecord = m_record;
    return true;
}

bool AdifReader::next(QsoRecord &record)
{
    if (!nextBytes(m_bytesRead))
        return false;
    decodeRecord(m_bytesRead, record);
    return true;
}

bool AdifReader::nextBytes(QsoRecordBytes &record)
{
    const auto startRecord = [&] {
        record.fields.clear();
        m_madeUtf8.clear();
        m_names.startRecord();
    };
    startRecord();
    record.terminated = true;
    record.number = m_records + 1;
    State state = State::BetweenFields;
    qint64 nameStart = 0;
    int nameNumber = -1;
    QByteArrayView name;
    qint64 length = 0;
    int typeLength = 0;
    while (m_at < m_size) {
        char c = m_data[m_at];
        switch (state) {
        case State::BetweenFields:
            // Text between fields is passed over at once.
            if (const void *open = std::memchr(m_data + m_at, '<', size_t(m_size - m_at))) {
                state = State::Name;
                m_at = static_cast<const char *>(open) - m_data + 1;
                nameStart = m_at;
            } else {
                m_at = m_size;
            }
            break;
        case State::Name:
            // So are the characters of a name, up to the one that ends it.
            while (isNameCharacter(c) && m_at - nameStart < longestName && m_at + 1 < m_size)
                c = m_data[++m_at];
            if (c == ':' || c == '>') {
                if (m_at == nameStart)
                    fail(QCoreApplication::translate("ExchangeFile", "a field without a name"));
                nameNumber = m_names.find(QByteArrayView(m_data + nameStart, m_at - nameStart));
                name = m_names.upper(nameNumber);
                ++m_at;
                if (c == ':') {
                    state = State::Length;
                    length = -1;
                    break;
                }
                if (name == "EOH") {
                    // Many programs start the header with a field; what came before is header.
                    if (!m_inHeader && m_records > 0)
                        fail(QCoreApplication::translate("ExchangeFile", "<EOH> after the first record"));
                    m_inHeader = false;
                    startRecord();
                    state = State::BetweenFields;
                    break;
                }
                if (name == "APP_LOTW_EOF") {
                    // LoTW ends its reports with this mark, which has no length.
                    m_at = m_size;
                    state = State::BetweenFields;
                    break;
                }
                if (name == "EOR") {
                    if (m_inHeader)
                        fail(QCoreApplication::translate("ExchangeFile", "<EOR> inside the header"));
                    ++m_records;
                    return true;
                }
                fail(QCoreApplication::translate("ExchangeFile", "the field <%1> has no length").arg(QString::fromLatin1(name)));
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
                    fail(QCoreApplication::translate("ExchangeFile", "the field <%1> is longer than the rest of the file").arg(QString::fromLatin1(name)));
                if (length > longestValue)
                    fail(QCoreApplication::translate("ExchangeFile", "the field <%1> is longer than the 1 MB a value may hold").arg(QString::fromLatin1(name)));
                ++m_at;
                break;
            }
            if (length < 0 || (c != ':' && c != '>'))
                fail(QCoreApplication::translate("ExchangeFile", "the field <%1> has a broken length").arg(QString::fromLatin1(name)));
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
                fail(QCoreApplication::translate("ExchangeFile", "the field <%1> has a broken type").arg(QString::fromLatin1(name)));
            ++m_at;
            break;
        case State::Value:
            if (length > m_size - m_at)
                fail(QCoreApplication::translate("ExchangeFile", "the field <%1> is longer than the rest of the file").arg(QString::fromLatin1(name)));
            length = valueBytes(name, length);
            if (!m_inHeader) {
                if (!m_names.enter(nameNumber))
                    fail(QCoreApplication::translate("ExchangeFile", "record %1 has the field <%2> twice (is an <EOR> missing?)")
                             .arg(record.number)
                             .arg(QString::fromLatin1(name)));
                const QByteArrayView value(m_data + m_at, length);
                if (m_utf8 || isAscii(value)) {
                    record.fields.push_back({name, value});
                } else {
                    m_madeUtf8.push_back(QString::fromLatin1(value).toUtf8());
                    record.fields.push_back({name, m_madeUtf8.back()});
                }
            }
            m_at += length;
            state = State::BetweenFields;
            break;
        }
    }
    if (state == State::Value && length == 0 && !m_inHeader) {
        if (m_names.enter(nameNumber))
            record.fields.push_back({name, QByteArrayView()});
        state = State::BetweenFields;
    }
    if (state != State::BetweenFields && state != State::Value)
        fail(QCoreApplication::translate("ExchangeFile", "the file ends inside a field"));
    if (state == State::Value && length > 0)
        fail(QCoreApplication::translate("ExchangeFile", "the file ends inside a field"));
    if (m_inHeader)
        fail(QCoreApplication::translate("ExchangeFile", "the header has no <EOH>"));
    if (record.fields.empty())
        return false;
    // Fields after the last <EOR>: reported by the caller, never imported.
    record.terminated = false;
    ++m_records;
    return true;
}
