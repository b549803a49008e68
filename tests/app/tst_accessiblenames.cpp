#include "datamodule.h"
#include "mainwindow.h"
#include "modalwindow.h"
#include "programfixture.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

namespace {

// The fields, lists and grids of a window, and its buttons that show no text, that a screen
// reader cannot name.
QStringList unnamed(const QWidget &window)
{
    QStringList found;
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(&window) || widget->window() != &window)
            continue;
        const auto *button = qobject_cast<QAbstractButton *>(widget);
        const bool wanted = qobject_cast<QLineEdit *>(widget) || qobject_cast<QComboBox *>(widget)
            || qobject_cast<QAbstractSpinBox *>(widget) || qobject_cast<QAbstractItemView *>(widget)
            || (button && button->text().isEmpty() && !widget->inherits("QToolBarExtension"));
        if (!wanted || qobject_cast<QAbstractItemView *>(widget->parentWidget()))
            continue;
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty())
            found << QStringLiteral("%1 (%2)").arg(widget->objectName(), QString::fromLatin1(widget->metaObject()->className()));
    }
    return found;
}

} // namespace

class AccessibleNamesTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ProgramFixture> fixture;

private slots:
    void init()
    {
        fixture = std::make_unique<ProgramFixture>();
        fixture->db.execute("UPDATE INFO SET CALL='DL1ABC'");
        fixture->addConfirmedQso();
    }
    void cleanup() { fixture.reset(); }

    void mainWindowFieldsAndGridsAreNamed_data()
    {
        QTest::addColumn<QString>("panel");
        QTest::newRow("entry panel") << "Nuovo1";
        QTest::newRow("management") << "Management1";
    }

    void mainWindowFieldsAndGridsAreNamed()
    {
        QFETCH(QString, panel);
        fixture->action(panel)->trigger();
        const QStringList found = unnamed(fixture->mainWindow());
        QVERIFY2(found.isEmpty(), qPrintable(found.join(", ")));
    }

    void windowFieldsAndGridsAreNamed_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("before"); // an action that makes the window's command available
        QTest::newRow("modify") << "Modifica1" << "Management1";
        QTest::newRow("user data") << "UserData1" << "";
        QTest::newRow("refresh") << "Calcolo2" << "";
        QTest::newRow("summary") << "Summary1" << "";
        QTest::newRow("progress") << "Progress1" << "";
        QTest::newRow("award application") << "Request1" << "";
        QTest::newRow("map") << "MaP1" << "";
        QTest::newRow("help") << "DOKHelp1" << "";
        QTest::newRow("rules") << "Rules1" << "";
    }

    void windowFieldsAndGridsAreNamed()
    {
        QFETCH(QString, action);
        QFETCH(QString, before);
        if (!before.isEmpty())
            fixture->action(before)->trigger();
        QStringList found;
        QVERIFY(withModalWindow(*fixture->action(action), [&](QDialog &dialog) { found = unnamed(dialog); }));
        QVERIFY2(found.isEmpty(), qPrintable(found.join(", ")));
    }
};

QTEST_MAIN(AccessibleNamesTest)
#include "tst_accessiblenames.moc"
