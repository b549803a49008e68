// The recalculation on large logs (durable, from a blank matrix and with nothing to change), the
// same through the refresh window's "&Go", and opening the management view and switching its
// band and mode tables.
//   bench_score [QSO count ...]   (default 10000 100000 1000000)
// Run with QT_QPA_PLATFORM=offscreen.

#include "benchfigures.h"
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
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>
#include <sqlite3.h>
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
    return benchfigures::median(timesMs(runs, prepare, work));
}

// What a recalculation from a blank matrix leaves written: the status cells of every DOK row
// that is not blank, and the counters' row.
struct Written
{
    QStringList cellColumns;
    std::vector<std::pair<qint64, QStringList>> dokRows;
    QStringList counterColumns;
    QStringList counters;
};

QString quotedName(const QString &name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

QString textOf(sqlite3_stmt *statement, int column)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, column)));
}

Written writtenBy(LogData &dm)
{
    Written written;
    for (int column = 2; column < dm.dok.columnCount() - 2; ++column)
        written.cellColumns << quotedName(dm.dok.columnName(column));
    for (int column = 2; column < dm.riep.columnCount(); ++column)
        written.counterColumns << quotedName(dm.riep.columnName(column));
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(dm.ADOconn.database()).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *rows = nullptr;
    sqlite3_prepare_v2(db, ("SELECT id, " + written.cellColumns.join(QLatin1Char(',')) + " FROM DOK").toUtf8().constData(),
                       -1, &rows, nullptr);
    while (sqlite3_step(rows) == SQLITE_ROW) {
        QStringList cells;
        bool blank = true;
        for (int i = 0; i < written.cellColumns.size(); ++i) {
            cells << textOf(rows, i + 1);
            blank = blank && cells.back() == QLatin1String("*");
        }
        if (!blank)
            written.dokRows.emplace_back(sqlite3_column_int64(rows, 0), cells);
    }
    sqlite3_finalize(rows);
    sqlite3_prepare_v2(db, ("SELECT " + written.counterColumns.join(QLatin1Char(',')) + " FROM RIEP LIMIT 1").toUtf8().constData(),
                       -1, &rows, nullptr);
    if (sqlite3_step(rows) == SQLITE_ROW) {
        for (int i = 0; i < written.counterColumns.size(); ++i)
            written.counters << textOf(rows, i);
    }
    sqlite3_finalize(rows);
    sqlite3_close(db);
    return written;
}

void bindAll(sqlite3_stmt *statement, const QStringList &values)
{
    for (int i = 0; i < values.size(); ++i) {
        const QByteArray utf8 = values[i].toUtf8();
        sqlite3_bind_text(statement, i + 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
}

// The floor of a recalculation: SQLite writing the same DOK rows and counters in one durable
// transaction, on a connection set up as the program sets up its own.
double writingMs(const QString &path, const Written &written)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    QElapsedTimer timer;
    timer.start();
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt *dok = nullptr;
    sqlite3_prepare_v2(db, ("UPDATE DOK SET " + written.cellColumns.join(QStringLiteral("=?,")) + "=? WHERE id=?").toUtf8().constData(),
                       -1, &dok, nullptr);
    for (const auto &[id, cells] : written.dokRows) {
        bindAll(dok, cells);
        sqlite3_bind_int64(dok, int(cells.size()) + 1, id);
        sqlite3_step(dok);
        sqlite3_reset(dok);
    }
    sqlite3_finalize(dok);
    sqlite3_stmt *counters = nullptr;
    sqlite3_prepare_v2(db, ("UPDATE RIEP SET " + written.counterColumns.join(QStringLiteral("=?,"))
                            + "=? WHERE rowid=(SELECT min(rowid) FROM RIEP)").toUtf8().constData(),
                       -1, &counters, nullptr);
    bindAll(counters, written.counters);
    sqlite3_step(counters);
    sqlite3_finalize(counters);
    const int committed = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    const double elapsed = ms(timer);
    sqlite3_close(db);
    if (committed != SQLITE_OK || written.dokRows.empty())
        out << "  warning: the floor wrote nothing\n";
    return elapsed;
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
    // Each recalculation from a blank matrix is followed by the floor doing its writes on a blank
    // matrix again, so both meet the disk in the same state.
    std::vector<double> fresh, floor;
    for (int i = 0; i < 3; ++i) {
        fresh.push_back(timesMs(1, [&] { blankMatrix(dm); }, run).front());
        const Written written = writtenBy(dm);
        blankMatrix(dm);
        floor.push_back(writingMs(dm.ADOconn.database(), written));
    }
    run();
    std::sort(fresh.begin(), fresh.end());
    std::sort(floor.begin(), floor.end());
    const std::vector<double> unchanged = timesMs(3, [] {}, run);
    out << "  recalculation, every worked DOK rewritten: min " << fresh.front() << " ms, median " << benchfigures::median(fresh)
        << " ms (of 3)\n";
    out << "  recalculation, nothing to change:          min " << unchanged.front() << " ms, median "
        << benchfigures::median(unchanged) << " ms (of 3)\n";
    sqlitefloor::report(out, QStringLiteral("  recalculation, durable, median"), benchfigures::median(fresh), benchfigures::median(floor),
                        QStringLiteral("SQLite writing the same DOK rows and counters in one durable transaction"));
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
        << benchfigures::median(go) << " ms (of 3)\n";
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
    out << "  switch band/mode table: " << benchfigures::median(switches) << " ms median, "
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
