#include "infoconstants.h"
#include "maillink.h"

#include <QUrlQuery>
#include <QtTest>

class MailLinkTest : public QObject
{
    Q_OBJECT

private slots:
    void subjectAndBodySurviveAnyCallsign_data();
    void subjectAndBodySurviveAnyCallsign();
};

void MailLinkTest::subjectAndBodySurviveAnyCallsign_data()
{
    QTest::addColumn<QString>("call");
    QTest::newRow("empty callsign") << "";
    QTest::newRow("plain") << "DL1ABC";
    QTest::newRow("ampersand") << "DL1&body=X";
    QTest::newRow("question mark and hash") << "DL1?A#B";
    QTest::newRow("blanks, plus and percent") << "DL1 ABC + 50%";
    QTest::newRow("not ASCII") << "DÖ1ÄÜ";
}

void MailLinkTest::subjectAndBodySurviveAnyCallsign()
{
    QFETCH(QString, call);

    const QUrl link = mailLink(call);

    QVERIFY(link.isValid());
    QCOMPARE(link.scheme(), QStringLiteral("mailto"));
    QCOMPARE(link.path(), infotext::authorMail);
    QVERIFY(!link.hasFragment());
    const QUrlQuery query(link);
    QCOMPARE(query.queryItems(QUrl::FullyDecoded).size(), 2);
    QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded), QStringLiteral("Da ") + call);
    QCOMPARE(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded), infotext::greeting);
    // Mail programs read a blank as %20, never as "+".
    QVERIFY(link.toEncoded().startsWith("mailto:" + infotext::authorMail.toUtf8() + "?subject=Da%20"));
}

QTEST_GUILESS_MAIN(MailLinkTest)
#include "tst_maillink.moc"
