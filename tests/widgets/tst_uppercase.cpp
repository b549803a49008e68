#include "uppercase.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

class UpperCaseTest : public QObject
{
    Q_OBJECT

private slots:
    void typedTextReadsAsTypedInUpperCase_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letters and digits") << "dl1abc" << 15 << "DL1ABC";
        QTest::newRow("sharp s inside") << QStringLiteral("Hauptstraße 12") << 60 << QStringLiteral("HAUPTSTRAßE 12");
        QTest::newRow("sharp s in a place") << QStringLiteral("Großenhain") << 50 << QStringLiteral("GROßENHAIN");
        QTest::newRow("sharp s at the limit") << QStringLiteral("Großenhain") << 10 << QStringLiteral("GROßENHAIN");
        QTest::newRow("beyond the limit") << "abcdef" << 4 << "ABCD";
    }

    void typedTextReadsAsTypedInUpperCase()
    {
        QFETCH(QString, typed);
        QFETCH(int, limit);
        QFETCH(QString, shown);
        QLineEdit edit;
        edit.setMaxLength(limit);
        makeUpperCase(&edit);
        QTest::keyClicks(&edit, typed);
        QCOMPARE(edit.text(), shown);
        QCOMPARE(edit.cursorPosition(), int(shown.size()));
    }

    void typingInTheMiddleKeepsTheCursorAfterTheTypedCharacter()
    {
        QLineEdit edit;
        makeUpperCase(&edit);
        QTest::keyClicks(&edit, "strae");
        QTest::keyClick(&edit, Qt::Key_Left);
        QTest::keyClicks(&edit, QStringLiteral("ß"));
        QCOMPARE(edit.cursorPosition(), 5);
        QTest::keyClicks(&edit, "x");
        QCOMPARE(edit.text(), QStringLiteral("STRAßXE"));
    }

    void anEditableListUpperCasesToo()
    {
        QComboBox box;
        box.setEditable(true);
        makeUpperCase(&box);
        QTest::keyClicks(&box, QStringLiteral("weiß"));
        QCOMPARE(box.currentText(), QStringLiteral("WEIß"));
    }
};

QTEST_MAIN(UpperCaseTest)
#include "tst_uppercase.moc"
