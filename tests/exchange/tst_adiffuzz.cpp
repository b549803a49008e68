// Random damage to a sample ADIF file: every import either succeeds or is refused with a clear
// report, and a refused one leaves the log exactly as it was.
#include "adifreader.h"
#include "adiftext.h"
#include "datamodule.h"
#include "engineerror.h"
#include "exchangeerror.h"
#include "logcheck.h"
#include "qsoimporter.h"
#include "scriptedservices.h"
#include "splashwindow.h"
#include "testdatabase.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QtTest>

using namespace adiftext;

namespace {

constexpr int runs = 3000;
constexpr qint64 timeLimitMs = 90'000;

QByteArray sample()
{
    return file(qso("DL1ABC", "A01", "20m", "SSB") + qso("DL2XY", "B05", "40m", "CW", "20100102", "N")
                + record({{"CALL", "DA0AP"}, {"QSO_DATE", "20100101"}, {"FREQ", "144.300"}, {"MODE", "FM"},
                          {"DARC_DOK", "APOLLO"}, {"TIME_ON", "0930"}, {"QTH", "M\xc3\xbcnchen"}})
                + qso("DL3ZZ", "A01", "20m", "PSK31") + qso("DK0X", "C12", "2m", "FM", "20110304", "Y"));
}

QByteArray mutate(QByteArray bytes, QRandomGenerator &random)
{
    const int changes = 1 + int(random.bounded(4));
    for (int i = 0; i < changes; ++i) {
        const qsizetype at = bytes.isEmpty() ? 0 : qsizetype(random.bounded(quint32(bytes.size())));
        switch (random.bounded(6)) {
        case 0: // any byte
            if (!bytes.isEmpty())
                bytes[at] = char(random.bounded(256));
            break;
        case 1: // a digit, so lengths change
            if (!bytes.isEmpty())
                bytes[at] = char('0' + random.bounded(10));
            break;
        case 2: // one of the ADIF characters
            bytes.insert(at, "<>:-"[random.bounded(4)]);
            break;
        case 3: // a piece cut out
            bytes.remove(at, qsizetype(random.bounded(20)));
            break;
        case 4: // a piece repeated
            bytes.insert(at, bytes.mid(at, qsizetype(random.bounded(40))));
            break;
        case 5: // a huge declared length
            bytes.insert(at, QByteArray("<NOTES:") + QByteArray::number(random.bounded(2'000'000'000)) + '>');
            break;
        }
    }
    return bytes;
}

} // namespace

class AdifFuzzTest : public QObject
{
    Q_OBJECT

private slots:
    void damagedFilesNeverHarmTheLog()
    {
        // A small log, so each run is quick: the DOKs of the sample and the empty tables.
        TestDatabase db(TestDatabase::Content::Empty);
        db.execute("INSERT INTO DOK (DOK, CONF) VALUES ('A01','*'),('B05','*'),('C12','*');"
                   "INSERT INTO DOK (DOK, CONF, SPEC) VALUES ('APOLLO','*','S')");
        ScriptedServices services;
        LogData dm(db.path());
        SplashWindow splash(dm);
        splash.prepareOnShow();

        QRandomGenerator random(20261210);
        const QByteArray original = sample();
        QElapsedTimer clock;
        clock.start();
        int done = 0, refused = 0, imported = 0;
        // The log as it is on disk; only an import that brought something in changes it.
        QString before = db.content();
        for (; done < runs && clock.elapsed() < timeLimitMs; ++done) {
            const QByteArray damaged = mutate(original, random);
            try {
                AdifReader reader(damaged);
                QsoImporter importer(dm);
                importer.addUnknownDoks = [&](const QStringList &) { return random.bounded(2) == 0; };
                const ImportReport report = importer.run(reader);
                QVERIFY(report.imported + report.duplicates.count + report.skippedCount() == report.records);
                imported += report.imported;
                if (report.imported > 0 || report.doksAdded > 0)
                    before = db.content();
            } catch (const ExchangeError &error) {
                ++refused;
                QVERIFY(error.text().startsWith(QStringLiteral("The file is not valid ADIF")));
                QCOMPARE(db.content(), before);
            }
            if (done % 500 == 0) {
                const QStringList problems = checkLog(dm.ADOconn);
                QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
            }
        }
        qInfo("%d damaged files in %lld ms: %d refused, %d QSOs imported", done, clock.elapsed(), refused, imported);
        QVERIFY(done >= 500); // on a machine busy with other tests the time limit may come first
        QVERIFY(refused > 0);
        QVERIFY(imported > 0);
        const QStringList problems = checkLog(dm.ADOconn);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }
};

QTEST_MAIN(AdifFuzzTest)
#include "tst_adiffuzz.moc"
