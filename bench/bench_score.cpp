// The recalculation on large logs (durable, from a blank matrix and with nothing to change), the
// same through the refresh window's "&Go", and opening the management view and switching its
// band and mode tables.
//   bench_score [QSO count ...]   (default 10000 100000 1000000)
// Run with QT_QPA_PLATFORM=offscreen.

#include "clock.h"
#include "datamodule.h"
#include "loggenerator.h"
#include "mainwindow.h"
#include "managementview.h"
#include "prompter.h"
#include "realservices.h"
#include "recalculation.h"
#include "refreshwindow.h"
#include "services.h"
#include "soundplayer.h"
#include "sqlitefloor.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

QTextStream out(stdout);

// Answers every question with Yes and shows nothing.
class YesPrompter : public Prompter
{
public:
    void message(const QString &) override {}
    void error(const QString &text) override { out << "error: " << text << "\n"; }
    bool askOver(QWidget *, const QString &, Question) override { return true; }
    void beep() override {}
};

class Silence : public SoundPlayer
{
public:
    void play(const QString &) override {}
};

class Now : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

double ms(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

std::vector<double> timesMs(int runs, const std::function<void()> &prepare, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(ms(timer));
    }
    std::sort(times.begin(), times.end());
    return times;
}

double medianMs(int runs, const std::function<void()> &prepare, const std::function<void()> &work)
{
    return median(timesMs(runs, prepare, work));
}

// The floor of a walk over the log: SQLite reading its rows, median of 3.
double readingLogMs(LogData &dm)
{
    std::vector<double> reads;
    for (int i = 0; i < 3; ++i)
        reads.push_back(sqlitefloor::readRowsMs(dm.ADOconn.database(), "LOG"));
    return median(reads);
}

void openAll(LogData &dm)
{
    dm.ADOconn.connect();
    for (TableView *view : {&dm.log, &dm.logbanda, &dm.logmodo, &dm.info, &dm.dxcc, &dm.riep, &dm.dok, &dm.Dipl})
        view->open();
}

// A matrix as the delivered database has it, so the next run rewrites every worked DOK.
void blankMatrix(LogData &dm)
{
    QStringList sets;
    for (int column = 2; column < dm.dok.columnCount() - 2; ++column)
        sets << QStringLiteral("\"%1\"='*'").arg(dm.dok.columnName(column));
    dm.ADOconn.execute(QStringLiteral("UPDATE DOK SET ") + sets.join(QLatin1Char(',')));
    dm.dok.refresh();
}

void benchRecalculation(LogData &dm)
{
    double longestGap = 0;
    const auto run = [&] {
        Recalculation recalculation(dm);
        QElapsedTimer sinceReport;
        sinceReport.start();
        recalculation.onProgress = [&](int, int) {
            longestGap = std::max(longestGap, ms(sinceReport));
            sinceReport.restart();
        };
        recalculation.run();
        longestGap = std::max(longestGap, ms(sinceReport));
    };
    const std::vector<double> fresh = timesMs(3, [&] { blankMatrix(dm); }, run);
    const std::vector<double> unchanged = timesMs(3, [] {}, run);
    out << "  recalculation, every worked DOK rewritten: min " << fresh.front() << " ms, median " << median(fresh)
        << " ms (of 3)\n";
    out << "  recalculation, nothing to change:          min " << unchanged.front() << " ms, median "
        << median(unchanged) << " ms (of 3)\n";
    sqlitefloor::report(out, QStringLiteral("  recalculation, durable, median"), median(fresh), readingLogMs(dm),
                        QStringLiteral("reading LOG with the C API"));
    out << "  longest time between two progress reports: " << longestGap << " ms\n";
}

void benchRefreshWindow(LogData &dm, MainWindow &main)
{
    std::unique_ptr<RefreshWindow> window;
    const std::vector<double> go = timesMs(
        3,
        [&] {
            blankMatrix(dm);
            window = std::make_unique<RefreshWindow>(dm, main.clockTimer(), &main);
            window->showRefreshPanel();
            window->show();
            QApplication::processEvents();
        },
        [&] { window->findChild<QPushButton *>(QStringLiteral("SpeedButton3"))->click(); });
    out << "  \"&Go\" in the refresh window (grid shown, events run): min " << go.front() << " ms, median "
        << median(go) << " ms (of 3)\n";
}

void benchManagementView(MainWindow &main)
{
    ManagementView &view = *main.managementView();
    const auto close = [&] {
        if (view.isVisible())
            main.closePanelOrExit();
    };
    const double open = medianMs(5, close, [&] { main.action(QStringLiteral("Management1"))->trigger(); });
    if (!view.isVisible()) {
        out << "  the management view did not open\n";
        return;
    }
    out << "  open the management view: " << open << " ms (median of 5)\n";

    const auto click = [&](const char *name) { view.findChild<QPushButton *>(QString::fromLatin1(name))->click(); };
    const char *buttons[] = {"B14", "BSSB", "B3", "BCW", "B144", "BFM", "B7", "BRTTY"};
    std::vector<double> switches;
    for (int round = 0; round < 3; ++round) {
        for (const char *name : buttons) {
            QElapsedTimer timer;
            timer.start();
            click(name);
            switches.push_back(ms(timer));
        }
    }
    out << "  switch band/mode table: " << median(switches) << " ms median, "
        << *std::max_element(switches.begin(), switches.end()) << " ms slowest of " << switches.size() << "\n";
    const double confirmed = medianMs(5, [] {}, [&] { click("Button1"); });
    out << "  \"&Confirmed all band/mode\": " << confirmed << " ms (median of 5)\n";
    close();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    YesPrompter prompter;
    Silence sound;
    Now clock;
    SystemDesktop desktop;
    services::install(&prompter, &sound, &clock, &desktop);

    std::vector<int> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(QString::fromLatin1(argv[i]).toInt());
    if (counts.empty())
        counts = {10000, 100000, 1000000};

    for (const int qsos : counts) {
        QTemporaryDir folder;
        QElapsedTimer timer;
        timer.start();
        const QString path = benchlog::createDatabase(folder.path(), qsos);
        out << qsos << " QSOs (generated in " << timer.elapsed() << " ms)\n";
        LogData dm(path);
        openAll(dm);
        benchRecalculation(dm);
        MainWindow main(dm, nullptr);
        main.show();
        app.processEvents();
        benchRefreshWindow(dm, main);
        benchManagementView(main);
        out.flush();
    }
    services::installReal();
    return 0;
}
