#include "adiftext.h"
#include "logbook.h"
#include "mainwindow.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

using namespace adiftext;

class ExchangeMenuTest : public QObject
{
    Q_OBJECT

private:
    static QStringList menuTexts(const MainWindow &main, const char *menu)
    {
        QStringList texts;
        for (QAction *action : main.findChild<QMenu *>(menu)->actions())
            texts << action->text();
        return texts;
    }

private slots:
    void itemsInTheirMenus()
    {
        Logbook book;
        QVERIFY(menuTexts(*book.main, "menuQSO").contains(QStringLiteral("&Import ADIF…")));
        QVERIFY(menuTexts(*book.main, "menuQSO").contains(QStringLiteral("&Export ADIF…")));
        QVERIFY(menuTexts(*book.main, "menuQSO").contains(QStringLiteral("Import &confirmations…")));
        QVERIFY(menuTexts(*book.main, "menuDOK").contains(QStringLiteral("Update DOK &list…")));
    }

    void importReportsAndOffersTheRefresh()
    {
        Logbook book;
        QTemporaryDir folder;
        const QString path = folder.filePath("log.adi");
        write(path, file(qso("DL1ABC", "A01", "20m", "SSB") + qso("DL2XY", "Q77", "20m", "CW")
                         + qso("DL3ZZ", "A01", "20m", "FT8")));
        book.services.desktop.chooseFile(path);
        book.services.prompter.answer(false); // no unknown DOKs added
        book.services.prompter.answer(false); // no refresh now
        book.main->action("ImportAdif1")->trigger();
        QCOMPARE(book.services.desktop.dialogCaptions, QStringList{"Import ADIF"});
        QCOMPARE(book.services.prompter.questions,
                 QStringList({"Add 1 unknown DOKs to the list?\rQ77", "Refresh the data now?"}));
        // The question about the DOKs stands over the import's progress, which is shown.
        QCOMPARE(book.services.prompter.questionParents.value(0), QStringLiteral("ImportProgress"));
        QCOMPARE(book.services.prompter.questionParentsShown.value(0), true);
        QCOMPARE(book.services.prompter.messages.size(), 1);
        const QString report = book.services.prompter.messages.first();
        QVERIFY2(report.contains("QSOs imported: 1"), qPrintable(report));
        QVERIFY(report.contains("mode not counted: 1"));
        QVERIFY(report.contains("DOK not in the list: 1"));
        QVERIFY(report.contains("record 2: DL2XY 20090305 20m CW Q77"));
        QCOMPARE(book.db.value("SELECT call FROM LOG"), QStringLiteral("DL1ABC"));
        QCOMPARE(book.dm->log.recordCount(), 1);
    }

    void theQuestionNamesTheUnknownDoks_data()
    {
        QTest::addColumn<int>("unknown");
        QTest::addColumn<QString>("question");
        QTest::newRow("one") << 1 << "Add 1 unknown DOKs to the list?\rZZ01";
        QTest::newRow("ten") << 10 << "Add 10 unknown DOKs to the list?\rZZ01, ZZ02, ZZ03, ZZ04, ZZ05, ZZ06, ZZ07, ZZ08, ZZ09, ZZ10";
        QTest::newRow("twelve")
            << 12 << "Add 12 unknown DOKs to the list?\rZZ01, ZZ02, ZZ03, ZZ04, ZZ05, ZZ06, ZZ07, ZZ08, ZZ09, ZZ10 and 2 more";
    }
    void theQuestionNamesTheUnknownDoks()
    {
        QFETCH(int, unknown);
        QFETCH(QString, question);
        Logbook book;
        QTemporaryDir folder;
        const QString path = folder.filePath("log.adi");
        QByteArray records = qso("DL1ABC", "A01", "20m", "SSB");
        // In reverse, so the question's order is its own.
        for (int i = unknown; i >= 1; --i)
            records += qso("DL2XY", (QByteArray("zz") + QByteArray::number(i).rightJustified(2, '0')).constData(), "20m", "CW");
        write(path, file(records));
        book.services.desktop.chooseFile(path);
        book.services.prompter.answer(true);  // add them
        book.services.prompter.answer(false); // no refresh now
        book.main->action("ImportAdif1")->trigger();
        QCOMPARE(book.services.prompter.questions.value(0), question);
        QCOMPARE(book.services.prompter.questionParents.value(0), QStringLiteral("ImportProgress"));
        QCOMPARE(book.services.prompter.questionParentsShown.value(0), true);
        QCOMPARE(book.db.value("SELECT count(*) FROM DOK WHERE DOK LIKE 'ZZ__'"), QString::number(unknown));
        QCOMPARE(book.db.value("SELECT count(*) FROM LOG"), QString::number(unknown + 1));
    }

    void confirmationsReportAndOfferTheRefresh_data()
    {
        QTest::addColumn<bool>("refresh");
        QTest::newRow("refresh now") << true;
        QTest::newRow("refresh later") << false;
    }

    void confirmationsReportAndOfferTheRefresh()
    {
        QFETCH(bool, refresh);
        Logbook book;
        book.db.execute("INSERT INTO LOG (call, loc, data, banda, modo, dok, conf, mhz) "
                        "VALUES ('DL1ABC', 'BERLIN', '05/03/2009', '14', 'SSB', 'A01', '*', 14)");
        QTemporaryDir folder;
        const QString path = folder.filePath("dcl.adi");
        write(path, file(record({{"CALL", "DL1ABC"}, {"QSO_DATE", "20090305"}, {"BAND", "20m"}, {"MODE", "SSB"},
                                 {"DCL_QSL_RCVD", "Y"}})
                         + qso("DL9QQ", "B05", "20m", "SSB")));
        book.services.desktop.chooseFile(path);
        book.services.prompter.answer(refresh);
        QString shown;
        if (refresh)
            whenDialogShows([&](QDialog *dialog) { shown = dialog->objectName(); });
        book.main->action("ImportConfirmations1")->trigger();
        QCOMPARE(book.services.desktop.dialogCaptions, QStringList{"Import confirmations"});
        QCOMPARE(book.services.prompter.questions, QStringList{"Refresh the data now?"});
        QCOMPARE(book.services.prompter.messages.size(), 1);
        const QString report = book.services.prompter.messages.first();
        QVERIFY2(report.contains("Confirmed now: 1\n    record 1: DL1ABC 20090305 20m SSB"), qPrintable(report));
        QVERIFY(report.contains("Not in the log: 1\n    record 2: DL9QQ"));
        QCOMPARE(book.db.value("SELECT conf FROM LOG"), QStringLiteral("C"));
        QCOMPARE(book.dm->log.text("conf"), QStringLiteral("C"));
        QCOMPARE(shown, refresh ? QStringLiteral("TForm9") : QString());
    }

    void nothingConfirmedOffersNoRefresh()
    {
        Logbook book;
        QTemporaryDir folder;
        const QString path = folder.filePath("lotw.adi");
        write(path, file(qso("DL9QQ", "B05", "20m", "SSB")));
        book.services.desktop.chooseFile(path);
        book.main->action("ImportConfirmations1")->trigger();
        QVERIFY(book.services.prompter.questions.isEmpty());
        QVERIFY(book.services.prompter.messages.first().contains("Confirmed now: 0"));
    }

    void cancelledFileDialogDoesNothing()
    {
        Logbook book;
        const QString before = book.db.content();
        book.main->action("ImportAdif1")->trigger();
        book.main->action("ImportConfirmations1")->trigger();
        book.main->action("UpdateDokList1")->trigger();
        QVERIFY(book.services.prompter.messages.isEmpty());
        QCOMPARE(book.db.content(), before);
    }

    void brokenFileIsReported()
    {
        Logbook book;
        QTemporaryDir folder;
        const QString path = folder.filePath("broken.adi");
        write(path, file(qso("DL1ABC", "A01", "20m", "SSB") + "<CALL:-1>"));
        const QString before = book.db.content();
        book.services.desktop.chooseFile(path);
        book.main->action("ImportAdif1")->trigger();
        QCOMPARE(book.services.prompter.errors.size(), 1);
        QVERIFY(book.services.prompter.errors.first().contains("broken length"));
        QCOMPARE(book.db.content(), before);
    }

    void exportWritesTheLog()
    {
        Logbook book;
        book.db.execute("INSERT INTO LOG (call, loc, data, banda, modo, dok, conf, mhz) "
                        "VALUES ('DL1ABC', 'BERLIN', '05/03/2009', '14', 'SSB', 'A01', 'C', 14)");
        QTemporaryDir folder;
        const QString path = folder.filePath("out.adi");
        book.services.desktop.chooseFile(path);
        book.main->action("ExportAdif1")->trigger();
        QCOMPARE(book.services.prompter.messages, QStringList{"QSOs exported: 1"});
        QFile exported(path);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        QVERIFY(exported.readAll().contains(
            "<CALL:6>DL1ABC <QSO_DATE:8>20090305 <BAND:3>20m <MODE:3>SSB <DARC_DOK:3>A01 <QTH:6>BERLIN <QSL_RCVD:1>Y"));
    }

    void exportIsNeverWrittenOverTheLog()
    {
        Logbook book;
        const QByteArray before = TestDatabase::fileBytes(book.db.path());
        book.services.desktop.chooseFile(book.db.path()); // the user answered "replace it?" with yes
        book.main->action("ExportAdif1")->trigger();
        QCOMPARE(book.services.prompter.errors,
                 QStringList{book.db.path() + " is a database; it is never written over. Choose another file."});
        QVERIFY(book.services.prompter.messages.isEmpty());
        QCOMPARE(TestDatabase::fileBytes(book.db.path()), before);
    }

    void updateDokList()
    {
        Logbook book;
        QTemporaryDir folder;
        const QString path = folder.filePath("doks.txt");
        write(path, "A01\nQ77\nNM\nXMAS99\n");
        book.services.desktop.chooseFile(path);
        book.main->action("UpdateDokList1")->trigger();
        QCOMPARE(book.services.prompter.messages, QStringList{"DOKs added: 2\nDOKs renamed: 0\nDOKs unchanged: 1"});
        QCOMPARE(book.db.value("SELECT SPEC FROM DOK WHERE DOK='XMAS99'"), QStringLiteral("S"));
    }
};

QTEST_MAIN(ExchangeMenuTest)
#include "tst_exchangemenu.moc"
