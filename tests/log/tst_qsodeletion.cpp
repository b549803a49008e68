#include "connection.h"
#include "datamodule.h"
#include "controls.h"
#include "engineerror.h"
#include "logcheck.h"
#include "managementview.h"
#include "modifybook.h"
#include "modifywindow.h"
#include "qsodeletion.h"
#include "scriptedservices.h"
#include "splashwindow.h"
#include "tables.h"
#include "testdatabase.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString twoQsos()
{
    return savedQso(1, QStringLiteral("A01"), QStringLiteral("14"), QStringLiteral("SSB"))
        + savedQso(2, QStringLiteral("B05"), QStringLiteral("21"), QStringLiteral("CW"), QStringLiteral("DK7XY"),
                   QStringLiteral("07/04/2010"));
}

const QString refreshQuestion = QStringLiteral("After deleting one or more QSOs you need to refresh your data.\r"
                                               "Do you like to do it right now?\r"
                                               "If not, remember to do it by the button \"Refresh Data\"");

// The management view of a book, and what a user does in it.
struct Management
{
    explicit Management(ModifyBook &book) : book(book), view(book.main->managementView()) {}

    void showBand(const char *button) { QTest::mouseClick(child<QPushButton>(*view, button), Qt::LeftButton); }
    void selectRow(int row)
    {
        auto *grid = child<QTableView>(*view, "DBGBand");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(row, 0)).center());
    }
    // Deletes through the tool button or the menu item, answering the two questions.
    void remove(bool sure, bool refreshNow = false, const char *command = "Speeddel")
    {
        book.services.prompter.answer(sure);
        if (sure)
            book.services.prompter.answer(refreshNow);
        book.main->action(QString::fromLatin1(command))->trigger();
    }
    QString front() const { return child<QStackedWidget>(*view, "Grids")->currentWidget()->objectName(); }
    QStringList bandRows() const { return column(child<QTableView>(*view, "DBGBand"), 0); }
    bool modifyAndDeleteDisabled() const
    {
        for (const char *name : {"Modifica1", "Speedmod", "Delete1", "Speeddel"}) {
            if (book.main->action(QString::fromLatin1(name))->isEnabled())
                return false;
        }
        return true;
    }

    ModifyBook &book;
    ManagementView *view;
};

bool opens(const QString &path, const QString &password)
{
    try {
        Connection connection(path, password);
        connection.connect();
        return true;
    } catch (const EngineError &) {
        return false;
    }
}

} // namespace

class QsoDeletionTest : public QObject
{
    Q_OBJECT

private slots:
    void deletingTheOnlyQsoOfItsTablesKeepsThePlaceholders_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("tool button") << "Speeddel";
        QTest::newRow("menu item") << "Delete1";
    }

    void deletingTheOnlyQsoOfItsTablesKeepsThePlaceholders()
    {
        QFETCH(QString, command);
        ModifyBook book(twoQsos());
        Management management(book);
        management.showBand("B14");
        management.selectRow(0);
        const QString cells = book.db.table("DOK");
        management.remove(true, false, qPrintable(command));
        const ScriptedPrompter &prompter = book.services.prompter;
        QCOMPARE(prompter.questions,
                 (QStringList{"Going to delete this QSO with DOK A01\rDL1ABC on 14 MHz SSB, 05/03/2009\rAre you sure ?",
                              refreshQuestion}));
        QCOMPARE(prompter.questionKinds, (QList<Prompter::Question>{Prompter::Question::YesCancel, Prompter::Question::YesNo}));
        QCOMPARE(prompter.errors, QStringList());
        QCOMPARE(book.value("SELECT group_concat(id) FROM LOG"), "2");
        QCOMPARE(book.value("SELECT count(*) || dok || coalesce(num, '<null>') FROM LOG14"), "1*<null>");
        QCOMPARE(book.value("SELECT count(*) || dok || coalesce(num, '<null>') FROM LOGSSB"), "1*<null>");
        QCOMPARE(book.value("SELECT group_concat(dok) FROM LOG21"), "B05");
        // The matrix waits for the refresh.
        QCOMPARE(book.db.table("DOK"), cells);
        QVERIFY(!QFile::exists(QDir(book.db.folder()).filePath("temp.mdb")));
        QVERIFY(opens(book.db.path(), schema::databasePassword));
        QVERIFY(!opens(book.db.path(), QStringLiteral("wrong")));
        QCOMPARE(management.front(), "DBGdok");
        QVERIFY(management.modifyAndDeleteDisabled());
        QVERIFY(!child<QPushButton>(*management.view, "Button4")->isEnabled());
        management.showBand("B14");
        QCOMPARE(management.bandRows(), QStringList());
    }

    void theModeTableStaysWhenAnotherQsoHoldsTheDokThere()
    {
        ModifyBook book(savedQso(1, QStringLiteral("A01"), QStringLiteral("21"), QStringLiteral("SSB"))
                        + savedQso(2, QStringLiteral("A01"), QStringLiteral("14"), QStringLiteral("SSB"), QStringLiteral("DK7XY"))
                        + savedQso(3, QStringLiteral("B05"), QStringLiteral("14"), QStringLiteral("CW")));
        Management management(book);
        management.showBand("B14");
        QCOMPARE(management.bandRows(), (QStringList{"A01", "B05"}));
        const QString modeTable = book.db.table("LOGSSB");
        management.selectRow(0);
        management.remove(true);
        QCOMPARE(book.value("SELECT group_concat(id) FROM LOG"), "1,3");
        QCOMPARE(book.value("SELECT group_concat(dok || num) FROM LOG14"), "B053");
        QCOMPARE(book.db.table("LOGSSB"), modeTable);
        QCOMPARE(book.value("SELECT num FROM LOGSSB"), "1");
    }

    void anotherQsoOfTheDokOnTheBandTakesOverItsRow()
    {
        ModifyBook book(savedQso(1, QStringLiteral("B05"), QStringLiteral("3.5"), QStringLiteral("SSB"))
                        + savedQso(2, QStringLiteral("B05"), QStringLiteral("3.5"), QStringLiteral("CW"), QStringLiteral("DK7XY"),
                                   QStringLiteral("07/04/2010")));
        QCOMPARE(book.value("SELECT group_concat(dok || num) FROM LOG3"), "B051");
        const QString modeTable = book.db.table("LOGCW");
        Management management(book);
        management.showBand("B3");
        QCOMPARE(management.bandRows(), QStringList{"B05"});
        management.selectRow(0);
        management.remove(true);
        QCOMPARE(book.value("SELECT group_concat(id) FROM LOG"), "2");
        QCOMPARE(book.value("SELECT group_concat(dok || '|' || num || '|' || call || '|' || modo || '|' || data) FROM LOG3"),
                 "B05|2|DK7XY|CW|07/04/2010");
        QCOMPARE(book.value("SELECT count(*) || dok FROM LOGSSB"), "1*");
        QCOMPARE(book.db.table("LOGCW"), modeTable);
        QCOMPARE(checkLog(book.dm->ADOconn), QStringList());
        management.showBand("B3");
        QCOMPARE(management.bandRows(), QStringList{"B05"});
    }

    void cancelChangesNothing()
    {
        ModifyBook book(twoQsos());
        Management management(book);
        management.showBand("B14");
        management.selectRow(0);
        // The list of confirmed DOKs that follows stores its counts in RIEP; nothing else changes.
        const auto allButCounts = [&] {
            QString out;
            for (const QString &table : book.value("SELECT group_concat(name) FROM sqlite_master WHERE type='table' "
                                                   "AND name<>'RIEP'").split(','))
                out += table + ":\n" + book.db.table(table);
            return out;
        };
        const QString before = allButCounts();
        management.remove(false);
        QCOMPARE(book.services.prompter.questions.size(), 1);
        QCOMPARE(allButCounts(), before);
        QCOMPARE(management.front(), "DBGdok");
        QVERIFY(management.modifyAndDeleteDisabled());
    }

    void yesToTheRefreshOpensTheRefreshWindow()
    {
        ModifyBook book(twoQsos());
        Management management(book);
        management.showBand("B21");
        management.selectRow(0);
        QString title;
        whenDialogShows([&](QDialog *dialog) { title = dialog->windowTitle(); });
        management.remove(true, true);
        book.activate();
        QCOMPARE(title, "Refresh data and recalculate score");
        QCOMPARE(book.value("SELECT group_concat(id) FROM LOG"), "1");
    }

    void aFailedCompactionLeavesTheLogWorking()
    {
        ModifyBook book(twoQsos());
        // A scratch file that cannot be removed stops the compaction.
        QDir folder(book.db.folder());
        QVERIFY(folder.mkpath("temp.mdb/locked"));
        Management management(book);
        management.showBand("B14");
        management.selectRow(0);
        management.remove(true);
        const ScriptedPrompter &prompter = book.services.prompter;
        QCOMPARE(prompter.errors.size(), 1);
        QVERIFY2(prompter.errors.first().startsWith("The database could not be compacted; it stays as it was."),
                 qPrintable(prompter.errors.first()));
        QCOMPARE(prompter.questions.size(), 2); // the QSO is gone: the refresh is still due
        QVERIFY(opens(book.db.path(), schema::databasePassword));
        QCOMPARE(book.value("SELECT group_concat(id) FROM LOG"), "2");
        LogData &dm = *book.dm;
        for (TableView *view : {&dm.log, &dm.logbanda, &dm.logmodo, &dm.info, &dm.dxcc, &dm.riep, &dm.dok, &dm.Dipl})
            QVERIFY2(view->isOpen(), qPrintable(view->tableName()));
        QVERIFY(dm.Dipl.recordCount() > 0);
        management.showBand("B21");
        QCOMPARE(management.bandRows(), QStringList{"B05"});
    }

    void aCompactedCopyThatDoesNotOpenIsNeverUsed()
    {
        DataModule data(twoQsos());
        const QByteArray before = TestDatabase::fileBytes(data.db.path());
        QsoDeletion deletion(*data.dm, [](const QString &, const QString &destination, const QString &) {
            QFile copy(destination);
            copy.open(QIODevice::WriteOnly);
            copy.write("not a database");
        });
        try {
            deletion.compact();
            QFAIL("the compaction did not fail");
        } catch (const EngineError &error) {
            QVERIFY2(error.text().contains("could not be compacted"), qPrintable(error.text()));
        }
        QCOMPARE(TestDatabase::fileBytes(data.db.path()), before);
        QVERIFY(!QFile::exists(QDir(data.db.folder()).filePath("temp.mdb")));
        QVERIFY(data.dm->Dipl.isOpen());
        QCOMPARE(data.dm->log.recordCount(), 2);
    }

    void aScratchFileLeftBehindIsReplaced()
    {
        DataModule data(twoQsos());
        QFile stale(QDir(data.db.folder()).filePath("temp.mdb"));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("left by an earlier run");
        stale.close();
        QsoDeletion(*data.dm).compact();
        QVERIFY(!stale.exists());
        QVERIFY(opens(data.db.path(), schema::databasePassword));
        QCOMPARE(data.dm->log.recordCount(), 2);
    }

    void aLinkedLogIsCompactedWhereTheLinkPoints()
    {
        ScriptedServices services;
        TestDatabase db;
        db.execute(twoQsos());
        QTemporaryDir linkedFolder;
        const QString link = QDir(linkedFolder.path()).filePath("log.mdb");
        QVERIFY(QFile::link(db.path(), link));
        LogData dm(link);
        SplashWindow splash(dm);
        splash.prepareOnShow();
        QsoDeletion(dm).compact();
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(db.value("SELECT count(*) FROM LOG"), "2");
        QCOMPARE(QDir(linkedFolder.path()).entryList(QDir::Files | QDir::System), QStringList{"log.mdb"});
        QCOMPARE(dm.log.recordCount(), 2);
    }

    void closingTheModifyWindowOnAnEmptyLogShowsTheConfirmedDoks()
    {
        ModifyBook book(savedQso(1, QStringLiteral("A01"), QStringLiteral("14"), QStringLiteral("SSB")));
        Management management(book);
        management.showBand("B14");
        management.selectRow(0);
        management.remove(true);
        QCOMPARE(book.value("SELECT count(*) FROM LOG"), "0");
        management.showBand("B14");
        book.services.prompter.messages.clear();
        book.modify([&](ModifyWindow *window) { QTest::mouseClick(child<QPushButton>(*window, "SpeedButton1"), Qt::LeftButton); });
        QCOMPARE(book.services.prompter.errors, QStringList());
        QCOMPARE(management.front(), "DBGdok");
    }
};

QTEST_MAIN(QsoDeletionTest)
#include "tst_qsodeletion.moc"
