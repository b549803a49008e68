// The modify window and the deletion on a large log: a keystroke of the search by callsign
// (lookup, panel and grid update), a field written back when it is left (durable), and the
// deletion of a QSO with the compaction of the database file, with the file's size.
//   bench_modify [QSO count, default 100000]
// Run with QT_QPA_PLATFORM=offscreen.

#include "connection.h"
#include "datamodule.h"
#include "loggenerator.h"
#include "mainwindow.h"
#include "managementview.h"
#include "modifywindow.h"
#include "prefixsearch.h"
#include "qsodeletion.h"
#include "qsowriteback.h"
#include "splashwindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
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
    void report(const char *what, double goal)
    {
        std::sort(ms.begin(), ms.end());
        const double median = ms[ms.size() / 2];
        const double p95 = ms[std::min(ms.size() - 1, ms.size() * 95 / 100)];
        out << what << ": median " << median << " ms, 95% " << p95 << " ms, max " << ms.back() << " ms over "
            << ms.size() << " runs (goal < " << goal << " ms)\n";
        out.flush();
    }
};

template <typename T>
T *control(QWidget &window, const char *name)
{
    return window.findChild<T *>(QString::fromLatin1(name));
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
    main.action(QStringLiteral("Management1"))->trigger();
    settle();
    dm.log.setFiltered(false);
    out << dm.log.recordCount() << " QSOs in the log\n";
    out.flush();

    std::vector<QString> calls;
    for (int i = 0; i < dm.log.recordCount(); i += 97)
        calls.push_back(dm.log.textAt(i, dm.log.columnIndex(QStringLiteral("call"))));
    std::mt19937 random(7);
    std::shuffle(calls.begin(), calls.end(), random);

    {
        ModifyWindow window(dm, *main.managementView(), &main);
        window.resize(820, 600);
        window.show();
        QApplication::setActiveWindow(&window);
        if (!QTest::qWaitForWindowActive(&window))
            out << "warning: the modify window is not active, focus moves are not measured\n";
        QTest::mouseClick(control<QPushButton>(window, "modCall"), Qt::LeftButton);
        auto *search = control<QLineEdit>(window, "Edicall");
        Figures keystrokes;
        for (int i = 0; i < 200; ++i) {
            const QString &call = calls[size_t(i) % calls.size()];
            for (const QChar c : call) {
                keystrokes.time([&] {
                    QTest::keyClick(search, c.toLatin1());
                    settle();
                });
            }
            while (!search->text().isEmpty()) {
                keystrokes.time([&] {
                    QTest::keyClick(search, Qt::Key_Backspace);
                    settle();
                });
            }
        }
        keystrokes.report("keystroke in the callsign search", 5);
        Figures locates;
        for (int i = 0; i < 200; ++i) {
            const QString &call = calls[size_t(i) % calls.size()];
            for (int n = 1; n <= call.size(); ++n)
                locates.time([&] { locatePrefix(dm.log, QStringLiteral("call"), call.left(n)); });
        }
        locates.report("for comparison: the lookup alone", 5);

        auto *loc = control<QLineEdit>(window, "loc");
        Figures writes;
        for (int i = 0; i < 100; ++i) {
            QTest::keyClicks(search, calls[size_t(i) % calls.size()]);
            loc->setFocus(Qt::TabFocusReason);
            loc->selectAll();
            QTest::keyClicks(loc, QStringLiteral("QTH%1").arg(i));
            writes.time([&] {
                QTest::keyClick(loc, Qt::Key_Tab); // leaving the field writes it back
                settle();
            });
            search->setFocus(Qt::TabFocusReason);
            search->clear();
        }
        writes.report("field written back when left, durable on disk", 30);
        Figures plain;
        for (int i = 0; i < 50; ++i) {
            const auto item = [&](const char *column) { return dm.log.text(QString::fromLatin1(column)); };
            const QsoChange change{item("call"), item("dok"),  item("banda"),       item("modo"), QStringLiteral("01"),
                                   QStringLiteral("02"), QStringLiteral("2003"), QString::number(i), item("conf")};
            plain.time([&] { QsoWriteBack(dm).write(change); });
        }
        plain.report("for comparison: the write-back alone, durable", 30);
        Figures commits;
        for (int i = 0; i < 50; ++i) {
            commits.time([&] {
                Transaction transaction(dm.ADOconn);
                dm.info.edit();
                dm.info.setText(QStringLiteral("EMAIL"), QString::number(i));
                dm.info.post();
                transaction.commit();
            });
        }
        commits.report("for comparison: one row in one durable commit", 30);
        QTest::mouseClick(control<QPushButton>(window, "SpeedButton1"), Qt::LeftButton);
    }

    Figures deletions;
    QsoDeletion deletion(dm);
    for (int i = 0; i < 10; ++i) {
        main.managementView()->showBandTable(QStringLiteral("14"));
        dm.logbanda.moveTo(i);
        const auto qso = deletion.selected();
        const qint64 before = QFileInfo(path).size();
        deletions.time([&] {
            deletion.remove(*qso);
            deletion.compact();
        });
        out << "  deleted QSO " << qso->id << ": log.mdb " << before << " bytes before, " << QFileInfo(path).size()
            << " after\n";
    }
    deletions.report("deletion with compaction", 2000);
    return 0;
}
