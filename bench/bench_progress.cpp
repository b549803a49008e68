// The Progress window on a large log, opened as the main window opens it: the first time in a
// session, right after start-up, so it reads the whole log and works out the curves of the whole
// log and of every band and mode before it is shown. Each run starts a session of its own. Beside
// it, in the same run, SQLite reads the five columns the curves need from LOG with the C API.
//   bench_progress [-r runs] [QSO count ...]   (default 3 runs of 100000)
// Run with QT_QPA_PLATFORM=offscreen.

#include "benchfigures.h"
#include "datamodule.h"
#include "loggenerator.h"
#include "progresswindow.h"
#include "splashwindow.h"
#include "sqlitefloor.h"

#include <QApplication>
#include <QElapsedTimer>
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

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const auto [runs, counts] = benchfigures::readRunsAndCounts(app.arguments().mid(1), 3);
    for (const int count : counts) {
        QTemporaryDir folder;
        const QString path = benchlog::createDatabase(folder.path(), count);
        std::vector<double> firstOpens, secondOpens, floors;
        for (int run = 0; run < runs; ++run) {
            if (run % 2 == 1)
                floors.push_back(sqlitefloor::readMs(path, "SELECT dok, banda, modo, data, conf FROM LOG"));
            {
                LogData dm(path);
                SplashWindow(dm).prepareOnShow();
                for (std::vector<double> *opens : {&firstOpens, &secondOpens}) {
                    QElapsedTimer timer;
                    timer.start();
                    ProgressWindow window(dm);
                    window.show();
                    QApplication::processEvents();
                    opens->push_back(ms(timer));
                }
            }
            if (run % 2 == 0)
                floors.push_back(sqlitefloor::readMs(path, "SELECT dok, banda, modo, data, conf FROM LOG"));
        }
        out << count << " QSOs, " << runs << " runs: first open of the Progress window in a session min "
            << benchfigures::minimum(firstOpens) << " ms, median " << benchfigures::median(firstOpens) << " ms; floor (SQLite reads LOG's dok, banda, "
            << "modo, data and conf) min " << benchfigures::minimum(floors) << " ms, median " << benchfigures::median(floors)
            << " ms; ratio of the minima " << benchfigures::minimum(firstOpens) / benchfigures::minimum(floors) << ", of the medians "
            << benchfigures::median(firstOpens) / benchfigures::median(floors) << " (goal <= 1.5); second open median " << benchfigures::median(secondOpens)
            << " ms\n";
        out.flush();
    }
    return 0;
}
