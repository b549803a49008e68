#include "datamodule.h"
#include "report.h"
#include "scorefixture.h"

#include <QtTest>

using report::Band;
using report::Element;
using report::Layout;
using report::Report;

namespace {

Element field(const QString &name, const TableView &view, const QString &column)
{
    Element element;
    element.name = name;
    element.content = Element::Content::Field;
    element.rect = QRectF(5, 1, 30, 4);
    element.bind(view, column);
    return element;
}

Element shown(const QString &name, Element::Content content, const QString &source = {})
{
    Element element;
    element.name = name;
    element.content = content;
    element.rect = QRectF(0, 0, 20, 4);
    element.source = source;
    return element;
}

} // namespace

class ReportTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ScoreFixture> data;

    // A report over LOG: a 20 mm header, 10 mm child, 30 mm title, 10 mm lines and a 17 mm footer,
    // so 25 lines fill the 250 mm between the margins and the footer under the child band alone.
    Report makeReport()
    {
        LogData &dm = data->dm();
        Report r;
        r.addBand("header", Band::Kind::PageHeader, 20).add(shown("headerText", Element::Content::Label, "Head"));
        r.addBand("child", Band::Kind::Child, 10).add(shown("childText", Element::Content::Label, "Columns"));
        r.addBand("title", Band::Kind::Title, 30).add(shown("titleText", Element::Content::Label, "Title"));
        Band &line = r.addBand("line", Band::Kind::Detail, 10);
        line.add(shown("number", Element::Content::DetailNumber));
        line.add(field("dok", dm.log, "dok"));
        Element rule;
        rule.name = "rule";
        rule.content = Element::Content::Line;
        rule.rect = QRectF(QPointF(0, 9), QPointF(100, 9));
        rule.penWidth = 0.5;
        line.add(rule);
        Band &footer = r.addBand("footer", Band::Kind::PageFooter, 17);
        footer.add(shown("page", Element::Content::PageNumber, "Page "));
        footer.add(shown("date", Element::Content::Date));
        r.setDataSet(&dm.log);
        r.setDate(QDate(2004, 3, 5));
        return r;
    }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        data = std::make_unique<ScoreFixture>();
        for (int i = 1; i <= 60; ++i)
            data->addQso(QStringLiteral("A%1").arg(i, 2, 10, QLatin1Char('0')), "14", "SSB");
        data->open();
    }
    void cleanup() { data.reset(); }

    void linesFillThePagesWholeAboveTheFooter()
    {
        Report r = makeReport();
        r.band("header").enabled = false;
        r.band("title").enabled = false;
        const Layout layout = r.layout();
        // 250 mm of body below the child band on each page: 25 lines, so 60 lines take 3 pages.
        QCOMPARE(int(layout.pages.size()), 3);
        const int expected[] = {25, 25, 10};
        int number = 0;
        for (int p = 0; p < 3; ++p) {
            const auto &page = layout.pages[size_t(p)];
            const auto lines = page.all("dok");
            QCOMPARE(int(lines.size()), expected[p]);
            for (const auto *dok : lines)
                QCOMPARE(dok->text, QStringLiteral("A%1").arg(++number, 2, 10, QLatin1Char('0')));
            QCOMPARE(page.all("number").back()->text, QString::number(number));
            QCOMPARE(page.find("childText")->rect.top(), 10.0);
            QCOMPARE(page.find("page")->text, "Page " + QString::number(p + 1));
            QCOMPARE(page.find("page")->rect.top(), 297.0 - 10 - 17);
            QCOMPARE(page.find("date")->text, QString("05.03.2004"));
            QVERIFY(page.all("rule").back()->rect.bottom() <= 297.0 - 10 - 17);
        }
        QCOMPARE(layout.pages[0].all("dok").front()->rect.topLeft(), QPointF(10 + 5, 10 + 10 + 1));
        QCOMPARE(layout.pages[0].find("rule")->kind, report::Placed::Kind::Line);
        QCOMPARE(layout.pages[0].find("rule")->penWidth, 0.5);
    }

    void theDateReadsTheSameInEveryLocale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("C") << QLocale::c();
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany);
        QTest::newRow("US English") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("Italian") << QLocale(QLocale::Italian, QLocale::Italy);
    }

    void theDateReadsTheSameInEveryLocale()
    {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        Report r = makeReport();
        QCOMPARE(r.layout().pages[0].find("date")->text, QString("05.03.2004"));
    }

    void hooksSwitchBandsPerPage()
    {
        Report r = makeReport();
        int beforePrintRuns = 0;
        QList<int> pagesStarted;
        r.beforePrint = [&] {
            ++beforePrintRuns;
            r.band("header").enabled = false;
        };
        r.startPage = [&](int page) {
            pagesStarted << page;
            r.band("header").enabled = page == 2;
            r.band("child").enabled = page != 1;
        };
        const Layout layout = r.layout();
        QCOMPARE(beforePrintRuns, 1);
        QCOMPARE(pagesStarted, QList<int>({1, 2, 3}));
        QVERIFY(!layout.pages[0].find("headerText"));
        QVERIFY(!layout.pages[0].find("childText"));
        QCOMPARE(layout.pages[0].find("titleText")->rect.top(), 10.0);
        QCOMPARE(int(layout.pages[0].all("dok").size()), 23); // 260 mm of body less the 30 mm title
        QCOMPARE(layout.pages[1].find("headerText")->rect.top(), 10.0);
        QCOMPARE(layout.pages[1].find("childText")->rect.top(), 30.0);
        QCOMPARE(int(layout.pages[1].all("dok").size()), 23);
        QVERIFY(!layout.pages[2].find("headerText"));
        QVERIFY(layout.pages[2].find("childText"));
        QVERIFY(!layout.pages[1].find("titleText"));
    }

    void emptyViewGivesOnePage()
    {
        data->db().execute("DELETE FROM LOG");
        data->open();
        Report r = makeReport();
        const Layout layout = r.layout();
        QCOMPARE(int(layout.pages.size()), 1);
        QVERIFY(layout.pages[0].find("headerText"));
        QVERIFY(layout.pages[0].find("titleText"));
        QVERIFY(!layout.pages[0].find("dok"));
        QCOMPARE(layout.pages[0].find("page")->text, QString("Page 1"));
    }

    void disabledElementsAndRebinding()
    {
        Report r = makeReport();
        data->dm().info.edit();
        data->dm().info.setText("CALL", "DK9XYZ");
        data->dm().info.post();
        r.band("title").add(field("owner", data->dm().log, "call"));
        r.band("title").element("titleText").enabled = false;
        r.band("title").element("owner").bind(data->dm().info, "CALL");
        const Layout layout = r.layout();
        QVERIFY(!layout.pages[0].find("titleText"));
        QCOMPARE(layout.pages[0].find("owner")->text, QString("DK9XYZ"));
    }
};

QTEST_MAIN(ReportTest)
#include "tst_report.moc"
