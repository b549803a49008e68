// ADIF import and export of large logs: a generated file of realistic records (a dozen fields
// each, most DOKs of the delivered list, a few records skipped) imported into a copy of the
// delivered database, then the whole log exported. Memory is the growth of the process's peak
// resident size during the first import, against the file's size. Each run imports into a fresh
// copy and exports the result; beside it, in the same run, plain C and SQLite do the same work.
//   bench_exchange [-r runs] [QSO count ...]   (default 3 runs of 100000)

#include "adifreader.h"
#include "adifwriter.h"
#include "benchfigures.h"
#include "datamodule.h"
#include "exchangefloor.h"
#include "qsoexporter.h"
#include "qsoimporter.h"
#include "statement.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

QTextStream out(stdout);

QByteArray field(const char *name, const QByteArray &value)
{
    return '<' + QByteArray(name) + ':' + QByteArray::number(value.size()) + '>' + value + ' ';
}

QStringList deliveredDoks(LogData &dm)
{
    QStringList doks;
    Statement rows(dm.ADOconn, QStringLiteral("SELECT DOK FROM DOK"));
    while (rows.next())
        doks << rows.text(0);
    return doks;
}

void writeLog(const QString &path, int count, const QStringList &doks)
{
    static const char *bands[] = {"160m", "80m", "40m", "30m", "20m", "17m", "15m", "12m", "10m", "6m", "2m", "70cm"};
    static const char *modes[][2] = {{"SSB", "USB"}, {"SSB", "LSB"}, {"CW", ""}, {"RTTY", ""}, {"PSK", "PSK31"}, {"FM", ""}, {"FT8", ""}};
    QRandomGenerator random(7);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray text = "Generated log\n<ADIF_VER:5>3.1.4 <PROGRAMID:5>BENCH <EOH>\n";
    for (int i = 0; i < count; ++i) {
        const auto &mode = modes[random.bounded(7)];
        const QDate date = QDate(2000, 1, 1).addDays(random.bounded(9000));
        text += field("CALL", "DL" + QByteArray::number(random.bounded(10)) + QByteArray::number(100000 + i, 36).toUpper());
        text += field("QSO_DATE", date.toString("yyyyMMdd").toLatin1());
        text += field("TIME_ON", QByteArray::number(1000 + random.bounded(1300)));
        text += field("BAND", bands[random.bounded(12)]);
        text += field("MODE", mode[0]);
        if (*mode[1])
            text += field("SUBMODE", mode[1]);
        text += field("RST_SENT", "59");
        text += field("RST_RCVD", "57");
        text += field("DARC_DOK", doks[int(random.bounded(quint32(doks.size())))].toLatin1());
        text += field("QTH", "BERLIN");
        text += field("QSL_RCVD", random.bounded(4) ? "Y" : "N");
        text += field("OPERATOR", "DL0WZP");
        text += "<EOR>\n";
        if (text.size() > (1 << 20)) {
            file.write(text);
            text.clear();
        }
    }
    file.write(text);
}

struct Figures
{
    std::vector<double> ms;

    double min() const { return *std::min_element(ms.begin(), ms.end()); }
    double median() const
    {
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};

void report(const QString &what, const Figures &program, const Figures &floor, const QString &floorIs)
{
    out << QStringLiteral("  %1: program min %2 ms, median %3 ms; floor (%4) min %5 ms, median %6 ms; "
                          "ratio of the minima %7, of the medians %8 (goal <= 1.5)\n")
               .arg(what)
               .arg(program.min(), 0, 'f', 0)
               .arg(program.median(), 0, 'f', 0)
               .arg(floorIs)
               .arg(floor.min(), 0, 'f', 0)
               .arg(floor.median(), 0, 'f', 0)
               .arg(program.min() / floor.min(), 0, 'f', 2)
               .arg(program.median() / floor.median(), 0, 'f', 2)
        << Qt::flush;
}

QString freshCopy(const QTemporaryDir &folder, const QString &name)
{
    const QString path = folder.filePath(name);
    QFile::remove(path);
    QFile::copy(QStringLiteral(WZP_TEMPLATE_PATH), path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const auto [runs, counts] = benchfigures::readRunsAndCounts(app.arguments().mid(1), 3);
    for (int count : counts) {
        QTemporaryDir folder;
        const QString adif = folder.filePath(QStringLiteral("log.adi"));
        {
            LogData dm(freshCopy(folder, QStringLiteral("log.mdb")));
            dm.ADOconn.connect();
            writeLog(adif, count, deliveredDoks(dm));
        }
        const qint64 fileSize = QFileInfo(adif).size();
        out << QStringLiteral("%1 records, file %2 MB, %3 runs, each program run beside its floor:\n")
                   .arg(count)
                   .arg(double(fileSize) / 1e6, 0, 'f', 1)
                   .arg(runs);
        Figures imports, importFloors, exports, exportFloors;
        for (int run = 0; run < runs; ++run) {
            // The floor and the program take turns at going first, so neither always meets a
            // warmer disk cache.
            const auto floors = [&] {
                int inserted = 0, written = 0;
                const QString database = freshCopy(folder, QStringLiteral("floor.mdb"));
                importFloors.ms.push_back(exchangefloor::importMs(database, adif, inserted));
                exportFloors.ms.push_back(exchangefloor::exportMs(database, folder.filePath(QStringLiteral("floor.adi")), written));
                if (inserted != written)
                    qFatal("the floor exported %d of %d rows", written, inserted);
            };
            if (run % 2 == 1)
                floors();
            LogData dm(freshCopy(folder, QStringLiteral("log.mdb")));
            dm.ADOconn.connect();
            const qint64 residentBefore = benchfigures::statusKilobytes("VmRSS:");
            QElapsedTimer timer;
            timer.start();
            ImportReport report;
            {
                AdifReader reader(adif);
                report = QsoImporter(dm).run(reader);
            }
            imports.ms.push_back(double(timer.nsecsElapsed()) / 1e6);
            const qint64 peakGrowth = benchfigures::statusKilobytes("VmHWM:") - residentBefore;
            timer.restart();
            int exported;
            {
                AdifWriter writer(folder.filePath(QStringLiteral("out.adi")));
                exported = QsoExporter(dm).exportLog(writer);
            }
            exports.ms.push_back(double(timer.nsecsElapsed()) / 1e6);
            if (run == 0)
                out << QStringLiteral("  %1 imported, %2 skipped, %3 exported; peak memory growth of the first import "
                                      "%4 MB (%5x the file)\n")
                           .arg(report.imported)
                           .arg(report.skippedCount() + report.duplicates.count)
                           .arg(exported)
                           .arg(double(peakGrowth) / 1024, 0, 'f', 1)
                           .arg(double(peakGrowth) * 1024 / double(fileSize), 0, 'f', 2);
            if (run % 2 == 0)
                floors();
        }
        report(QStringLiteral("import"), imports, importFloors,
               QStringLiteral("C: read, parse, insert the same rows into LOG and the side table in one transaction"));
        report(QStringLiteral("export"), exports, exportFloors,
               QStringLiteral("C: read LOG and the side table, write the same fields, sync"));
    }
    return 0;
}
