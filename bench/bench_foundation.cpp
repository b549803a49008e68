// Start-up to the main window beside reading LOG with the C API, also from the event loop's start
// to the first painted, answering main window; the program's peak memory with that log open in
// the main window, then opening the views, filtering LOG and locating DOKs.
//   bench_foundation [QSO count, default 100000]
// Run with QT_QPA_PLATFORM=offscreen.

#include "datamodule.h"
#include "loggenerator.h"
#include "mainwindow.h"
#include "splashwindow.h"
#include "sqlitefloor.h"
#include "startup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <vector>

namespace {

QTextStream out(stdout);

double medianMs(int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

QString statusLine(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly | QIODevice::Text);
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return QString::fromLatin1(line).simplified();
    }
    return {};
}

// Notes when the watched window is first painted and when, after that, the event loop next
// answers: the window is then on the screen and takes input.
class FirstPaint : public QObject
{
public:
    FirstPaint(QWidget &window, const QElapsedTimer &clock) : m_window(window), m_clock(clock)
    {
        window.installEventFilter(this);
    }
    double paintedMs = 0;
    double answeringMs = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_window && event->type() == QEvent::Paint && paintedMs == 0) {
            QTimer::singleShot(0, this, [this] {
                answeringMs = double(m_clock.nsecsElapsed()) / 1e6;
                // exit(), not quit(): quitting first asks the program's windows to close, and
                // that did not end the loop.
                QCoreApplication::exit(0);
            });
            paintedMs = double(m_clock.nsecsElapsed()) / 1e6;
        }
        return false;
    }

private:
    QWidget &m_window;
    const QElapsedTimer &m_clock;
};

void openAll(LogData &dm)
{
    dm.ADOconn.connect();
    for (TableView *view : {&dm.log, &dm.logbanda, &dm.logmodo, &dm.info, &dm.dxcc, &dm.riep, &dm.dok, &dm.Dipl})
        view->open();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int qsos = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 100000;
    QTemporaryDir folder;
    QElapsedTimer timer;
    timer.start();
    const QString path = benchlog::createDatabase(folder.path(), qsos);
    out << "generated " << qsos << " QSOs in " << timer.elapsed() << " ms\n";

    // The whole program on the same log: splash, then the main window, three times, each time
    // beside SQLite reading the same rows.
    std::vector<double> starts, reads;
    for (int run = 0; run < 3; ++run) {
        reads.push_back(sqlitefloor::readRowsMs(path, "LOG"));
        QElapsedTimer started;
        started.start();
        Startup startup(path);
        startup.start();
        app.processEvents();
        startup.splash().enterLog();
        startup.mainWindow().show();
        app.processEvents();
        starts.push_back(double(started.nsecsElapsed()) / 1e6);
        if (run == 0)
            out << "program with the main window open: " << statusLine("VmHWM") << " (peak), " << statusLine("VmRSS")
                << "\n";
    }
    std::sort(starts.begin(), starts.end());
    std::sort(reads.begin(), reads.end());
    sqlitefloor::report(out, QStringLiteral("start-up to the main window, min of 3"), starts.front(), reads.front(),
                        QStringLiteral("reading LOG with the C API"));
    sqlitefloor::report(out, QStringLiteral("start-up to the main window, median of 3"), starts[1], reads[1],
                        QStringLiteral("reading LOG with the C API"));

    // As the program starts: the windows are made, the splash is shown (which reads the log), the
    // event loop runs; the splash's button is pressed as soon as the loop runs. Timed to the main
    // window's first paint and to the loop's next answer after it, in all and from exec, three
    // times beside SQLite reading LOG.
    std::vector<double> answering, fromExec, execReads;
    for (int run = 0; run < 3; ++run) {
        execReads.push_back(sqlitefloor::readRowsMs(path, "LOG"));
        QElapsedTimer started;
        started.start();
        Startup startup(path);
        startup.start();
        FirstPaint watch(startup.mainWindow(), started);
        QTimer::singleShot(0, &app, [&] {
            startup.splash().enterLog();
            startup.mainWindow().show();
        });
        const double execAt = double(started.nsecsElapsed()) / 1e6;
        app.exec();
        answering.push_back(watch.answeringMs);
        fromExec.push_back(watch.answeringMs - execAt);
    }
    std::sort(answering.begin(), answering.end());
    std::sort(fromExec.begin(), fromExec.end());
    std::sort(execReads.begin(), execReads.end());
    out << "exec to the first painted, answering main window: min " << fromExec.front() << " ms, median "
        << fromExec[1] << " ms\n";
    sqlitefloor::report(out, QStringLiteral("start-up to the first painted, answering main window, min of 3"),
                        answering.front(), execReads.front(), QStringLiteral("reading LOG with the C API"));
    sqlitefloor::report(out, QStringLiteral("start-up to the first painted, answering main window, median of 3"),
                        answering[1], execReads[1], QStringLiteral("reading LOG with the C API"));

    {
        LogData dm(path);
        const double open = medianMs(5, [&] {
            dm.ADOconn.disconnect();
            openAll(dm);
        });
        out << "open every view: " << open << " ms (median of 5)\n";

        const QStringList filters{
            QStringLiteral("dok='A01' and banda='14'"),
            QStringLiteral("dok='F12' and modo='CW'"),
            QStringLiteral("(dok='A01' and banda='14') or (dok='A01' and modo='SSB')"),
            QStringLiteral("conf='A'"),
        };
        for (const QString &filter : filters) {
            const double ms = medianMs(21, [&] { dm.log.setFilter(filter); });
            out << "LOG filter " << filter << ": " << ms << " ms, " << dm.log.recordCount() << " rows\n";
        }

        const QStringList prefixes{QStringLiteral("A"), QStringLiteral("F4"), QStringLiteral("Y3"), QStringLiteral("70A"),
                                   QStringLiteral("QQ")};
        const int rounds = 2000;
        QElapsedTimer locate;
        locate.start();
        for (int i = 0; i < rounds; ++i)
            dm.dok.locate(QStringLiteral("dok"), {prefixes[i % prefixes.size()]}, true);
        out << "DOK prefix locate: " << double(locate.nsecsElapsed()) / 1e6 / rounds << " ms per call\n";
    }
    return 0;
}
