#include "adifreader.h"
#include "adiftext.h"
#include "awardaccreditation.h"
#include "awardentry.h"
#include "awardqsos.h"
#include "engineerror.h"
#include "logbook.h"
#include "qsoimporter.h"
#include "recalculation.h"

#include <QtTest>

using namespace adiftext;

namespace {

// Three DOKs confirmed on 20 m SSB, one not yet; one of them also confirmed on 40 m CW, and one
// DOK in RTTY.
void importLog(LogData &dm)
{
    AdifReader reader(file(qso("DL1ABC", "A01", "20m", "SSB") + qso("DL2XY", "B05", "20m", "SSB")
                           + qso("DL3ZZ", "C12", "20m", "SSB") + qso("DL4AA", "A02", "20m", "SSB", "20090305", "N")
                           + qso("DL2XY", "B05", "40m", "CW", "20090306") + qso("DL5BB", "A03", "80m", "RTTY")));
    QCOMPARE(QsoImporter(dm).run(reader).imported, 6);
    Recalculation(dm).run();
}

// The LOG ids the printout of an award lists.
QList<qint64> printoutQsos(LogData &dm, const QString &column, bool mode)
{
    const AwardQsos award(awardentry::make(100, column, mode, QStringLiteral("New Application")));
    TableView &view = award.select(dm);
    QList<qint64> ids;
    for (view.first(); !view.eof(); view.next())
        ids << view.integer(QStringLiteral("num"));
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace

class AwardAccreditationTest : public QObject
{
    Q_OBJECT

private slots:
    void theQsosOfThePrintoutBecomeAccreditedAndCountSo()
    {
        DataModule data;
        importLog(*data.dm);
        QCOMPARE(printoutQsos(*data.dm, "14", false), QList<qint64>({1, 2, 3}));
        QCOMPARE(data.db.value("SELECT AT14||'/'||CT14 FROM RIEP"), QStringLiteral("0/3"));

        QCOMPARE(AwardAccreditation(*data.dm).accredit({"14"}), 3);
        QCOMPARE(data.db.value("SELECT group_concat(id||conf) FROM LOG"), QStringLiteral("1A,2A,3A,4*,5C,6C"));
        QCOMPARE(data.db.value("SELECT group_concat(num||conf) FROM LOG14"), QStringLiteral("1A,2A,3A,4*"));
        QCOMPARE(data.db.value("SELECT group_concat(num||conf) FROM LOGSSB"), QStringLiteral("1A,2A,3A,4*"));
        QCOMPARE(data.db.value("SELECT group_concat(num||conf) FROM LOGCW"), QStringLiteral("5C"));
        QCOMPARE(data.db.value("SELECT T14||SSB14||SSB||T7||CW FROM DOK WHERE DOK='B05'"), QStringLiteral("AAACC"));
        // The printout lists the confirmed QSOs not yet accredited: none are left.
        QVERIFY(printoutQsos(*data.dm, "14", false).isEmpty());

        const QString doks = data.db.table("DOK");
        Recalculation(*data.dm).run();
        QCOMPARE(data.db.table("DOK"), doks);
        QCOMPARE(data.db.value("SELECT AT14||'/'||CT14||'/'||ASSB14||'/'||ASSB||'/'||AT7||'/'||CT7 FROM RIEP"),
                 QStringLiteral("3/3/3/3/0/1"));
        QCOMPARE(AwardAccreditation(*data.dm).accredit({"14"}), 0);
    }

    void severalAwardsAndTheTtyTitle()
    {
        DataModule data;
        importLog(*data.dm);
        QCOMPARE(AwardAccreditation(*data.dm).accredit({"CW", "TTY", "7", "60"}), 2);
        QCOMPARE(data.db.value("SELECT group_concat(id||conf) FROM LOG"), QStringLiteral("1C,2C,3C,4*,5A,6A"));
        Recalculation(*data.dm).run();
        QCOMPARE(data.db.value("SELECT ACW||'/'||ARTTY||'/'||AT7||'/'||AT3||'/'||AT14 FROM RIEP"), QStringLiteral("1/1/1/1/0"));
    }

    void aFailingDatabaseChangesNothing()
    {
        DataModule data;
        importLog(*data.dm);
        data.db.execute("CREATE TRIGGER nossb BEFORE UPDATE ON LOGSSB BEGIN SELECT RAISE(ABORT, 'disk says no'); END");
        const QString before = data.db.content();
        QVERIFY_THROWS_EXCEPTION(EngineError, AwardAccreditation(*data.dm).accredit({"14"}));
        QCOMPARE(data.db.content(), before);
    }
};

QTEST_MAIN(AwardAccreditationTest)
#include "tst_awardaccreditation.moc"
