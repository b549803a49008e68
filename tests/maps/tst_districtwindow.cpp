// The district map windows TForm14 ... TForm37 on a copy of the delivered database.
#include "controls.h"
#include "districtcatalogue.h"
#include "districtpicture.h"
#include "districtwindow.h"
#include "geography.h"
#include "logbook.h"
#include "mappainter.h"
#include "mainwindow.h"
#include "statuscolours.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace maps;

namespace {

const QStringList resultLabels = [] {
    QStringList names;
    for (int i = 1; i <= 17; ++i)
        names << QStringLiteral("Label%1").arg(i);
    return names;
}();

// The first, second, ... DOK of a district as its map shows them.
QString dokOf(char district, int index)
{
    return Geography::delivered().district(QLatin1Char(district))->doks.at(size_t(index)).code;
}

QString qso(const QString &call, const QString &band, const QString &mode, const QString &dok)
{
    return QStringLiteral("INSERT INTO LOG (call, loc, data, banda, modo, dok, conf, mhz) "
                          "VALUES ('%1', 'KIEL', '2009-03-05', '%2', '%3', '%4', 'C', 14);")
        .arg(call, band, mode, dok);
}

} // namespace

class DistrictWindowTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Logbook> book;
    std::unique_ptr<DistrictWindow> window;

    void start(const QString &setupSql = {}) { book = std::make_unique<Logbook>(setupSql); }
    DistrictWindow &open(const QString &windowClass)
    {
        window = createDistrictWindow(windowClass, *book->dm, book->main.get());
        if (!window)
            qFatal("no district window %s", qPrintable(windowClass));
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("the district window was not shown");
        return *window;
    }
    QString text(const QString &label) { return child<QLabel>(*window, label)->text(); }
    QStringList results()
    {
        QStringList texts;
        for (const QString &label : resultLabels)
            texts << text(label);
        return texts;
    }
    void hoverDok(const QString &dok)
    {
        QWidget *area = child(*window, dok);
        hover(area, area->rect().center());
    }
    // A point of the map that lies on no DOK area.
    QPoint bareMapPoint()
    {
        QWidget *picture = child(*window, "Image1");
        for (int y = 2; y < picture->height(); y += 3) {
            for (int x = 2; x < picture->width(); x += 3) {
                if (!picture->childAt(x, y))
                    return {x, y};
            }
        }
        qFatal("the map has no bare place");
    }
    // The ordinary DOKs of a district on disk, in code order.
    QStringList doksOnDisk(const DistrictEntry &district)
    {
        QStringList codes;
        const QString lower = QString::fromLatin1(district.lowerBound);
        const QString where = (lower.isEmpty() ? QString() : QStringLiteral("DOK > '%1' AND ").arg(lower))
                              + QStringLiteral("DOK < '%1' AND SPEC IS NULL").arg(QLatin1String(district.upperBound));
        const int count = book->db.value(QStringLiteral("SELECT count(*) FROM DOK WHERE ") + where).toInt();
        for (int i = 0; i < count; ++i)
            codes << book->db.value(QStringLiteral("SELECT DOK FROM DOK WHERE %1 ORDER BY DOK LIMIT 1 OFFSET %2").arg(where).arg(i));
        return codes;
    }

private slots:
    void cleanup()
    {
        window.reset();
        book.reset();
    }

    void showSetsTheFilterAndTheTotal_data()
    {
        QTest::addColumn<QString>("windowClass");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("countSql");
        QTest::newRow("M") << "TForm14" << "dok>'M' and dok<'N' and spec=null" << "DOK M: Schleswig - Holstein"
                           << "SELECT count(*) FROM DOK WHERE DOK > 'M' AND DOK < 'N' AND SPEC IS NULL";
        QTest::newRow("A has no lower bound") << "TForm18" << "dok<'B' and spec=null" << "DOK A: Baden"
                                              << "SELECT count(*) FROM DOK WHERE DOK < 'B' AND SPEC IS NULL";
        QTest::newRow("I runs up to K") << "TForm24" << "dok>'I' and dok<'K' and spec=null" << "DOK I: Nordsee"
                                        << "SELECT count(*) FROM DOK WHERE DOK > 'I' AND DOK < 'K' AND SPEC IS NULL";
        QTest::newRow("V") << "TForm17" << "dok>'V' and dok<'W' and spec=null" << "DOK V: Mecklenburg - Vorpommern"
                           << "SELECT count(*) FROM DOK WHERE DOK > 'V' AND DOK < 'W' AND SPEC IS NULL";
    }
    void showSetsTheFilterAndTheTotal()
    {
        QFETCH(QString, windowClass);
        QFETCH(QString, filter);
        QFETCH(QString, caption);
        QFETCH(QString, countSql);
        start();
        book->dm->dok.setFiltered(true);
        open(windowClass);
        QCOMPARE(book->dm->dok.filter(), filter);
        const QString total = book->db.value(countSql);
        QVERIFY(total.toInt() > 5);
        QCOMPARE(window->windowTitle(), caption + " - Total " + total);
        QCOMPARE(book->dm->dok.recordCount(), total.toInt());
    }

    void aCountsEveryOrdinaryDokBeforeB()
    {
        // A special code sorting before "B" and one of district A stay out of the count.
        start(QStringLiteral("UPDATE DOK SET SPEC = 'S' WHERE DOK = '%1';").arg(dokOf('A', 0)));
        const QString total = book->db.value(QStringLiteral("SELECT count(*) FROM DOK WHERE DOK < 'B' AND SPEC IS NULL"));
        QVERIFY(book->db.value(QStringLiteral("SELECT count(*) FROM DOK WHERE DOK < 'B' AND SPEC IS NOT NULL")).toInt() > 1);
        book->dm->dok.setFiltered(true);
        open(QStringLiteral("TForm18"));
        QCOMPARE(window->windowTitle(), QStringLiteral("DOK A: Baden - Total ") + total);
    }

    void hoverShowsTheDokAndItsCallsByModeAndBand()
    {
        const QString dok = dokOf('M', 1);
        start(qso("DL1AAA", "14", "CW", dok) + qso("DL2BBB", "14", "CW", dok) + qso("DL3CCC", "7", "SSB", dokOf('M', 2)));
        book->dm->dok.setFiltered(true);
        open(QStringLiteral("TForm14"));
        QVERIFY(results().join(QString()).isEmpty());
        hoverDok(dok);
        QCOMPARE(text("Labeldok"), dok + "  -  Schleswig - Holstein");
        QStringList expected(17, QString());
        expected[1] = QStringLiteral("DL1AAA");  // CW
        expected[9] = QStringLiteral("DL1AAA");  // 20 m
        QCOMPARE(results(), expected);
    }

    void hoverFindsTheDokWhateverItsCase()
    {
        const QString dok = dokOf('M', 0);
        start(qso("DL1AAA", "3.5", "SSB", dok.toLower()));
        book->dm->dok.setFiltered(true);
        open(QStringLiteral("TForm14"));
        hoverDok(dok);
        QCOMPARE(text("Label1"), QStringLiteral("DL1AAA"));
        QCOMPARE(text("Label7"), QStringLiteral("DL1AAA"));
    }

    void specialOrMissingDokStillShowsTheLog_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("special") << "UPDATE DOK SET SPEC = 'S' WHERE DOK = '%1';";
        QTest::newRow("missing") << "DELETE FROM DOK WHERE DOK = '%1';";
    }
    void specialOrMissingDokStillShowsTheLog()
    {
        QFETCH(QString, change);
        const QString dok = dokOf('M', 3);
        start(change.arg(dok) + qso("DK4XYZ", "3.5", "SSB", dok) + qso("DK5XYZ", "144", "FM", dok));
        book->dm->dok.setFiltered(true);
        open(QStringLiteral("TForm14"));
        hoverDok(dok);
        QCOMPARE(text("Labeldok"), QString());
        QCOMPARE(text("Label1"), QStringLiteral("DK4XYZ"));
        QCOMPARE(text("Label7"), QStringLiteral("DK4XYZ"));
        QCOMPARE(text("Label4"), QStringLiteral("DK5XYZ"));
        QCOMPARE(text("Label16"), QStringLiteral("DK5XYZ"));
        QCOMPARE(text("Label2"), QString());
    }

    void bareMapClearsButGroupsAndButtonDoNot()
    {
        const QString dok = dokOf('M', 0);
        start(qso("DL1AAA", "14", "CW", dok));
        book->dm->dok.setFiltered(true);
        open(QStringLiteral("TForm14"));
        hoverDok(dok);
        QCOMPARE(text("Label2"), QStringLiteral("DL1AAA"));
        for (const char *name : {"GroupBox1", "GroupBox2", "BitBtn1"}) {
            QWidget *control = child(*window, name);
            hover(control, QPoint(4, 4));
            QCOMPARE(text("Label2"), QStringLiteral("DL1AAA"));
            QVERIFY(!text("Labeldok").isEmpty());
        }
        hover(child(*window, "Image1"), bareMapPoint());
        QCOMPARE(text("Labeldok"), QString());
        QVERIFY(results().join(QString()).isEmpty());
    }

    void closeLeavesTheFilterEmpty()
    {
        start();
        book->dm->dok.setFiltered(true);
        book->dm->dok.setFilter(QStringLiteral("dok>'X'"));
        open(QStringLiteral("TForm20"));
        QCOMPARE(book->dm->dok.filter(), QStringLiteral("dok>'C' and dok<'D' and spec=null"));
        // Escape does what Close does.
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        QCOMPARE(window->result(), int(QDialog::Accepted));
        QCOMPARE(book->dm->dok.filter(), QString());
        QVERIFY(book->dm->dok.isFiltered());
        QCOMPARE(book->dm->dok.recordCount(), book->db.value("SELECT count(*) FROM DOK").toInt());
    }

    void numbersShowTheirState()
    {
        const QString worked = dokOf('E', 0), accredited = dokOf('E', 1), none = dokOf('E', 2);
        start(QStringLiteral("UPDATE DOK SET CONF = 'C', T14 = 'C' WHERE DOK = '%1';"
                             "UPDATE DOK SET CONF = 'A', T7 = 'A' WHERE DOK = '%2';").arg(worked, accredited));
        book->dm->dok.setFiltered(true);
        open(QStringLiteral("TForm16"));
        const QImage picture = child(*window, "Image1")->grab().toImage();
        const auto groundOf = [&](const QString &dok) {
            return QColor(picture.pixel(child(*window, dok)->geometry().topLeft() + QPoint(3, 3)));
        };
        QCOMPARE(groundOf(worked), statuscolours::confirmed);
        QCOMPARE(groundOf(accredited), statuscolours::accredited);
        QCOMPARE(groundOf(none), QColor(Qt::white));
    }

    void everyDistrictWindowShowsItsShapeAndAreas_data()
    {
        QTest::addColumn<QString>("windowClass");
        for (const DistrictEntry &district : districtCatalogue())
            QTest::newRow(district.windowClass) << QString::fromLatin1(district.windowClass);
    }
    void everyDistrictWindowShowsItsShapeAndAreas()
    {
        QFETCH(QString, windowClass);
        start();
        book->dm->dok.setFiltered(true);
        open(windowClass);
        const DistrictEntry &district = *districtByWindowClass(windowClass);
        const DistrictShape &shape = *Geography::delivered().district(district.letter);
        QCOMPARE(window->objectName(), windowClass);
        QVERIFY(window->windowTitle().startsWith(QString::fromLatin1(district.caption) + " - Total "));

        QWidget *picture = child(*window, "Image1");
        QCOMPARE(picture->size(), shape.picture);
        const QList<DokAreaWidget *> areas = picture->findChildren<DokAreaWidget *>();
        QStringList names;
        for (int i = 0; i < areas.size(); ++i) {
            names << areas[i]->objectName();
            const QRect rect = areas[i]->geometry();
            QVERIFY(rect.width() >= 8 && rect.width() <= 25 && rect.height() >= 8 && rect.height() <= 25);
            for (int j = 0; j < i; ++j)
                QVERIFY2(!rect.intersects(areas[j]->geometry()), qPrintable(names[i] + " " + areas[j]->objectName()));
        }
        names.sort();
        QCOMPARE(names, doksOnDisk(district));
        QCOMPARE(window->windowTitle(), QString::fromLatin1(district.caption) + " - Total " + QString::number(names.size()));

        // The district's shape fills a good part of its picture in the land colour.
        const QImage image = picture->grab().toImage();
        int land = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                land += QColor(image.pixel(x, y)) == painter::land;
        }
        QVERIFY2(land > image.width() * image.height() / 10, qPrintable(QString::number(land)));
        // Every control lies inside the window.
        for (const char *name : {"Image1", "Labeldok", "GroupBox1", "GroupBox2", "BitBtn1"})
            QVERIFY(window->rect().contains(child(*window, name)->geometry()));
    }
};

QTEST_MAIN(DistrictWindowTest)
#include "tst_districtwindow.moc"
