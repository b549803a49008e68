// ADIF import and export of large logs: a generated file of realistic records (a dozen fields
// each, most DOKs of the delivered list, a few records skipped) imported into a copy of the
// delivered database, then the whole log exported. Memory is the growth of the process's peak
// resident size during the import, against the file's size.
//   bench_exchange [QSO count ...]   (default 100000)

#include "adifreader.h"
#include "adifwriter.h"
#include "datamodule.h"
#include "qsoexporter.h"
#include "qsoimporter.h"
#include "statement.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

QTextStream out(stdout);

qint64 statusKilobytes(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qsizetype(qstrlen(key))).trimmed().split(' ').first().toLongLong();
    }
    return 0;
}

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

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QList<int> counts;
    for (const QString &argument : app.arguments().mid(1))
        counts << argument.toInt();
    if (counts.isEmpty())
        counts << 100000;
    for (int count : counts) {
        QTemporaryDir folder;
        const QString database = folder.filePath(QStringLiteral("log.mdb"));
        QFile::copy(QStringLiteral(WZP_TEMPLATE_PATH), database);
        QFile::setPermissions(database, QFile::ReadOwner | QFile::WriteOwner);
        const QString adif = folder.filePath(QStringLiteral("log.adi"));
        LogData dm(database);
        dm.ADOconn.connect();
        writeLog(adif, count, deliveredDoks(dm));
        const qint64 fileSize = QFileInfo(adif).size();

        const qint64 residentBefore = statusKilobytes("VmRSS:");
        QElapsedTimer timer;
        timer.start();
        ImportReport report;
        {
            AdifReader reader(adif);
            report = QsoImporter(dm).run(reader);
        }
        const qint64 importMs = timer.elapsed();
        const qint64 peakGrowth = statusKilobytes("VmHWM:") - residentBefore;

        timer.restart();
        int exported;
        {
            AdifWriter writer(folder.filePath(QStringLiteral("out.adi")));
            exported = QsoExporter(dm).exportLog(writer);
        }
        const qint64 exportMs = timer.elapsed();
        out << QStringLiteral("%1 records, file %2 MB: import %3 ms (%4 imported, %5 skipped), peak memory growth %6 MB "
                              "(%7x the file); export of %8 QSOs %9 ms\n")
                   .arg(count)
                   .arg(double(fileSize) / 1e6, 0, 'f', 1)
                   .arg(importMs)
                   .arg(report.imported)
                   .arg(report.skippedCount() + report.duplicates.count)
                   .arg(double(peakGrowth) / 1024, 0, 'f', 1)
                   .arg(double(peakGrowth) * 1024 / double(fileSize), 0, 'f', 2)
                   .arg(exported)
                   .arg(exportMs)
            << Qt::flush;
    }
    return 0;
}
