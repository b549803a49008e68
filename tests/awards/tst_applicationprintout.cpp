#include "applicationprintout.h"
#include "awardfixture.h"
#include "awardwindow.h"
#include "controls.h"
#include "datamodule.h"
#include "engineerror.h"
#include "textfit.h"

#include <QPushButton>
#include <QtTest>

using report::Layout;
using report::Page;
using report::Placed;

namespace {

constexpr double margin = 10;
constexpr double footerTop = 297 - 10 - 8.2;

QString textOf(const Page &page, const QString &name)
{
    const Placed *element = page.find(name);
    return element ? element->text : QStringLiteral("<missing %1>").arg(name);
}

QStringList levelMarks(const Page &page, int row)
{
    QStringList names;
    for (const Placed &element : page.elements) {
        if (element.name.startsWith(QStringLiteral("WZP_%1_").arg(row)))
            names << element.name;
    }
    return names;
}

// The rectangle of a line is its two ends; it may be flat.
bool within(const QRectF &outer, const QRectF &inner)
{
    const QRectF r = inner.normalized();
    return r.left() >= outer.left() - 1e-9 && r.right() <= outer.right() + 1e-9 && r.top() >= outer.top() - 1e-9
        && r.bottom() <= outer.bottom() + 1e-9;
}

QString describe(const QRectF &r)
{
    return QStringLiteral("(%1, %2)-(%3, %4)").arg(r.left()).arg(r.top()).arg(r.right()).arg(r.bottom());
}

// The text stands whole in its rectangle: on one line no wider than it, or wrapped at a size
// that is still legible.
void checkFits(const Placed &text)
{
    if (text.wrapped)
        QVERIFY2(text.font.pointSize >= 5, qPrintable(text.name));
    else
        QVERIFY2(report::textWidth(text.text, text.font) <= text.rect.width() + 1e-9,
                 qPrintable(QStringLiteral("%1: \"%2\" is %3 mm wide in %4 mm").arg(text.name, text.text)
                                .arg(report::textWidth(text.text, text.font)).arg(text.rect.width())));
}

bool isFooter(const QString &name)
{
    return name == "QRLabel2" || name == "QRSysData2" || name == "datahead";
}

} // namespace

class ApplicationPrintoutTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AwardFixture> f;

    // The three awards of a typical application; the counters differ per row.
    void prepareThree()
    {
        f->setMark(200, "14", "To claim");
        f->setMark(100, "1", "To claim");
        f->setMark(300, "CW", "To claim");
        f->setCounter("AT14", 40);
        f->setCounter("CT14", 150);
        f->setCounter("AT1", 3);
        f->setCounter("CT1", 105);
        f->setCounter("ACW", 0);
        f->setCounter("CCW", 301);
        f->addRows("LOG14", 3);
        f->openWindow();
        f->clickCell(200, "14");
        f->clickCell(100, "1.8");
        f->clickCell(300, "CW");
        prepare();
    }
    void prepare()
    {
        f->services.prompter.answer(false);
        child<QPushButton>(f->window(), "Butprep")->click();
    }
    const Layout &printout(int index) { return f->printouts.at(size_t(index)).layout; }

private slots:
    void init() { f = std::make_unique<AwardFixture>(); }
    void cleanup() { f.reset(); }

    void onlyTheFirstPrintoutHasTheForm()
    {
        prepareThree();
        QCOMPARE(int(f->printouts.size()), 3);
        QCOMPARE(countOnPages(printout(0), "QRImage1"), 1);
        QVERIFY(printout(0).pages[0].find("QRImage1"));
        QCOMPARE(countOnPages(printout(1), "QRImage1"), 0);
        QCOMPARE(countOnPages(printout(2), "QRImage1"), 0);
        // The form fills its page: the list begins on page 2.
        QCOMPARE(int(printout(0).pages.size()), 2);
        QVERIFY(!printout(0).pages[0].find("QRImage2"));
        QVERIFY(!printout(0).pages[0].find("QRImage4"));
        QVERIFY(!printout(0).pages[0].find("nrec"));
        QVERIFY(printout(0).pages[1].find("QRImage2"));
        QVERIFY(printout(0).pages[1].find("QRImage4"));
        for (int index : {1, 2}) {
            QCOMPARE(int(printout(index).pages.size()), 1);
            QVERIFY(printout(index).pages[0].find("QRImage2"));
            QVERIFY(printout(index).pages[0].find("QRImage4"));
        }
    }

    void formShowsTheApplicantAndTheAwardRows()
    {
        prepareThree();
        const Page &form = printout(0).pages[0];
        QCOMPARE(textOf(form, "tipo"), QString("WZP_200_100_300"));
        QCOMPARE(textOf(form, "QR0"), QString("14 MHz"));
        QCOMPARE(textOf(form, "QR1"), QString("1.8 MHz"));
        QCOMPARE(textOf(form, "QR2"), QString("CW"));
        QCOMPARE(levelMarks(form, 0), QStringList{"WZP_0_200"});
        QCOMPARE(levelMarks(form, 1), QStringList{"WZP_1_100"});
        QCOMPARE(levelMarks(form, 2), QStringList{"WZP_2_300"});
        QCOMPARE(textOf(form, "WZP_0_200"), QString("X"));
        const QStringList counters[] = {{"40", "150", "190"}, {"3", "105", "108"}, {"0", "301", "301"}};
        for (int row = 0; row < 3; ++row) {
            const QString r = QString::number(row);
            QCOMPARE(QStringList({textOf(form, "olddok_" + r), textOf(form, "newdok_" + r), textOf(form, "totdok_" + r)}),
                     counters[row]);
        }
        for (const QString r : {"3", "4"}) {
            for (const QString name : {"QR", "olddok_", "newdok_", "totdok_"})
                QVERIFY2(!form.find(name + r), qPrintable(name + r));
            QVERIFY(levelMarks(form, r.toInt()).isEmpty());
        }
        QCOMPARE(textOf(form, "QRDBText1"), QString("DK9XYZ"));
        QCOMPARE(textOf(form, "QRDBText4"), QString("DK9XYZ"));
        QCOMPARE(textOf(form, "QRDBText3"), QString("DK9XYZ"));
        QCOMPARE(textOf(form, "QRDBText9") + " " + textOf(form, "QRDBText5"), QString("Hans Meier"));
        QCOMPARE(textOf(form, "QRDBText6"), QString("Hauptstrasse 5"));
        QCOMPARE(textOf(form, "QRDBText8") + " " + textOf(form, "QRDBText7"), QString("53111 Bonn"));
        QCOMPARE(textOf(form, "QRDBText12"), QString("NRW"));
        QCOMPARE(textOf(form, "QRDBText11"), QString("Germany"));
        QCOMPARE(textOf(form, "QRLabel1") + textOf(form, "QRDBText10"), QString("e-mail:dk9xyz@example.org"));
        QCOMPARE(textOf(form, "QRSysData1"), QString("09.12.2026"));
        QCOMPARE(textOf(form, "datahead"), QString("Page 1"));
    }

    void elementsStandAtTheirPlaces_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("pointSize");
        QTest::addColumn<bool>("bold");
        // page 0: the form band starts at the top margin; page 1: the list header does.
        QTest::newRow("form picture") << 0 << "QRImage1" << 0.3 << 1.3 << 0.0 << false;
        QTest::newRow("applicant's callsign") << 0 << "QRDBText1" << 113.2 << 68.3 << 18.0 << true;
        QTest::newRow("address callsign") << 0 << "QRDBText4" << 16.9 << 44.5 << 12.0 << true;
        QTest::newRow("date of application") << 0 << "QRSysData1" << 151.3 << 45.0 << 12.0 << true;
        QTest::newRow("signature callsign") << 0 << "QRDBText3" << 161.9 << 233.4 << 13.0 << false;
        QTest::newRow("awards applied for") << 0 << "tipo" << 86.8 << 113.2 << 10.0 << false;
        QTest::newRow("row 0 band") << 0 << "QR0" << 13.8 << 136.5 << 12.0 << true;
        QTest::newRow("row 1 level mark") << 0 << "WZP_1_100" << 36.0 << 145.0 << 12.0 << true;
        QTest::newRow("row 2 level mark") << 0 << "WZP_2_300" << 50.3 << 152.7 << 12.0 << true;
        QTest::newRow("row 0 accredited") << 0 << "olddok_0" << 112.4 << 136.5 << 10.0 << true;
        QTest::newRow("row 1 confirmed") << 0 << "newdok_1" << 140.0 << 144.5 << 10.0 << true;
        QTest::newRow("row 2 total") << 0 << "totdok_2" << 161.1 << 152.7 << 10.0 << true;
        QTest::newRow("list header picture") << 1 << "QRImage2" << 8.5 << -2.1 << 0.0 << false;
        QTest::newRow("application type") << 1 << "Appl" << 67.7 << 40.2 << 10.0 << false;
        QTest::newRow("list callsign") << 1 << "QRDBText17" << 128.1 << 54.5 << 12.0 << false;
        QTest::newRow("country") << 1 << "QRDBText18" << 169.3 << 70.4 << 10.0 << false;
        QTest::newRow("list date") << 1 << "QRSysData3" << 155.6 << 80.7 << 10.0 << false;
        QTest::newRow("column strip") << 1 << "QRImage4" << 16.4 << 100.5 + 3.2 << 0.0 << false;
    }

    void elementsStandAtTheirPlaces()
    {
        QFETCH(int, page);
        QFETCH(QString, name);
        QFETCH(double, left);
        QFETCH(double, top);
        QFETCH(double, pointSize);
        QFETCH(bool, bold);
        prepareThree();
        const Placed *element = printout(0).pages[size_t(page)].find(name);
        QVERIFY(element);
        QCOMPARE(element->rect.left(), margin + left);
        QCOMPARE(element->rect.top(), margin + top);
        if (pointSize > 0) {
            QCOMPARE(element->font.pointSize, pointSize);
            QCOMPARE(element->font.bold, bold);
            QCOMPARE(element->font.family, QString("Liberation Sans"));
        }
    }

    void picturesHaveTheirSizes()
    {
        prepareThree();
        const QSizeF form = printout(0).pages[0].find("QRImage1")->rect.size();
        const QSizeF header = printout(0).pages[1].find("QRImage2")->rect.size();
        const QSizeF strip = printout(0).pages[1].find("QRImage4")->rect.size();
        QCOMPARE(form, QSizeF(187.6, 255.3));
        // The list header reaches to the right-hand margin.
        QCOMPARE(header, QSizeF(190 - 8.5, 97.9));
        QCOMPARE(strip, QSizeF(163.8, 5.6));
        // The form is 709 x 965 pixels at 96 dpi, the header 370 pixels high, the strip 619 x 21.
        QCOMPARE(qRound(form.width() / 25.4 * 96), 709);
        QCOMPARE(qRound(form.height() / 25.4 * 96), 965);
        QCOMPARE(qRound(header.height() / 25.4 * 96), 370);
        QCOMPARE(qRound(strip.width() / 25.4 * 96), 619);
        QCOMPARE(qRound(strip.height() / 25.4 * 96), 21);
    }

    void dataLandsInsideItsPicture()
    {
        prepareThree();
        const Page &form = printout(0).pages[0];
        const QRectF formPicture = form.find("QRImage1")->rect;
        for (const Placed &element : form.elements) {
            if (element.kind == Placed::Kind::Text && !element.name.startsWith("QRLabel2") && element.name != "QRSysData2"
                && element.name != "datahead")
                QVERIFY2(formPicture.contains(element.rect), qPrintable(element.name));
        }
        const Page &list = printout(1).pages[0];
        const QRectF headerPicture = list.find("QRImage2")->rect;
        for (const QString name : {"Appl", "QRDBText2", "QRDBText13", "QRDBText17", "QRDBText14", "QRDBText15",
                                   "QRDBText16", "QRDBText18", "QRSysData3"})
            QVERIFY2(headerPicture.contains(list.find(name)->rect), qPrintable(name));
    }

    void boxesStandInsideTheirFrames_data()
    {
        QTest::addColumn<double>("width");
        QTest::newRow("narrower") << 170.0;
        QTest::newRow("as printed") << 181.5;
    }

    void boxesStandInsideTheirFrames()
    {
        QFETCH(double, width);
        const ApplicationFormLayout form(QSizeF(width, 255.3));
        QVERIFY(within(QRectF(QPointF(), form.size), form.outerFrame));
        QVERIFY(within(form.outerFrame, form.frame));
        for (const QRectF &box : form.boxes())
            QVERIFY2(within(form.frame.adjusted(1, 1, -1, -1), box), qPrintable(describe(box)));
        const ListHeaderLayout header(QSizeF(width, 97.9));
        QVERIFY(within(QRectF(QPointF(), header.size), header.frame));
        for (const QRectF &box : header.boxes())
            QVERIFY2(within(header.frame.adjusted(1, 1, -1, -1), box), qPrintable(describe(box)));
        const ColumnStripLayout strip;
        QVERIFY(within(QRectF(QPointF(), strip.size), strip.frame));
        for (double divider : ColumnStripLayout::dividers)
            QVERIFY(divider > strip.frame.left() && divider < strip.frame.right());
    }

    void nothingCrossesTheFrame_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("dok");
        QTest::newRow("ordinary data") << QString() << "A0001";
        QTest::newRow("long data") << "CALL='DL/PA1ABCD/P', NOME='Hans-Joachim', COGN='Meier-Lüdenscheidt', "
                                      "INDIR='Am Alten Güterbahnhof 125', CITTA='Mönchengladbach-Rheydt', ZIP='41236', "
                                      "PROV='Nordrhein-Westfalen', stato='FED. REP. OF GERMANY', "
                                      "EMAIL='hans-joachim.meier-luedenscheidt@example.org'"
                                   << "HSC70";
    }

    void nothingCrossesTheFrame()
    {
        QFETCH(QString, user);
        QFETCH(QString, dok);
        if (!user.isEmpty())
            f->data.db().execute("UPDATE INFO SET " + user);
        f->setMark(500, "14", "To claim");
        f->setMark(1000, "CW", "To claim");
        f->setMark(1000, "RTTY", "To claim");
        f->setMark(1000, "SSB", "To claim");
        f->setMark(1000, "1", "To claim");
        f->setCounter("AT14", 12345);
        f->setCounter("CT14", 67890);
        f->addRows("LOG14", 3);
        f->data.db().execute("UPDATE LOG14 SET dok='" + dok + "', call='DL/PA1ABCD/P', data='5/03/2004' WHERE dok='A0001'");
        f->openWindow();
        f->clickCell(500, "14");
        f->clickCell(1000, "1.8");
        f->clickCell(1000, "CW");
        f->clickCell(1000, "TTY");
        f->clickCell(1000, "SSB");
        prepare();
        QCOMPARE(int(f->printouts.size()), 5);

        const Page &page1 = printout(0).pages[0];
        const QRectF paper(QPointF(margin, margin), QPointF(210 - margin, 297 - margin));
        const QRectF frame = page1.find("QRImage1/frame")->rect;
        QVERIFY(within(paper, page1.find("QRImage1/outerFrame")->rect));
        for (const Placed &element : page1.elements) {
            if (isFooter(element.name) || element.name.endsWith("Frame") || element.name.endsWith("/frame")
                || element.kind == Placed::Kind::Area)
                continue;
            QVERIFY2(within(frame, element.rect), qPrintable(element.name + " " + describe(element.rect)));
            if (element.kind == Placed::Kind::Text)
                checkFits(element);
        }
        // The applicant's data stands whole in its boxes.
        const std::pair<const char *, const char *> inBox[] = {
            {"QRDBText1", "callsignBox"}, {"QRDBText4", "addressBox"},  {"QRDBText5", "addressBox"},
            {"QRDBText7", "addressBox"},  {"QRDBText11", "addressBox"}, {"QRDBText10", "addressBox"},
            {"QRSysData1", "dateBox"},    {"tipo", "awardsBox"},        {"totdok_0", "levelTable"},
            {"QRDBText3", "signatureBox"}};
        for (const auto &[name, box] : inBox) {
            const Placed *element = page1.find(name);
            QVERIFY2(element, name);
            QVERIFY2(within(page1.find(QStringLiteral("QRImage1/") + box)->rect, element->rect), name);
        }
        if (!user.isEmpty()) {
            QCOMPARE(textOf(page1, "QRDBText11"), QString("FED. REP. OF GERMANY"));
            QCOMPARE(textOf(page1, "QRDBText1"), QString("DL/PA1ABCD/P"));
        }
        QCOMPARE(textOf(page1, "totdok_0"), QString("80235"));

        // The list: the header's data in its boxes, every line's texts between their rulings.
        const Page &list = printout(0).pages[1];
        const QRectF headerFrame = list.find("QRImage2/frame")->rect;
        QVERIFY(within(paper, headerFrame));
        for (const Placed &element : list.elements) {
            if (element.name.startsWith("QRImage2/") && !element.name.endsWith("/frame"))
                QVERIFY2(within(headerFrame, element.rect), qPrintable(element.name));
            if (element.kind == Placed::Kind::Text)
                checkFits(element);
        }
        for (const char *name : {"QRDBText13", "QRDBText17", "QRDBText14", "QRDBText18"})
            QVERIFY2(within(list.find("QRImage2/applicantBox")->rect, list.find(name)->rect), name);
        QVERIFY(within(list.find("QRImage2/dateBox")->rect, list.find("QRSysData3")->rect));
        QVERIFY(within(list.find("QRImage2/applicationBox")->rect, list.find("Appl")->rect));
        if (!user.isEmpty())
            QCOMPARE(textOf(list, "QRDBText18"), QString("FED. REP. OF GERMANY"));
        QStringList doks;
        for (const Placed *text : list.all("dok"))
            doks << text->text;
        QVERIFY2(doks.contains(dok), qPrintable(doks.join(' ')));
        for (const Placed *date : list.all("data"))
            QCOMPARE(date->text, QString("05.03.2004"));
        const QRectF strip = list.find("QRImage4/frame")->rect;
        std::vector<double> rulings;
        for (const Placed &element : list.elements) {
            if (element.kind == Placed::Kind::Line && element.name.startsWith("QRShape") && element.rect.width() == 0
                && element.rect.top() > strip.bottom() && element.rect.top() < strip.bottom() + 5.3)
                rulings.push_back(element.rect.left());
        }
        rulings.push_back(strip.right());
        std::sort(rulings.begin(), rulings.end());
        QCOMPARE(int(rulings.size()), 7);
        const char *columns[] = {"call", "dok", "data", "modo", "banda", "loc"};
        for (int i = 0; i < 6; ++i) {
            const Placed *text = list.find(columns[i]);
            QVERIFY2(text->rect.left() > rulings[size_t(i)] && text->rect.right() < rulings[size_t(i) + 1], columns[i]);
        }
        QCOMPARE(list.find("data")->font.pointSize, 10.0);
        QCOMPARE(list.find("modo")->font.pointSize, 10.0);
    }

    void qsoLinesShowTheConfirmedRowsOfTheView()
    {
        f->setMark(200, "14", "To claim");
        f->addRows("LOG14", 2, "C", true, 1);           // special DOKs come last
        f->addRows("LOG14", 3, "C", false, 10);
        f->addRows("LOG14", 2, "A", false, 20);         // accredited rows are not listed
        f->data.db().execute("UPDATE LOG14 SET modo='CW', data='07/11/2005' WHERE dok='A0011'");
        f->openWindow();
        f->clickCell(200, "14");
        prepare();
        const Page &list = printout(0).pages[1];
        QStringList lines;
        const auto numbers = list.all("nrec");
        const auto calls = list.all("call");
        const auto doks = list.all("dok");
        const auto dates = list.all("data");
        const auto modes = list.all("modo");
        const auto bands = list.all("banda");
        const auto remarks = list.all("loc");
        for (size_t i = 0; i < numbers.size(); ++i) {
            lines << QStringList{numbers[i]->text, calls[i]->text, doks[i]->text, dates[i]->text,
                                 modes[i]->text, bands[i]->text, remarks[i]->text}.join(' ');
        }
        QCOMPARE(lines, QStringList({"1 DL10AB A0010 05.03.2004 SSB 14 QTH 10",
                                     "2 DL11AB A0011 07.11.2005 CW 14 QTH 11",
                                     "3 DL12AB A0012 05.03.2004 SSB 14 QTH 12",
                                     "4 DL1AB S0001 05.03.2004 SSB 14 QTH 1",
                                     "5 DL2AB S0002 05.03.2004 SSB 14 QTH 2"}));
        // The date in the size of the other columns.
        QCOMPARE(dates[0]->font.pointSize, calls[0]->font.pointSize);
        QCOMPARE(calls[0]->rect.left(), margin + 27.5);
        // Each line is ruled: six vertical lines and one horizontal.
        int rulings = 0;
        for (const Placed &element : list.elements)
            rulings += element.kind == Placed::Kind::Line && element.name.startsWith("QRShape");
        QCOMPARE(rulings, 5 * 7);
    }

    void longListRepeatsTheStripAndKeepsLinesOffTheFooter_data()
    {
        QTest::addColumn<bool>("first");
        QTest::newRow("first entry") << true;
        QTest::newRow("later entry") << false;
    }

    void longListRepeatsTheStripAndKeepsLinesOffTheFooter()
    {
        QFETCH(bool, first);
        f->setMark(100, "7", "To claim");
        f->setMark(200, "14", "To claim");
        f->addRows("LOG14", 200);
        f->openWindow();
        if (!first)
            f->clickCell(100, "7");
        f->clickCell(200, "14");
        prepare();
        const Layout &list = f->printouts.back().layout;
        const size_t firstListPage = first ? 1 : 0;
        QVERIFY(list.pages.size() >= firstListPage + 3);
        QCOMPARE(countOnPages(list, "QRImage2"), 1);
        QVERIFY(list.pages[firstListPage].find("QRImage2"));
        QCOMPARE(countOnPages(list, "QRImage4"), int(list.pages.size() - firstListPage));
        int expectedNumber = 0;
        for (size_t p = 0; p < list.pages.size(); ++p) {
            const Page &page = list.pages[p];
            QCOMPARE(textOf(page, "datahead"), "Page " + QString::number(p + 1));
            QCOMPARE(page.find("datahead")->rect.top(), footerTop + 2.0);
            QCOMPARE(textOf(page, "QRLabel2") + textOf(page, "QRSysData2"), QString("Printed on 09.12.2026"));
            if (p < firstListPage)
                continue;
            QVERIFY(page.find("QRImage4"));
            const auto numbers = page.all("nrec");
            QVERIFY(!numbers.empty());
            for (const Placed *number : numbers)
                QCOMPARE(number->text, QString::number(++expectedNumber));
            // Every element of a line, rulings included, stays above the footer.
            for (const Placed &element : page.elements) {
                if (element.name != "QRLabel2" && element.name != "QRSysData2" && element.name != "datahead")
                    QVERIFY2(element.rect.bottom() <= footerTop + 1e-9, qPrintable(element.name));
            }
            // A page below the strip holds as many lines as fit whole above the footer.
            const double linesTop = page.find("QRImage4")->rect.top() - 3.2 + 8.7;
            if (p + 1 < list.pages.size())
                QCOMPARE(int(numbers.size()), int((footerTop - linesTop) / 5.3 + 1e-9));
        }
        QCOMPARE(expectedNumber, 200);
    }

    void pageTwoOfEveryPrintout()
    {
        f->setMark(200, "14", "To claim");
        f->setMark(300, "SSB", "To claim");
        f->addRows("LOG14", 60);
        f->addRows("LOGSSB", 60);
        f->openWindow();
        f->clickCell(200, "14");
        f->clickCell(300, "SSB");
        prepare();
        for (const auto &printout : f->printouts) {
            QVERIFY(printout.layout.pages.size() >= 2);
            QCOMPARE(textOf(printout.layout.pages[1], "datahead"), QString("Page 2"));
        }
    }

    void viewWithoutConfirmedQsosStillPrints()
    {
        f->setMark(100, "FM", "To claim");
        f->setMark(100, "PSK", "To claim");
        f->addRows("LOGPSK", 4, "A");
        f->openWindow();
        f->clickCell(100, "FM");
        f->clickCell(100, "PSK");
        prepare();
        QCOMPARE(int(f->printouts.size()), 2);
        const Layout &first = printout(0);
        QCOMPARE(int(first.pages.size()), 1);
        QVERIFY(first.pages[0].find("QRImage1"));
        QVERIFY(first.pages[0].find("datahead"));
        const Layout &second = printout(1);
        QCOMPARE(int(second.pages.size()), 1);
        QVERIFY(second.pages[0].find("QRImage2"));
        QVERIFY(second.pages[0].find("QRImage4"));
        QCOMPARE(textOf(second.pages[0], "datahead"), QString("Page 1"));
        QVERIFY(!second.pages[0].find("nrec"));
        QCOMPARE(textOf(second.pages[0], "Appl"), QString("New Application"));
    }

    void counterMissingFromRiepStopsThePrintout()
    {
        f->setMark(100, "14", "To claim");
        f->openWindow();
        f->clickCell(100, "14");
        f->data.dm().riep.close();
        f->data.db().execute("ALTER TABLE RIEP DROP COLUMN AT14");
        f->data.dm().riep.open();
        prepare();
        QVERIFY(f->printouts.empty());
        QCOMPARE(f->services.prompter.errors.size(), 1);
        QVERIFY2(f->services.prompter.errors[0].contains("AT14"), qPrintable(f->services.prompter.errors[0]));
        QVERIFY(f->services.prompter.questions.isEmpty());
    }
};

QTEST_MAIN(ApplicationPrintoutTest)
#include "tst_applicationprintout.moc"
