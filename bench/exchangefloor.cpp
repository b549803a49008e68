#include "exchangefloor.h"

#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unistd.h>

namespace exchangefloor {
namespace {

struct Band
{
    const char *name;
    const char *band;
    int suffix;
};

constexpr Band bands[] = {{"160m", "1.8", 18}, {"80m", "3.5", 35}, {"40m", "7", 7},   {"30m", "10", 10},
                          {"20m", "14", 14},   {"17m", "18", 18},  {"15m", "21", 21}, {"12m", "24", 24},
                          {"10m", "28", 28},   {"6m", "50", 50},   {"2m", "144", 144}, {"70cm", "433", 433}};

sqlite3 *openFile(const QString &path)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr)
        != SQLITE_OK)
        throw std::runtime_error("cannot open the database");
    sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    return db;
}

void run(sqlite3 *db, const char *sql)
{
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
}

sqlite3_stmt *prepare(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    return statement;
}

std::string readFile(const QString &path)
{
    FILE *file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!file)
        throw std::runtime_error("cannot read the ADIF file");
    std::string bytes;
    char chunk[1 << 16];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.append(chunk, got);
    std::fclose(file);
    return bytes;
}

bool named(std::string_view name, const char *wanted)
{
    return name.size() == std::strlen(wanted) && strncasecmp(name.data(), wanted, name.size()) == 0;
}

void appendField(std::string &text, std::string_view name, std::string_view value)
{
    text += '<';
    text += name;
    text += ':';
    text += std::to_string(value.size());
    text += '>';
    text += value;
}

void bindText(sqlite3_stmt *statement, int index, std::string_view value)
{
    sqlite3_bind_text(statement, index, value.data(), int(value.size()), SQLITE_TRANSIENT);
}

// One record's fields as they are met, the ones LOG has columns for picked out.
struct Record
{
    std::string_view call, date, band, mode, dok, qth;
    bool confirmed = false;
    std::string kept;
    std::string upperCall;
    char storedDate[10];

    void clear()
    {
        call = date = band = mode = dok = qth = {};
        confirmed = false;
        kept.clear();
    }
    void take(std::string_view name, std::string_view value)
    {
        if (named(name, "CALL"))
            call = value;
        else if (named(name, "QSO_DATE"))
            date = value;
        else if (named(name, "BAND"))
            band = value;
        else if (named(name, "MODE"))
            mode = value;
        else if (named(name, "DARC_DOK"))
            dok = value;
        else if (named(name, "QTH"))
            qth = value;
        else {
            if (named(name, "QSL_RCVD") && value == "Y")
                confirmed = true;
            appendField(kept, name, value);
        }
    }
};

} // namespace

double importMs(const QString &databasePath, const QString &adifPath, int &inserted)
{
    sqlite3 *db = openFile(databasePath);
    run(db, "CREATE TABLE IF NOT EXISTS ADIFFIELDS (num INTEGER PRIMARY KEY, fields TEXT)");
    QElapsedTimer timer;
    timer.start();
    const std::string bytes = readFile(adifPath);
    run(db, "BEGIN");
    sqlite3_stmt *insertLog = prepare(db, "INSERT INTO LOG (call,loc,data,banda,modo,dok,conf,spec,mhz) "
                                          "VALUES (?,?,?,?,?,?,?,?,?)");
    sqlite3_stmt *insertKept = prepare(db, "INSERT INTO ADIFFIELDS (num, fields) VALUES (?,?)");
    inserted = 0;
    const char *at = bytes.data();
    const char *const end = at + bytes.size();
    if (const char *header = static_cast<const char *>(memmem(at, bytes.size(), "<EOH>", 5)))
        at = header + 5;
    Record record;
    while (at < end) {
        at = static_cast<const char *>(std::memchr(at, '<', size_t(end - at)));
        if (!at)
            break;
        const char *nameStart = ++at;
        while (at < end && *at != ':' && *at != '>')
            ++at;
        const std::string_view name(nameStart, size_t(at - nameStart));
        if (at < end && *at == '>') {
            ++at;
            if (!named(name, "EOR"))
                continue;
            const Band *band = nullptr;
            for (const Band &row : bands) {
                if (named(record.band, row.name))
                    band = &row;
            }
            const bool counted = named(record.mode, "SSB") || named(record.mode, "CW") || named(record.mode, "RTTY")
                || named(record.mode, "PSK") || named(record.mode, "FM");
            if (band && counted && record.date.size() == 8 && !record.call.empty() && !record.dok.empty()) {
                record.upperCall.assign(record.call);
                for (char &c : record.upperCall)
                    c = char(std::toupper(static_cast<unsigned char>(c)));
                char *date = record.storedDate;
                std::memcpy(date, record.date.data() + 6, 2);
                date[2] = '/';
                std::memcpy(date + 3, record.date.data() + 4, 2);
                date[5] = '/';
                std::memcpy(date + 6, record.date.data(), 4);
                bindText(insertLog, 1, record.upperCall);
                bindText(insertLog, 2, record.qth);
                bindText(insertLog, 3, std::string_view(date, 10));
                bindText(insertLog, 4, band->band);
                bindText(insertLog, 5, record.mode);
                bindText(insertLog, 6, record.dok);
                bindText(insertLog, 7, record.confirmed ? "C" : "*");
                sqlite3_bind_null(insertLog, 8);
                sqlite3_bind_int(insertLog, 9, band->suffix);
                if (sqlite3_step(insertLog) != SQLITE_DONE)
                    throw std::runtime_error(sqlite3_errmsg(db));
                sqlite3_reset(insertLog);
                if (!record.kept.empty()) {
                    sqlite3_bind_int64(insertKept, 1, sqlite3_last_insert_rowid(db));
                    bindText(insertKept, 2, record.kept);
                    if (sqlite3_step(insertKept) != SQLITE_DONE)
                        throw std::runtime_error(sqlite3_errmsg(db));
                    sqlite3_reset(insertKept);
                }
                ++inserted;
            }
            record.clear();
            continue;
        }
        long length = 0;
        for (++at; at < end && *at >= '0' && *at <= '9'; ++at)
            length = length * 10 + (*at - '0');
        while (at < end && *at != '>')
            ++at;
        ++at;
        if (length > end - at)
            throw std::runtime_error("a field runs past the end of the file");
        record.take(name, std::string_view(at, size_t(length)));
        at += length;
    }
    sqlite3_finalize(insertLog);
    sqlite3_finalize(insertKept);
    run(db, "COMMIT");
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    sqlite3_close(db);
    return ms;
}

double exportMs(const QString &databasePath, const QString &adifPath, int &written)
{
    sqlite3 *db = openFile(databasePath);
    QElapsedTimer timer;
    timer.start();
    const QByteArray partial = QFile::encodeName(adifPath + QStringLiteral(".partial"));
    FILE *file = std::fopen(partial.constData(), "wb");
    if (!file)
        throw std::runtime_error("cannot write the ADIF file");
    std::fputs("ADIF export\n<ADIF_VER:5>3.1.4\n<EOH>\n", file);
    sqlite3_stmt *rows = prepare(db, "SELECT l.call, l.data, l.banda, l.modo, l.dok, l.loc, l.conf, f.fields "
                                     "FROM LOG l LEFT JOIN ADIFFIELDS f ON f.num = l.id ORDER BY l.id");
    std::string text;
    written = 0;
    const auto column = [&](int index) {
        const auto *value = reinterpret_cast<const char *>(sqlite3_column_text(rows, index));
        return std::string_view(value ? value : "", size_t(sqlite3_column_bytes(rows, index)));
    };
    const auto field = [&](const char *name, std::string_view value) {
        if (value.empty())
            return;
        appendField(text, name, value);
        text += ' ';
    };
    while (sqlite3_step(rows) == SQLITE_ROW) {
        field("CALL", column(0));
        const std::string_view date = column(1);
        if (date.size() == 10) {
            char qsoDate[8];
            std::memcpy(qsoDate, date.data() + 6, 4);
            std::memcpy(qsoDate + 4, date.data() + 3, 2);
            std::memcpy(qsoDate + 6, date.data(), 2);
            field("QSO_DATE", std::string_view(qsoDate, 8));
        }
        const std::string_view band = column(2);
        for (const Band &row : bands) {
            if (band == row.band)
                field("BAND", row.name);
        }
        field("MODE", column(3));
        field("DARC_DOK", column(4));
        field("QTH", column(5));
        field("APP_WZPLOG_CONF", column(6));
        text += column(7);
        text += "<EOR>\n";
        ++written;
        if (text.size() >= (1 << 20)) {
            std::fwrite(text.data(), 1, text.size(), file);
            text.clear();
        }
    }
    sqlite3_finalize(rows);
    std::fwrite(text.data(), 1, text.size(), file);
    std::fflush(file);
    fdatasync(fileno(file));
    std::fclose(file);
    std::rename(partial.constData(), QFile::encodeName(adifPath).constData());
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    sqlite3_close(db);
    return ms;
}

} // namespace exchangefloor
