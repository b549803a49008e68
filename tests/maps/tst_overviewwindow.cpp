// "Ma&P" and the overview map window OverviewMapWindow.
#include "controls.h"
#include "districtcatalogue.h"
#include "geography.h"
#include "hint.h"
#include "logbook.h"
#include "mainwindow.h"
#include "overviewhittest.h"
#include "overviewpicture.h"
#include "overviewwindow.h"
#include "recalculation.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace maps;

class OverviewWindowTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Logbook> book;

    void start(const QString &setupSql = {})
    {
        book = std::make_unique<Logbook>(setupSql);
        book->dm->dok.setFiltered(false);
        book->dm->dok.setFilter(QStringLiteral("dok>'X'"));
    }
    // Opens the map through the menu and runs act on the overview window while it is open.
    void withOverview(const std::function<void(OverviewMapWindow &)> &act)
    {
        bool shown = false;
        whenDialogShows([&](QDialog *dialog) {
            shown = true;
            auto *overview = qobject_cast<OverviewMapWindow *>(dialog);
            QVERIFY(overview);
            act(*overview);
        });
        book->main->action(QStringLiteral("MaP1"))->trigger();
        QVERIFY(shown);
    }
    static OverviewPicture *picture(OverviewMapWindow &overview) { return child<OverviewPicture>(overview, "Ima"); }
    // Where a district's letter stands on the overview, or the middle of its inset.
    static QPoint pointOf(OverviewMapWindow &overview, QChar letter)
    {
        const Geography &geography = Geography::delivered();
        const OverviewHitTest layout(geography, picture(overview)->size());
        for (const Inset &inset : geography.insets()) {
            if (inset.letter == letter)
                return layout.insetFrame(inset).center().toPoint();
        }
        return layout.transform().map(geography.district(letter)->label).toPoint();
    }

private slots:
    void cleanup() { book.reset(); }

    void mapSwitchesFilteringOnAndKeepsTheFilter()
    {
        start();
        withOverview([&](OverviewMapWindow &overview) {
            QCOMPARE(overview.windowTitle(), QStringLiteral("DOK Map: click to enlarge"));
            QCOMPARE(overview.objectName(), QStringLiteral("TForm13"));
            QVERIFY(book->dm->dok.isFiltered());
            QCOMPARE(picture(overview)->size(), QSize(481, 555));
        });
        QVERIFY(book->dm->dok.isFiltered());
        QCOMPARE(book->dm->dok.filter(), QStringLiteral("dok>'X'"));
    }

    void clickOpensTheDistrictWindow_data()
    {
        QTest::addColumn<QChar>("letter");
        QTest::addColumn<QString>("windowClass");
        QTest::addColumn<QString>("caption");
        QTest::newRow("M") << QChar(QLatin1Char('M')) << "TForm14" << "DOK M: Schleswig - Holstein";
        QTest::newRow("V") << QChar(QLatin1Char('V')) << "TForm17" << "DOK V: Mecklenburg - Vorpommern";
        QTest::newRow("Berlin's inset") << QChar(QLatin1Char('D')) << "TForm15" << "DOK D: Berlin";
        QTest::newRow("A") << QChar(QLatin1Char('A')) << "TForm18" << "DOK A: Baden";
        QTest::newRow("W") << QChar(QLatin1Char('W')) << "TForm37" << "DOK W: Sachsen - Anhalt";
    }
    void clickOpensTheDistrictWindow()
    {
        QFETCH(QChar, letter);
        QFETCH(QString, windowClass);
        QFETCH(QString, caption);
        start();
        QStringList opened;
        withOverview([&](OverviewMapWindow &overview) {
            whenDialogShows([&](QDialog *district) {
                opened << district->objectName() << district->windowTitle();
                QTest::mouseClick(child<QPushButton>(*district, "BitBtn1"), Qt::LeftButton);
            });
            QTest::mouseClick(picture(overview), Qt::LeftButton, {}, pointOf(overview, letter));
            // The overview stays open underneath for the next district.
            QVERIFY(overview.isVisible());
        });
        QCOMPARE(opened.value(0), windowClass);
        QVERIFY2(opened.value(1).startsWith(caption + " - Total "), qPrintable(opened.value(1)));
        QCOMPARE(book->dm->dok.filter(), QString());
        QVERIFY(book->dm->dok.isFiltered());
    }

    void clickOutsideTheDistrictsDoesNothing()
    {
        start();
        withOverview([&](OverviewMapWindow &overview) {
            OverviewPicture *map = picture(overview);
            for (const QPoint point : {QPoint(470, 12), QPoint(12, 300), QPoint(470, 540)}) {
                QVERIFY(map->districtAt(point).isNull());
                QTest::mouseClick(map, Qt::LeftButton, {}, point);
                QCOMPARE(QApplication::activeModalWidget(), &overview);
            }
            QCOMPARE(book->dm->dok.filter(), QStringLiteral("dok>'X'"));
        });
    }

    void everyAreaHasItsHint_data()
    {
        QTest::addColumn<QChar>("letter");
        for (const DistrictEntry &district : districtCatalogue())
            QTest::newRow(district.areaName) << district.letter;
    }
    void everyAreaHasItsHint()
    {
        QFETCH(QChar, letter);
        start();
        withOverview([&](OverviewMapWindow &overview) {
            const DistrictEntry &district = *districtByLetter(letter);
            QAction *area = child<QAction>(overview, QString::fromLatin1(district.areaName));
            QCOMPARE(area, overview.area(letter));
            QCOMPARE(area->toolTip(), QString::fromLatin1(district.hint));
            QCOMPARE(picture(overview)->districtAt(pointOf(overview, letter)), letter);
        });
    }

    void hoverShowsTheHintAndTheShareOfWorkedDoks()
    {
        const QString worked = Geography::delivered().district(QLatin1Char('V'))->doks.front().code;
        start(QStringLiteral("UPDATE DOK SET CONF = 'C', T14 = 'C' WHERE DOK = '%1';").arg(worked));
        book->dm->dok.setFilter(QString());
        const int total = book->db.value("SELECT count(*) FROM DOK WHERE DOK > 'V' AND DOK < 'W' AND SPEC IS NULL").toInt();
        withOverview([&](OverviewMapWindow &overview) {
            QAction *area = child<QAction>(overview, "ImaV");
            QCOMPARE(hint::of(area), QStringLiteral(" Mecklemburg - Vorpommern |DOK district V: 1 of %1 DOKs with a QSO (%2 %)")
                                         .arg(total).arg(int(100.0 / total + 0.5)));
            hover(picture(overview), pointOf(overview, QLatin1Char('V')));
            QCOMPARE(picture(overview)->toolTip(), QStringLiteral(" Mecklemburg - Vorpommern "));
            QCOMPARE(book->main->statusPanel(0)->text(), area->statusTip());
            hover(picture(overview), QPoint(470, 12));
            QCOMPARE(picture(overview)->toolTip(), QString());
            hover(picture(overview), pointOf(overview, QLatin1Char('V')));
        });
        // Closed with the pointer still on a district, the map leaves no figure behind.
        QCOMPARE(book->main->statusPanel(0)->text(), QString());
    }

    // The refresh leaves the DOK view filtered on the DOKs it counted; the map still counts every
    // DOK of each district.
    void mapCountsEveryDokAfterARefresh()
    {
        const QString logged = QStringLiteral(
            "INSERT INTO LOG (call, loc, data, banda, modo, dok, conf, mhz) "
            "SELECT 'DL1ABC', 'NURNBERG', '05/03/2009', '14', 'SSB', DOK, '%1', 14 FROM DOK "
            "WHERE DOK LIKE 'B%' AND SPEC IS NULL ORDER BY DOK LIMIT %2 OFFSET %3;");
        // Two confirmed QSOs and one not confirmed: each of the three DOKs has a QSO.
        start(logged.arg("C").arg(2).arg(0) + logged.arg("*").arg(1).arg(2));
        Recalculation(*book->dm).run();
        QCOMPARE(book->dm->dok.filter(), QStringLiteral("conf='C'"));
        const auto ordinary = [&](QChar letter) {
            return book->db.value(QStringLiteral("SELECT count(*) FROM DOK WHERE upper(substr(DOK, 1, 1)) = '%1' "
                                                 "AND SPEC IS NULL").arg(letter)).toInt();
        };
        const int franken = ordinary(QLatin1Char('B'));
        const int baden = ordinary(QLatin1Char('A'));
        QVERIFY(franken > 3 && baden > 0);
        withOverview([&](OverviewMapWindow &overview) {
            QVERIFY(book->dm->dok.isFiltered());
            QCOMPARE(book->dm->dok.recordCount(), 3);
            QCOMPARE(child<QAction>(overview, "ImaB")->statusTip(),
                     QStringLiteral("DOK district B: 3 of %1 DOKs with a QSO (%2 %)")
                         .arg(franken).arg(int(300.0 / franken + 0.5)));
            QCOMPARE(child<QAction>(overview, "imaA")->statusTip(),
                     QStringLiteral("DOK district A: 0 of %1 DOKs with a QSO (0 %)").arg(baden));
            // A district visited and left shows the same figures again.
            whenDialogShows([&](QDialog *district) {
                QTest::mouseClick(child<QPushButton>(*district, "BitBtn1"), Qt::LeftButton);
            });
            QTest::mouseClick(picture(overview), Qt::LeftButton, {}, pointOf(overview, QLatin1Char('A')));
            QCOMPARE(child<QAction>(overview, "ImaB")->statusTip(),
                     QStringLiteral("DOK district B: 3 of %1 DOKs with a QSO (%2 %)")
                         .arg(franken).arg(int(300.0 / franken + 0.5)));
        });
    }
};

QTEST_MAIN(OverviewWindowTest)
#include "tst_overviewwindow.moc"
