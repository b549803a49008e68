#include "loggenerator.h"

#include "connection.h"
#include "engineerror.h"
#include "tables.h"
#include "vocabulary.h"

#include <QDir>
#include <QFile>
#include <random>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace benchlog {
namespace {

std::vector<std::string> dokCodes(Connection &connection)
{
    std::vector<std::string> codes;
    sqlite3_stmt *statement = connection.prepare("SELECT DOK FROM DOK ORDER BY id");
    while (sqlite3_step(statement) == SQLITE_ROW)
        codes.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
    sqlite3_reset(statement);
    if (codes.empty())
        throw EngineError(QStringLiteral("The database has no DOKs to log."));
    return codes;
}

// Draws items with the given weights.
class Picker
{
public:
    Picker(std::vector<std::string> items, const std::vector<double> &weights)
        : m_items(std::move(items)), m_distribution(weights.begin(), weights.end())
    {
    }
    const std::string &operator()(std::mt19937 &random) { return m_items[m_distribution(random)]; }

private:
    std::vector<std::string> m_items;
    std::discrete_distribution<size_t> m_distribution;
};

// Not "bind": for a temporary std::string argument, lookup would prefer std::bind and bind nothing.
void bindText(sqlite3_stmt *statement, int index, const std::string &text)
{
    sqlite3_bind_text(statement, index, text.data(), int(text.size()), SQLITE_TRANSIENT);
}

} // namespace

void generate(const QString &databasePath, int qsoCount, unsigned seed)
{
    Connection connection(databasePath, schema::databasePassword);
    connection.connect();
    const std::vector<std::string> doks = dokCodes(connection);
    std::mt19937 random(seed);
    // Some DOKs are worked far more often than others, as on the air.
    std::vector<double> dokWeights;
    for (size_t i = 0; i < doks.size(); ++i)
        dokWeights.push_back(1.0 / double(1 + (i * 7919) % doks.size()));
    Picker dokOf(doks, dokWeights);
    Picker bandOf({"1.8", "3.5", "7", "10", "14", "18", "21", "24", "28", "50", "144", "433"},
                  {2, 10, 14, 5, 16, 5, 8, 3, 8, 3, 2, 1});
    Picker modeOf({"SSB", "CW", "RTTY", "PSK", "FM"}, {10, 8, 2, 2, 1});
    Picker stateOf({"C", "A", "*"}, {85, 10, 5});
    std::uniform_int_distribution<int> day(1, 28), month(1, 12), year(1995, 2026), number(0, 9999);

    Transaction transaction(connection);
    sqlite3_stmt *insert = connection.prepare(
        "INSERT INTO LOG (call, loc, data, banda, modo, dok, conf, spec, mhz) VALUES (?,?,?,?,?,?,?,?,?)");
    for (int i = 0; i < qsoCount; ++i) {
        const std::string &dok = dokOf(random);
        const std::string &band = bandOf(random);
        char date[16];
        std::snprintf(date, sizeof date, "%02d/%02d/%04d", day(random), month(random), year(random));
        const bool special = dok.size() != 3 || !std::isdigit(static_cast<unsigned char>(dok[1]));
        sqlite3_reset(insert);
        bindText(insert, 1, "DL" + std::to_string(number(random)) + "X");
        bindText(insert, 2, "QTH " + std::to_string(number(random)));
        bindText(insert, 3, date);
        bindText(insert, 4, band);
        bindText(insert, 5, modeOf(random));
        bindText(insert, 6, dok);
        bindText(insert, 7, stateOf(random));
        if (special)
            bindText(insert, 8, "S");
        else
            sqlite3_bind_null(insert, 8);
        sqlite3_bind_int(insert, 9, vocab::bandSuffix(QString::fromStdString(band)).toInt());
        if (sqlite3_step(insert) != SQLITE_DONE)
            connection.fail(QStringLiteral("Cannot generate the log"));
    }
    sqlite3_reset(insert);

    QStringList sql;
    const auto fillFirstQsos = [&](const QString &table, const QString &column, const QString &value) {
        sql << QStringLiteral("DELETE FROM %1").arg(table);
        sql << QStringLiteral("INSERT INTO %1 (call, loc, data, banda, modo, dok, conf, spec, num) "
                              "SELECT call, loc, data, banda, modo, dok, conf, spec, id FROM LOG WHERE id IN "
                              "(SELECT min(id) FROM LOG WHERE %2='%3' GROUP BY dok)")
                   .arg(table, column, value);
        sql << QStringLiteral("INSERT INTO %1 (dok) SELECT '*' WHERE NOT EXISTS (SELECT 1 FROM %1)").arg(table);
    };
    for (const QString &band : vocab::bands())
        fillFirstQsos(vocab::bandTable(vocab::bandSuffix(band)), QStringLiteral("banda"), band);
    for (const QString &mode : vocab::modes())
        fillFirstQsos(vocab::modeTable(mode), QStringLiteral("modo"), mode);
    connection.execute(sql.join(QLatin1Char(';')));
    transaction.commit();
}

QString createDatabase(const QString &folder, int qsoCount, unsigned seed)
{
    const QString path = QDir(folder).filePath(QStringLiteral("log.mdb"));
    QFile::remove(path);
    if (!QFile::copy(QStringLiteral(WZP_TEMPLATE_PATH), path))
        throw EngineError(QStringLiteral("Cannot copy the delivered database to %1").arg(path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    generate(path, qsoCount, seed);
    return path;
}

} // namespace benchlog
