#include "adifmapping.h"

#include "adifreader.h"

#include <QCoreApplication>
#include <QStringList>

#include <QDate>
#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <string>

namespace adif {
namespace {

struct BandRow
{
    const char *name;
    const char *band;
    double lowest; // MHz, both ends included
    double highest;
};

// The ADIF band table for the twelve bands of the log.
constexpr std::array<BandRow, 12> bandTable{{
    {"160m", "1.8", 1.8, 2.0},
    {"80m", "3.5", 3.5, 4.0},
    {"40m", "7", 7.0, 7.3},
    {"30m", "10", 10.1, 10.15},
    {"20m", "14", 14.0, 14.35},
    {"17m", "18", 18.068, 18.168},
    {"15m", "21", 21.0, 21.45},
    {"12m", "24", 24.89, 24.99},
    {"10m", "28", 28.0, 29.7},
    {"6m", "50", 50.0, 54.0},
    {"2m", "144", 144.0, 148.0},
    {"70cm", "433", 420.0, 450.0},
}};

struct ModeRow
{
    const char *adif; // a MODE or SUBMODE value, or a MODE of older ADIF versions
    const char *mode;
};

constexpr std::array<ModeRow, 16> modeTable{{
    {"SSB", "SSB"},     {"USB", "SSB"},     {"LSB", "SSB"},     {"CW", "CW"},
    {"RTTY", "RTTY"},   {"ASCI", "RTTY"},   {"PSK", "PSK"},     {"PSK31", "PSK"},
    {"PSK63", "PSK"},   {"PSK125", "PSK"},  {"BPSK31", "PSK"},  {"BPSK63", "PSK"},
    {"QPSK31", "PSK"},  {"QPSK63", "PSK"},  {"PSK250", "PSK"},  {"FM", "FM"},
}};

constexpr std::array<QByteArrayView, 4> qslFields{"QSL_RCVD", "LOTW_QSL_RCVD", "EQSL_QSL_RCVD", "DCL_QSL_RCVD"};

constexpr std::array<QByteArrayView, 12> receivedQslNames{
    "QSL_RCVD",      "QSLRDATE",      "QSL_RCVD_VIA", "LOTW_QSL_RCVD", "LOTW_QSLRDATE", "EQSL_QSL_RCVD",
    "EQSL_QSLRDATE", "DCL_QSL_RCVD",  "DCL_QSLRDATE", "LOTW_QSL_RCVD_VIA", "EQSL_QSL_RCVD_VIA", "DCL_QSL_RCVD_VIA"};

// QSL_RCVD is not among them: it goes to the side table as it came, so that the export gives
// other loggers back their own paper-card status.
constexpr std::array<QByteArrayView, 6> logFields{"CALL", "QSO_DATE", "BAND", "MODE", "DARC_DOK", "QTH"};

// Y or V (verified), in either case.
bool isConfirmedMark(char16_t c)
{
    return c == u'Y' || c == u'y' || c == u'V' || c == u'v';
}

bool saysConfirmed(const QString &value)
{
    const QString text = value.trimmed();
    return text.size() == 1 && isConfirmedMark(text[0].unicode());
}

template<size_t N>
bool among(const std::array<QByteArrayView, N> &names, QByteArrayView name)
{
    return std::any_of(names.begin(), names.end(), [&](QByteArrayView known) { return sameBytes(known, name); });
}

QString countedMode(const QString &text)
{
    const QString wanted = text.trimmed().toUpper();
    for (const ModeRow &row : modeTable) {
        if (wanted == QLatin1String(row.adif))
            return QString::fromLatin1(row.mode);
    }
    return {};
}

// In a table of ASCII words, the word beside the one that the trimmed text is in any case;
// empty when it is none.
template<typename Row, size_t N>
QByteArrayView wordBeside(const std::array<Row, N> &table, const char *Row::*key, const char *Row::*word,
                          QByteArrayView text)
{
    const QByteArrayView wanted = text.trimmed();
    for (const Row &row : table) {
        if (wanted.compare(row.*key, Qt::CaseInsensitive) == 0)
            return row.*word;
    }
    return {};
}

QByteArrayView countedMode(QByteArrayView text)
{
    return wordBeside(modeTable, &ModeRow::adif, &ModeRow::mode, text);
}

// Eight digits "yyyyMMdd" as LOG stores the date, "dd/MM/yyyy"; empty when it is no date.
QString storedDate(const char *digits)
{
    const auto number = [&](int from, int count) {
        int value = 0;
        for (int i = from; i < from + count; ++i)
            value = value * 10 + (digits[i] - '0');
        return value;
    };
    const int year = number(0, 4), month = number(4, 2), day = number(6, 2);
    if (!QDate::isValid(year, month, day))
        return {};
    const QChar stored[10] = {QChar(u'0' + day / 10),     QChar(u'0' + day % 10),         u'/',
                              QChar(u'0' + month / 10),   QChar(u'0' + month % 10),       u'/',
                              QChar(u'0' + year / 1000),  QChar(u'0' + year / 100 % 10),  QChar(u'0' + year / 10 % 10),
                              QChar(u'0' + year % 10)};
    return QString(stored, 10);
}

// A text of exactly N plain ASCII characters as its bytes; false for any other text.
template<size_t N>
bool asciiInto(const QString &text, char (&bytes)[N])
{
    if (text.size() != qsizetype(N) || !std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; }))
        return false;
    std::transform(text.begin(), text.end(), bytes, [](QChar c) { return char(c.unicode()); });
    return true;
}

bool isEightDigits(QByteArrayView text)
{
    return text.size() == 8 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

QString bandOfName(const QString &adifBand)
{
    const QString wanted = adifBand.trimmed();
    for (const BandRow &row : bandTable) {
        if (wanted.compare(QLatin1String(row.name), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(row.band);
    }
    return {};
}

QByteArrayView bandOfName(QByteArrayView adifBand)
{
    return wordBeside(bandTable, &BandRow::name, &BandRow::band, adifBand);
}

QString bandOfFrequency(const QString &megahertz)
{
    bool ok = false;
    const double frequency = megahertz.trimmed().toDouble(&ok);
    if (!ok)
        return {};
    for (const BandRow &row : bandTable) {
        if (frequency >= row.lowest && frequency <= row.highest)
            return QString::fromLatin1(row.band);
    }
    return {};
}

QString nameOfBand(const QString &band)
{
    for (const BandRow &row : bandTable) {
        if (band == QLatin1String(row.band))
            return QString::fromLatin1(row.name);
    }
    return {};
}

QByteArrayView nameOfBand(QByteArrayView band)
{
    for (const BandRow &row : bandTable) {
        if (band == row.band)
            return row.name;
    }
    return {};
}

QString modeOf(const QString &mode, const QString &submode)
{
    const QString counted = countedMode(mode);
    if (!counted.isEmpty() || !mode.trimmed().isEmpty())
        return counted;
    return countedMode(submode);
}

QByteArrayView modeOf(QByteArrayView mode, QByteArrayView submode)
{
    const QByteArrayView counted = countedMode(mode);
    if (!counted.isEmpty() || !mode.trimmed().isEmpty())
        return counted;
    return countedMode(submode);
}

QString dateOf(const QString &qsoDate)
{
    const QString text = qsoDate.trimmed();
    if (char digits[8]; asciiInto(text, digits) && isEightDigits(QByteArrayView(digits, 8)))
        return storedDate(digits);
    const QDate date = QDate::fromString(text, QStringLiteral("yyyyMMdd"));
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString dateOf(QByteArrayView qsoDate)
{
    const QByteArrayView text = qsoDate.trimmed();
    return isEightDigits(text) ? storedDate(text.data()) : dateOf(QString::fromUtf8(qsoDate));
}

QString qsoDateOf(const QString &data)
{
    // Written as the log writes it, the digits only change places.
    if (char stored[10], qsoDate[8]; asciiInto(data, stored) && qsoDateInto(QByteArrayView(stored, 10), qsoDate))
        return QString::fromLatin1(qsoDate, 8);
    const QStringList parts = data.split(QLatin1Char('/'));
    if (parts.size() != 3)
        return {};
    bool dayOk, monthOk, yearOk;
    const int day = parts[0].toInt(&dayOk);
    const int month = parts[1].toInt(&monthOk);
    int year = parts[2].toInt(&yearOk);
    // The year is stored as typed: two digits mean this century.
    if (yearOk && parts[2].size() <= 2)
        year += 2000;
    const QDate date(year, month, day);
    if (!dayOk || !monthOk || !yearOk || !date.isValid())
        return {};
    return date.toString(QStringLiteral("yyyyMMdd"));
}

bool qsoDateInto(QByteArrayView data, char (&qsoDate)[8])
{
    const auto isDigit = [&](int at) { return data[at] >= '0' && data[at] <= '9'; };
    if (data.size() != 10 || data[2] != '/' || data[5] != '/')
        return false;
    for (int at : {0, 1, 3, 4, 6, 7, 8, 9}) {
        if (!isDigit(at))
            return false;
    }
    const auto number = [&](int from, int digits) {
        int value = 0;
        for (int i = from; i < from + digits; ++i)
            value = value * 10 + (data[i] - '0');
        return value;
    };
    if (!QDate::isValid(number(6, 4), number(3, 2), number(0, 2)))
        return false;
    const int from[8] = {6, 7, 8, 9, 3, 4, 0, 1};
    for (int i = 0; i < 8; ++i)
        qsoDate[i] = data[from[i]];
    return true;
}

bool saysConfirmed(QByteArrayView value)
{
    const QByteArrayView text = value.trimmed();
    return text.size() == 1 && isConfirmedMark(char16_t(static_cast<unsigned char>(text[0])));
}

bool isConfirmed(const QsoRecord &record)
{
    return isConfirmed(record.fields);
}

bool isConfirmed(const std::vector<QsoField> &fields)
{
    for (const QsoField &field : fields) {
        if (isQslStatusField(field.name) && saysConfirmed(field.value))
            return true;
    }
    return false;
}

bool isQslStatusField(QByteArrayView name)
{
    return among(qslFields, name);
}

bool isReceivedQslField(const QByteArray &name)
{
    // Every one of them has QSL in its name.
    return name.contains("QSL") && among(receivedQslNames, name);
}

std::vector<QsoField> receivedQslFields(const QsoRecord &record)
{
    const bool fromLotw = std::any_of(record.fields.begin(), record.fields.end(),
                                      [](const QsoField &field) { return field.name.startsWith("APP_LOTW_"); });
    std::vector<QsoField> fields;
    for (const QsoField &field : record.fields) {
        if (!isReceivedQslField(field.name))
            continue;
        if (fromLotw && field.name == "QSL_RCVD")
            fields.push_back({QByteArrayLiteral("LOTW_QSL_RCVD"), field.value});
        else if (fromLotw && field.name == "QSLRDATE")
            fields.push_back({QByteArrayLiteral("LOTW_QSLRDATE"), field.value});
        else
            fields.push_back(field);
    }
    return fields;
}

bool isLogField(const QByteArray &name)
{
    return among(logFields, name);
}

QByteArray fieldText(const QByteArray &name, const QString &value)
{
    QByteArray text;
    appendFieldText(text, name, value);
    return text;
}

namespace {

// "<NAME:length>", returning where the value goes.
char *putFieldHead(char *out, QByteArrayView name, qsizetype valueSize)
{
    *out++ = '<';
    out = std::copy(name.begin(), name.end(), out);
    *out++ = ':';
    char digits[24];
    char *first = std::end(digits);
    for (qsizetype rest = valueSize; rest > 0 || first == std::end(digits); rest /= 10)
        *--first = char('0' + rest % 10);
    out = std::copy(first, std::end(digits), out);
    *out++ = '>';
    return out;
}

bool isUpperNameCharacter(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte > ' ' && byte < 0x7f && !(c >= 'a' && c <= 'z') && c != ',' && c != ':' && c != '<' && c != '>'
        && c != '{' && c != '}';
}

} // namespace

qsizetype fieldSize(QByteArrayView name, qsizetype valueSize)
{
    qsizetype digits = 1;
    for (qsizetype rest = valueSize; rest >= 10; rest /= 10)
        ++digits;
    return name.size() + digits + valueSize + 3;
}

char *putField(char *out, QByteArrayView name, QByteArrayView utf8Value)
{
    out = putFieldHead(out, name, utf8Value.size());
    return std::copy(utf8Value.begin(), utf8Value.end(), out);
}

void appendFieldText(QByteArray &text, QByteArrayView name, QByteArrayView utf8Value)
{
    const qsizetype at = text.size();
    text.resize(at + fieldSize(name, utf8Value.size()));
    putField(text.data() + at, name, utf8Value);
}

void appendFieldText(QByteArray &text, const QByteArray &name, const QString &value)
{
    const bool ascii = std::all_of(value.begin(), value.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (!ascii) {
        appendFieldText(text, QByteArrayView(name), QByteArrayView(value.toUtf8()));
        return;
    }
    // Plain ASCII goes over with no text made for it.
    const qsizetype at = text.size();
    text.resize(at + fieldSize(name, value.size()));
    char *valueAt = putFieldHead(text.data() + at, name, value.size());
    std::transform(value.begin(), value.end(), valueAt, [](QChar c) { return char(c.unicode()); });
}

std::vector<QsoField> keptFields(const QString &kept)
{
    if (kept.isEmpty())
        return {};
    // The kept text is ADIF the import wrote itself; reading it back checks it as well.
    AdifReader reader(kept.toUtf8() + "<EOR>");
    QsoRecord record;
    if (!reader.next(record))
        return {};
    return std::move(record.fields);
}

QString keptText(const std::vector<QsoField> &fields)
{
    QByteArray text;
    for (const QsoField &field : fields)
        appendFieldText(text, field.name, field.value);
    return QString::fromUtf8(text);
}

bool splitKeptText(QByteArrayView kept, std::vector<FieldBytes> &fields)
{
    fields.clear();
    qsizetype at = 0;
    while (at < kept.size()) {
        if (kept[at] != '<')
            return false;
        const qsizetype nameStart = ++at;
        while (at < kept.size() && isUpperNameCharacter(kept[at]))
            ++at;
        if (at == nameStart || at >= kept.size() || kept[at] != ':')
            return false;
        const QByteArrayView name = kept.sliced(nameStart, at - nameStart);
        qsizetype length = 0;
        const qsizetype digitsStart = ++at;
        for (; at < kept.size() && kept[at] >= '0' && kept[at] <= '9' && at - digitsStart < 8; ++at)
            length = length * 10 + (kept[at] - '0');
        if (at == digitsStart || at >= kept.size() || kept[at] != '>' || length > kept.size() - at - 1)
            return false;
        ++at;
        // A value ends where the next field begins.
        if (at + length < kept.size() && kept[at + length] != '<')
            return false;
        fields.push_back({name, kept.sliced(at, length)});
        at += length;
    }
    return true;
}

void putFields(std::vector<QsoField> &fields, const std::vector<QsoField> &changes)
{
    for (const QsoField &change : changes) {
        const auto found = std::find_if(fields.begin(), fields.end(),
                                        [&](const QsoField &field) { return field.name == change.name; });
        if (found != fields.end())
            found->value = change.value;
        else
            fields.push_back(change);
    }
}

std::optional<int> minutesOf(const QString &timeOn)
{
    const QString text = timeOn.trimmed();
    if (text.size() != 4 && text.size() != 6)
        return std::nullopt;
    for (const QChar c : text) {
        if (!c.isDigit())
            return std::nullopt;
    }
    const int hours = text.left(2).toInt();
    const int minutes = text.mid(2, 2).toInt();
    if (hours > 23 || minutes > 59 || (text.size() == 6 && text.mid(4, 2).toInt() > 59))
        return std::nullopt;
    return hours * 60 + minutes;
}

QString describe(const QsoRecord &record)
{
    QStringList parts;
    for (const char *name : {"CALL", "QSO_DATE", "TIME_ON", "BAND", "FREQ", "MODE", "SUBMODE", "DARC_DOK"}) {
        const QString value = record.value(name).trimmed();
        if (!value.isEmpty())
            parts << value.left(20);
    }
    return QCoreApplication::translate("QsoImporter", "record %1: %2").arg(record.number).arg(parts.join(QLatin1Char(' ')));
}

} // namespace adif
