// The Progress window's pass over the log: reading every QSO of LOG and working out the curves of
// the whole log and of every band and mode, and opening the window itself.
//   bench_progress [QSO count ...]   (default 10000 100000)
// Run with QT_QPA_PLATFORM=offscreen.

#include "datamodule.h"
#include "dokprogress.h"
#include "loggenerator.h"
#include "progresswindow.h"
#include "splashwindow.h"
#include "vocabulary.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>

namespace {

QTextStream out(stdout);

double ms(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

template <typename Work>
double bestOf(int runs, Work work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, ms(timer));
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QList<int> counts;
    for (int i = 1; i < argc; ++i)
        counts << QString::fromLocal8Bit(argv[i]).toInt();
    if (counts.isEmpty())
        counts = {10000, 100000};
    for (const int count : counts) {
        QTemporaryDir folder;
        const QString path = benchlog::createDatabase(folder.path(), count);
        LogData dm(path);
        SplashWindow(dm).prepareOnShow();
        TableView &log = dm.log;
        log.setFiltered(false);
        const int dok = log.columnIndex(QStringLiteral("dok"));
        const int band = log.columnIndex(QStringLiteral("banda"));
        const int mode = log.columnIndex(QStringLiteral("modo"));
        const int date = log.columnIndex(QStringLiteral("data"));
        const int status = log.columnIndex(QStringLiteral("conf"));
        qsizetype read = 0;
        const double reading = bestOf(3, [&] {
            for (int row = 0; row < log.recordCount(); ++row)
                for (const int column : {dok, band, mode, date, status})
                    read += log.textAt(row, column).size();
        });
        int total = 0;
        const double pass = bestOf(3, [&] {
            DokProgress progress;
            for (int row = 0; row < log.recordCount(); ++row)
                progress.add(log.textAt(row, dok), log.textAt(row, band), log.textAt(row, mode), log.textAt(row, date),
                             log.textAt(row, status));
            total = progress.curve().total();
            for (const QString &b : vocab::bands())
                progress.curve(b);
            for (const QString &m : vocab::modes())
                progress.curve(m);
        });
        const double window = bestOf(3, [&] {
            ProgressWindow shown(dm);
            shown.show();
            QApplication::processEvents();
        });
        out << count << " QSOs (" << log.recordCount() << " in LOG, " << total << " DOKs confirmed): reading the five "
            << "columns alone " << reading << " ms; one pass and all curves " << pass << " ms; opening the window "
            << window << " ms\n";
        out.flush();
    }
    return 0;
}
