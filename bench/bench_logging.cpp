// The entry panel on a large log: a keystroke in the DOK field (lookup and grid update), the
// new-or-confirmed test, choosing the mode (which runs the test), and a durable save, each
// through the panel in the shown main window.
// A save cannot be faster than one durable commit on the disk at hand, so a bare SQLite commit of
// one row is measured beside each save. The first save of the session has a line of its own.
//   bench_logging [QSO count, default 100000]
// Run with QT_QPA_PLATFORM=offscreen.

#include "benchfigures.h"
#include "connection.h"
#include "datamodule.h"
#include "entrypanel.h"
#include "loggenerator.h"
#include "mainwindow.h"
#include "splashwindow.h"
#include "sqlitefloor.h"
#include "vocabulary.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <random>
#include <vector>

namespace {

QTextStream out(stdout);

struct Figures
{
    std::vector<double> ms;

    void time(const std::function<void()> &work)
    {
        QElapsedTimer timer;
        timer.start();
        work();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    double median()
    {
        std::sort(ms.begin(), ms.end());
        return ms.empty() ? 0 : ms[ms.size() / 2];
    }
    // A goal of 0 names none.
    void report(const char *what, double goal)
    {
        if (ms.empty()) {
            out << what << ": no runs\n";
            return;
        }
        std::sort(ms.begin(), ms.end());
        const double median = ms[ms.size() / 2];
        const double p95 = ms[std::min(ms.size() - 1, ms.size() * 95 / 100)];
        out << what << ": min " << ms.front() << " ms, median " << median << " ms, 95% " << p95 << " ms, max " << ms.back() << " ms over "
            << ms.size() << " runs";
        if (goal > 0)
            out << " (goal < " << goal << " ms)";
        out << "\n";
    }
};

template <typename T>
T *control(MainWindow &main, const char *name)
{
    return main.findChild<T *>(QString::fromLatin1(name));
}

// Lets the window repaint what changed, so a figure includes the grids' update.
void settle()
{
    QApplication::processEvents();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int qsos = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 100000;
    QTemporaryDir folder;
    const QString path = benchlog::createDatabase(folder.path(), qsos);

    LogData dm(path);
    SplashWindow splash(dm);
    splash.prepareOnShow();
    dm.soundOn = false;
    MainWindow main(dm, nullptr);
    main.resize(1000, 700);
    main.show();
    QApplication::setActiveWindow(&main);
    if (!QTest::qWaitForWindowActive(&main))
        out << "warning: the main window is not active, focus moves are not measured\n";
    main.action(QStringLiteral("Nuovo1"))->trigger();
    settle();
    out << dm.log.recordCount() << " QSOs passing LOG's filter of " << qsos << " in the log, " << dm.dok.recordCount()
        << " DOKs\n";

    auto *dok = control<QLineEdit>(main, "dok");
    auto *mhz = control<QComboBox>(main, "mhz");
    auto *modo = control<QComboBox>(main, "modo");
    std::vector<QString> codes;
    for (int i = 0; i < dm.dok.recordCount(); ++i)
        codes.push_back(dm.dok.textAt(i, dm.dok.columnIndex(QStringLiteral("DOK"))));
    std::mt19937 random(7);
    std::shuffle(codes.begin(), codes.end(), random);

    // Typing the first characters of a code and taking them back: every step looks the text up
    // and moves the DOK grid. The last character, which completes the code, goes on to the
    // new-or-confirmed test and is measured there.
    Figures keystrokes;
    for (int i = 0; i < 300; ++i) {
        const QString &code = codes[size_t(i) % codes.size()];
        dok->setFocus();
        for (int length = 1; length < code.size(); ++length) {
            keystrokes.time([&] {
                QTest::keyClick(dok, code.at(length - 1).toLatin1());
                settle();
            });
        }
        while (!dok->text().isEmpty()) {
            keystrokes.time([&] {
                QTest::keyClick(dok, Qt::Key_Backspace);
                settle();
            });
        }
    }
    keystrokes.report("keystroke in the DOK field", 2);

    // The test itself: DOK, band and mode are in place and shown, then the test runs and the
    // window shows its answer (the label, the QSOs listed for a confirmed DOK). The fields are set
    // with their signals blocked, so the test has not already run for them.
    EntryPanel &panel = *main.entryPanel();
    auto *nuovo = control<QWidget>(main, "nuovo");
    Figures newDok, confirmedDok;
    for (int i = 0; i < 400; ++i) {
        {
            const QSignalBlocker blockDok(dok), blockBand(mhz), blockMode(modo);
            dok->setText(codes[size_t(i) % codes.size()]);
            mhz->setCurrentText(vocab::bands()[i % vocab::bands().size()]);
            modo->setCurrentText(vocab::modes()[i % vocab::modes().size()]);
        }
        settle();
        QElapsedTimer timer;
        timer.start();
        panel.showWhetherDokIsNew();
        settle();
        (nuovo->isVisible() ? newDok : confirmedDok).ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    Figures anyDok;
    anyDok.ms = newDok.ms;
    anyDok.ms.insert(anyDok.ms.end(), confirmedDok.ms.begin(), confirmedDok.ms.end());
    anyDok.report("new-or-confirmed test, every DOK", 2);
    newDok.report("new-or-confirmed test, new DOK", 2);
    confirmedDok.report("new-or-confirmed test, confirmed DOK", 2);

    // What the user waits for on choosing the mode: the mode field and the DOK grid's mode
    // column change, and the test runs on the new mode.
    Figures chosenMode;
    for (int i = 0; i < 400; ++i) {
        {
            const QSignalBlocker blockDok(dok), blockBand(mhz);
            dok->setText(codes[size_t(i) % codes.size()]);
            mhz->setCurrentText(vocab::bands()[i % vocab::bands().size()]);
        }
        settle();
        chosenMode.time([&] {
            modo->setCurrentText(vocab::modes()[(i + 1) % vocab::modes().size()]);
            settle();
        });
    }
    chosenMode.report("choosing the mode, with the test and the grids' update", 2);

    // Each save is followed by a bare commit of SQLite on the same file, so both meet the disk
    // in the same state. The first save of the session is reported on its own: it is the one
    // that finds the views just as they were read.
    Figures firstSave, saves, bare;
    auto *call = control<QLineEdit>(main, "call");
    for (int i = 0; i < 100; ++i) {
        main.action(QStringLiteral("Nuovo1"))->trigger();
        QTest::keyClicks(call, QStringLiteral("DL%1AB").arg(i));
        QTest::keyClicks(control<QLineEdit>(main, "Ged"), QStringLiteral("1"));
        QTest::keyClicks(control<QLineEdit>(main, "Med"), QStringLiteral("2"));
        QTest::keyClicks(control<QLineEdit>(main, "Aed"), QStringLiteral("2024"));
        dok->setFocus();
        QTest::keyClicks(dok, codes[size_t(i) % codes.size()]);
        mhz->setCurrentText(QStringLiteral("433")); // the generated log leaves the status matrix empty
        modo->setCurrentText(QStringLiteral("FM"));
        settle();
        (i == 0 ? firstSave : saves).time([&] {
            panel.saveQso();
            settle();
        });
        bare.ms.push_back(sqlitefloor::durableCommitMs(path));
    }
    firstSave.report("first save of the session, durable on disk", 6);
    saves.report("saves after the first, durable on disk", 6);
    bare.report("SQLite floor, each beside a save: one bare one-row durable commit", 0);
    sqlitefloor::report(out, QStringLiteral("first save"), firstSave.median(), bare.median(),
                        QStringLiteral("median of the bare one-row durable commits"));
    sqlitefloor::report(out, QStringLiteral("saves after the first, median"), saves.median(), bare.median(),
                        QStringLiteral("median of the bare one-row durable commits"));
    out << "peak resident memory of the process " << benchfigures::statusKilobytes("VmHWM:") / 1024 << " MB, now "
        << benchfigures::statusKilobytes("VmRSS:") / 1024 << " MB\n";

    Figures commits;
    for (int i = 0; i < 100; ++i) {
        commits.time([&] {
            Transaction transaction(dm.ADOconn);
            dm.info.edit();
            dm.info.setText(QStringLiteral("EMAIL"), QString::number(i));
            dm.info.post();
            transaction.commit();
        });
    }
    commits.report("for comparison: one row in one durable commit through the engine", 0);
    dm.log.setFilter(QString());
    out << dm.log.recordCount() - qsos << " QSOs saved\n";
    return 0;
}
