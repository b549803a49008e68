// The Progress window on a large log, opened as the main window opens it: the first time in a
// session, right after start-up, so it reads the whole log and works out the curves of the whole
// log and of every band and mode before it is shown. Each run starts a session of its own. Beside
// it, in the same run, SQLite reads the five columns the curves need from LOG with the C API.
//   bench_progress [-r runs] [QSO count ...]   (default 3 runs of 100000)
// Run with QT_QPA_PLATFORM=offscreen.

#include "datamodule.h"
#include "loggenerator.h"
#include "progresswindow.h"
#include "splashwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <sqlite3.h>
#include <stdexcept>
#include <vector>

namespace {

QTextStream out(stdout);

double ms(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

double floorMs(const QString &path)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open the database");
    QElapsedTimer timer;
    timer.start();
    sqlite3_stmt *rows = nullptr;
    sqlite3_prepare_v2(db, "SELECT dok, banda, modo, data, conf FROM LOG", -1, &rows, nullptr);
    size_t bytes = 0;
    while (sqlite3_step(rows) == SQLITE_ROW) {
        for (int column = 0; column < 5; ++column) {
            if (sqlite3_column_text(rows, column))
                bytes += size_t(sqlite3_column_bytes(rows, column));
        }
    }
    sqlite3_finalize(rows);
    const double elapsed = ms(timer);
    sqlite3_close(db);
    if (bytes == 0)
        throw std::runtime_error("LOG is empty");
    return elapsed;
}

double minimum(const std::vector<double> &values)
{
    return *std::min_element(values.begin(), values.end());
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    int runs = 3;
    if (arguments.size() >= 2 && arguments.first() == QLatin1String("-r")) {
        runs = arguments.at(1).toInt();
        arguments = arguments.mid(2);
    }
    QList<int> counts;
    for (const QString &argument : arguments)
        counts << argument.toInt();
    if (counts.isEmpty())
        counts << 100000;
    for (const int count : counts) {
        QTemporaryDir folder;
        const QString path = benchlog::createDatabase(folder.path(), count);
        std::vector<double> firstOpens, secondOpens, floors;
        for (int run = 0; run < runs; ++run) {
            if (run % 2 == 1)
                floors.push_back(floorMs(path));
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
                floors.push_back(floorMs(path));
        }
        out << count << " QSOs, " << runs << " runs: first open of the Progress window in a session min "
            << minimum(firstOpens) << " ms, median " << median(firstOpens) << " ms; floor (SQLite reads LOG's dok, banda, "
            << "modo, data and conf) min " << minimum(floors) << " ms, median " << median(floors)
            << " ms; ratio of the minima " << minimum(firstOpens) / minimum(floors) << ", of the medians "
            << median(firstOpens) / median(floors) << " (goal <= 1.5); second open median " << median(secondOpens)
            << " ms\n";
        out.flush();
    }
    return 0;
}
