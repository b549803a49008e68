// The application printout of one award backed by a long QSO list: laying the pages out, and
// rendering them into a PDF file.
//   bench_awards [DOK count ...]   (default 1000)
// Run with QT_QPA_PLATFORM=offscreen.

#include "applicationprintout.h"
#include "awardqsos.h"
#include "benchfigures.h"
#include "datamodule.h"
#include "painter.h"
#include "tables.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

QTextStream out(stdout);

double ms(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// A copy of the delivered database with count confirmed DOKs in the 14 MHz table.
QString createDatabase(const QString &folder, int count)
{
    const QString path = folder + QStringLiteral("/log.mdb");
    QFile::copy(QStringLiteral(WZP_TEMPLATE_PATH), path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    Connection connection(path, schema::databasePassword);
    connection.connect();
    QStringList rows;
    for (int i = 1; i <= count; ++i) {
        rows << QStringLiteral("('DL%1XYZ', 'Ortsverband %1 an der langen Strasse', '05/03/2004', '14', 'SSB', "
                               "'%2%3', 'C', NULL, %1)")
                    .arg(i)
                    .arg(QChar('A' + i % 24))
                    .arg(i, 4, 10, QLatin1Char('0'));
    }
    connection.execute(QStringLiteral("BEGIN; DELETE FROM LOG14; INSERT INTO LOG14 (call, loc, data, banda, modo, dok, "
                                      "conf, spec, num) VALUES ")
                       + rows.join(QLatin1Char(',')) + QStringLiteral("; UPDATE INFO SET CALL='DK9XYZ', NOME='Hans', "
                                                                       "COGN='Meier'; COMMIT;"));
    return path;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QStringList counts = app.arguments().mid(1);
    if (counts.isEmpty())
        counts << QStringLiteral("1000");
    for (const QString &countText : counts) {
        const int count = countText.toInt();
        QTemporaryDir dir;
        LogData dm(createDatabase(dir.path(), count));
        dm.ADOconn.connect();
        dm.info.open();
        dm.riep.open();
        const QString entry = QStringLiteral("WZP_1000 , 14 mhz - New Application");
        const ApplicationRequest request{{entry}, 0, true, QStringLiteral("WZP_1000"), QStringLiteral("New Application")};
        AwardQsos(entry).select(dm);

        std::vector<double> layoutTimes;
        report::Layout layout;
        for (int run = 0; run < 7; ++run) {
            QElapsedTimer timer;
            timer.start();
            TQRep printout(dm, request, QDate::currentDate());
            layout = printout.layout();
            layoutTimes.push_back(ms(timer));
        }
        std::vector<double> pdfTimes;
        for (int run = 0; run < 3; ++run) {
            QElapsedTimer timer;
            timer.start();
            if (!report::writePdf(layout, dir.filePath(QStringLiteral("application.pdf"))).isEmpty())
                out << "the PDF could not be written\n";
            pdfTimes.push_back(ms(timer));
        }
        out << count << " DOKs, " << layout.pages.size() << " pages: layout " << QString::number(benchfigures::median(layoutTimes), 'f', 1)
            << " ms (median of 7), PDF " << QString::number(benchfigures::median(pdfTimes), 'f', 1) << " ms (median of 3, "
            << QFile(dir.filePath(QStringLiteral("application.pdf"))).size() / 1024 << " KiB)\n";
        out.flush();
    }
    return 0;
}
