// The backup of a large log as the user waits for it: from the answer Yes to the success
// message, with the main window's views open as at start-up. Beside it, in the same run, what
// SQLite alone needs: VACUUM INTO a new file and an integrity check of the copy. A backup changes
// nothing in the database, so the log's view is counted reading its rows again (it should not).
//   bench_backup [-r runs] [QSO count ...]   (default 5 runs of 100000)
// Run with QT_QPA_PLATFORM=offscreen.

#include "benchfigures.h"
#include "datamodule.h"
#include "loggenerator.h"
#include "maintenancemenu.h"
#include "prompter.h"
#include "services.h"
#include "splashwindow.h"

#include <QApplication>
#include <QDir>
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

// Answers Yes and notes when the last message came.
class YesPrompter : public Prompter
{
public:
    void message(const QString &text) override
    {
        last = text;
        shownAfterNs = timer.nsecsElapsed();
    }
    void error(const QString &text) override { message(text); }
    bool askOver(QWidget *, const QString &, Question) override { return true; }
    void beep() override {}

    QElapsedTimer timer;
    QString last;
    qint64 shownAfterNs = 0;
};

double floorMs(const QString &live, const QString &copy)
{
    QFile::remove(copy);
    QElapsedTimer timer;
    timer.start();
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(live).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *vacuum = nullptr;
    sqlite3_prepare_v2(db, "VACUUM INTO ?", -1, &vacuum, nullptr);
    const QByteArray target = QFile::encodeName(copy);
    sqlite3_bind_text(vacuum, 1, target.constData(), -1, SQLITE_TRANSIENT);
    const int copied = sqlite3_step(vacuum);
    sqlite3_finalize(vacuum);
    sqlite3_close(db);
    sqlite3_open_v2(target.constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *check = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr);
    const bool ok = sqlite3_step(check) == SQLITE_ROW
        && qstrcmp(reinterpret_cast<const char *>(sqlite3_column_text(check, 0)), "ok") == 0;
    sqlite3_finalize(check);
    sqlite3_close(db);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (copied != SQLITE_DONE || !ok)
        throw std::runtime_error("the floor's copy failed");
    return ms;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const auto [runs, counts] = benchfigures::readRunsAndCounts(app.arguments().mid(1), 5);
    YesPrompter prompter;
    services::install(&prompter, &services::sound(), &services::clock(), &services::desktop());
    for (const int count : counts) {
        QTemporaryDir folder;
        const QString path = benchlog::createDatabase(folder.path(), count);
        LogData dm(path);
        SplashWindow(dm).prepareOnShow();
        MaintenanceMenu menu(dm, [] {});
        int reloads = 0;
        QObject::connect(&dm.log, &TableView::rowsChanged, [&] { ++reloads; });
        std::vector<double> program, floor;
        for (int run = 0; run < runs; ++run) {
            if (run % 2 == 1)
                floor.push_back(floorMs(path, folder.filePath(QStringLiteral("floor.mdb"))));
            prompter.timer.start();
            menu.backUp();
            program.push_back(double(prompter.shownAfterNs) / 1e6);
            if (!prompter.last.startsWith(QStringLiteral("Backup has been successfully done in ")))
                qFatal("the backup failed: %s", qPrintable(prompter.last));
            if (run % 2 == 0)
                floor.push_back(floorMs(path, folder.filePath(QStringLiteral("floor.mdb"))));
        }
        out << count << " QSOs, database " << QFileInfo(path).size() / 1000000.0 << " MB, " << runs
            << " runs: backup (Yes to the success message) min " << benchfigures::minimum(program) << " ms, median " << benchfigures::median(program)
            << " ms; floor (VACUUM INTO and an integrity check of the copy) min " << benchfigures::minimum(floor) << " ms, median "
            << benchfigures::median(floor) << " ms; ratio of the minima " << benchfigures::minimum(program) / benchfigures::minimum(floor) << ", of the medians "
            << benchfigures::median(program) / benchfigures::median(floor) << " (goal <= 1.5); the log's view read its rows again " << reloads
            << " times\n";
        out.flush();
    }
    services::installReal();
    return 0;
}
