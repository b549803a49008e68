// Builds the delivered database from the reference lists of this folder:
//   wzp-makedb <output file> <folder with doks.txt, districts.txt, countries.txt>
// Every DOK gets a blank status row; codes other than a letter and two digits are special DOKs.

#include "connection.h"
#include "engineerror.h"
#include "referencedata.h"
#include "tables.h"
#include "tableview.h"
#include "vocabulary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

namespace {

void loadDoks(Connection &connection, const QDir &folder)
{
    const QMap<QChar, QString> districts = reference::readDistricts(folder.filePath(QStringLiteral("districts.txt")));
    TableView dok(connection, vocab::table::dok);
    dok.open();
    for (const QString &code : reference::readLines(folder.filePath(QStringLiteral("doks.txt")))) {
        dok.append();
        dok.setText(QStringLiteral("DOK"), code);
        for (const QString &cell : vocab::statusCells())
            dok.setText(cell, vocab::status::none);
        dok.setText(vocab::summaryCell, vocab::status::none);
        if (reference::isOrdinaryDok(code)) {
            const QString district = districts.value(code.at(0));
            if (!district.isEmpty())
                dok.setText(QStringLiteral("DESCR"), district);
        } else {
            dok.setText(QStringLiteral("SPEC"), vocab::status::special);
        }
        dok.post();
    }
}

void loadCountries(Connection &connection, const QDir &folder)
{
    TableView dxcc(connection, vocab::table::dxcc);
    dxcc.open();
    for (const QString &line : reference::readLines(folder.filePath(QStringLiteral("countries.txt")))) {
        const QStringList fields = line.split(QLatin1Char(';'));
        if (fields.size() < 4)
            throw EngineError(QStringLiteral("countries.txt: bad line \"%1\"").arg(line));
        dxcc.append();
        dxcc.setText(QStringLiteral("pref"), fields[0]);
        dxcc.setText(QStringLiteral("coun"), fields[1]);
        dxcc.setText(QStringLiteral("dxcc"), fields[2]);
        dxcc.setText(QStringLiteral("cont"), fields[3]);
        dxcc.post();
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: wzp-makedb <output file> <data folder>\n";
        return 2;
    }
    const QString output = args[1];
    const QString partial = output + QStringLiteral(".part");
    QFile::remove(partial);
    try {
        schema::createDatabase(partial);
        Connection connection(partial, schema::databasePassword);
        Transaction transaction(connection);
        loadDoks(connection, QDir(args[2]));
        loadCountries(connection, QDir(args[2]));
        transaction.commit();
        connection.disconnect();
        QFile::remove(output);
        if (!QFile::rename(partial, output))
            throw EngineError(QStringLiteral("Cannot write %1").arg(output));
    } catch (const EngineError &error) {
        QFile::remove(partial);
        QTextStream(stderr) << "wzp-makedb: " << error.text() << "\n";
        return 1;
    }
    return 0;
}
