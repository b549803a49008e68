// The generated geography, the overview's hit test, the district catalogue and its filters.
#include "districtcatalogue.h"
#include "geography.h"
#include "overviewhittest.h"

#include <QtTest>

using namespace maps;

class GeographyTest : public QObject
{
    Q_OBJECT

private:
    const Geography &geography = Geography::delivered();
    const QSizeF overviewSize{481, 555};

private slots:
    void everyDistrictHasAShape()
    {
        QCOMPARE(geography.districts().size(), size_t(24));
        for (const DistrictEntry &entry : districtCatalogue()) {
            const DistrictShape *district = geography.district(entry.letter);
            QVERIFY2(district, qPrintable(QString(entry.letter)));
            QVERIFY(!district->rings.isEmpty());
            QVERIFY(district->outline.contains(district->label));
            QVERIFY(!district->picture.isEmpty());
        }
        QVERIFY(!geography.district(QLatin1Char('J')));
        QVERIFY(!geography.district(QLatin1Char('Z')));
    }

    void districtsDoNotOverlap()
    {
        // Each district's letter stands in its own district and in no other.
        for (const DistrictShape &district : geography.districts()) {
            for (const DistrictShape &other : geography.districts()) {
                if (other.letter != district.letter)
                    QVERIFY2(!other.outline.contains(district.label), qPrintable(QString(district.letter) + other.letter));
            }
        }
    }

    void hitTestFindsTheTownsDistrict_data()
    {
        QTest::addColumn<QChar>("district");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        const struct { char letter; const char *town; double lat, lon; } towns[] = {
            {'A', "Offenburg", 48.47, 7.94}, {'B', "Nuremberg", 49.45, 11.08}, {'C', "Munich", 48.14, 11.58},
            {'D', "Berlin", 52.52, 13.40}, {'E', "Hamburg", 53.55, 10.00}, {'F', "Giessen", 50.58, 8.68},
            {'G', "Cologne", 50.94, 6.96}, {'H', "Hanover", 52.37, 9.73}, {'I', "Oldenburg", 53.14, 8.21},
            {'K', "Kaiserslautern", 49.44, 7.77}, {'L', "Bochum", 51.48, 7.22}, {'M', "Neumuenster", 54.07, 9.98},
            {'N', "Muenster", 51.96, 7.63}, {'O', "Arnsberg", 51.40, 8.06}, {'P', "Stuttgart", 48.78, 9.18},
            {'Q', "Neunkirchen", 49.35, 7.18}, {'R', "Moenchengladbach", 51.19, 6.44}, {'S', "Chemnitz", 50.83, 12.92},
            {'T', "Augsburg", 48.37, 10.90}, {'U', "Regensburg", 49.01, 12.10}, {'V', "Guestrow", 53.79, 12.18},
            {'W', "Magdeburg", 52.13, 11.63}, {'X', "Erfurt", 50.98, 11.03}, {'Y', "Brandenburg an der Havel", 52.41, 12.53},
        };
        for (const auto &town : towns)
            QTest::newRow(town.town) << QChar(QLatin1Char(town.letter)) << town.lat << town.lon;
    }
    void hitTestFindsTheTownsDistrict()
    {
        QFETCH(QChar, district);
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        for (const QSizeF canvas : {overviewSize, QSizeF(962, 1110), QSizeF(700, 555)}) {
            const OverviewHitTest hitTest(geography, canvas);
            const QPointF point = hitTest.transform().map(geography.project(latitude, longitude));
            QCOMPARE(hitTest.districtAt(point), district);
        }
    }

    void hitTestFindsNothingOutsideTheCountry()
    {
        const OverviewHitTest hitTest(geography, overviewSize);
        const std::pair<double, double> abroad[] = {{52.37, 4.90}, {48.86, 2.35}, {50.08, 14.44}, {47.38, 8.54},
                                                    {55.68, 12.57}, {53.90, 6.50}};
        for (const auto &[latitude, longitude] : abroad)
            QCOMPARE(hitTest.districtAt(hitTest.transform().map(geography.project(latitude, longitude))), QChar());
        QCOMPARE(hitTest.districtAt(QPointF(478, 4)), QChar());
        QCOMPARE(hitTest.districtAt(QPointF(-5, 300)), QChar());
    }

    void berlinsInsetOpensBerlin()
    {
        const OverviewHitTest hitTest(geography, overviewSize);
        QCOMPARE(geography.insets().size(), size_t(1));
        const QRectF frame = hitTest.insetFrame(geography.insets().front());
        QVERIFY(frame.left() < 60 && frame.top() < 40);
        QCOMPARE(hitTest.districtAt(frame.center()), QChar(QLatin1Char('D')));
        QCOMPARE(hitTest.districtAt(frame.topLeft() + QPointF(1, 1)), QChar(QLatin1Char('D')));
        QCOMPARE(hitTest.districtAt(frame.bottomRight() + QPointF(3, 3)), QChar());
    }

    void dokAreasFitTheirDistrict()
    {
        for (const DistrictShape &district : geography.districts()) {
            const QString name(district.letter);
            QVERIFY2(!district.doks.empty(), qPrintable(name));
            const QPainterPath inPicture = district.toPicture().map(district.outline);
            QStringList codes;
            for (size_t i = 0; i < district.doks.size(); ++i) {
                const DokArea &area = district.doks[i];
                codes << area.code;
                QVERIFY2(area.code.startsWith(district.letter), qPrintable(area.code));
                QVERIFY2(area.rect.width() >= 8 && area.rect.width() <= 25 && area.rect.height() == area.rect.width(),
                         qPrintable(area.code));
                QVERIFY2(QRect(QPoint(0, 0), district.picture).contains(area.rect), qPrintable(area.code));
                QVERIFY2(inPicture.contains(QRectF(area.rect).center()), qPrintable(area.code));
                for (size_t j = 0; j < i; ++j)
                    QVERIFY2(!area.rect.intersects(district.doks[j].rect), qPrintable(area.code + district.doks[j].code));
            }
            QStringList sorted = codes;
            sorted.sort();
            QCOMPARE(codes, sorted);
        }
    }

    void districtFilters_data()
    {
        QTest::addColumn<QChar>("district");
        QTest::addColumn<QString>("filter");
        QTest::newRow("M") << QChar(QLatin1Char('M')) << "dok>'M' and dok<'N' and spec=null";
        QTest::newRow("A has no lower bound") << QChar(QLatin1Char('A')) << "dok<'B' and spec=null";
        QTest::newRow("I runs up to K") << QChar(QLatin1Char('I')) << "dok>'I' and dok<'K' and spec=null";
        QTest::newRow("Y runs up to Z") << QChar(QLatin1Char('Y')) << "dok>'Y' and dok<'Z' and spec=null";
    }
    void districtFilters()
    {
        QFETCH(QChar, district);
        QFETCH(QString, filter);
        QCOMPARE(districtDokFilter(*districtByLetter(district)), filter);
    }

    void catalogueNamesEveryWindowOnce()
    {
        QSet<QString> classes;
        for (const DistrictEntry &entry : districtCatalogue()) {
            classes << QString::fromLatin1(entry.windowClass);
            QCOMPARE(districtByWindowClass(QString::fromLatin1(entry.windowClass)), &entry);
        }
        QCOMPARE(classes.size(), 24);
        for (int number = 14; number <= 37; ++number)
            QVERIFY(classes.contains(QStringLiteral("TForm%1").arg(number)));
        QVERIFY(!districtByWindowClass(QStringLiteral("TForm13")));
    }

    void malformedDataNamesItsLine()
    {
        QString text = QStringLiteral("projection 51 10 110 70\ndistrict A\nring 1,2 3\n");
        QTextStream in(&text);
        try {
            Geography::parse(in);
            QFAIL("a malformed ring was accepted");
        } catch (const std::runtime_error &error) {
            QVERIFY2(QString::fromUtf8(error.what()).contains(QLatin1String("line 3")), error.what());
        }
    }
};

QTEST_MAIN(GeographyTest)
#include "tst_geography.moc"
