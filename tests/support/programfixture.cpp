#include "programfixture.h"

#include "datamodule.h"
#include "mainwindow.h"

#include <QAction>
#include <QTest>

ProgramFixture::ProgramFixture(TestDatabase::Content content) : db(content)
{
}

ProgramFixture::~ProgramFixture()
{
    program.reset();
}

void ProgramFixture::start()
{
    program = std::make_unique<Startup>(db.path());
    program->start();
}

void ProgramFixture::addConfirmedQso()
{
    db.execute(QStringLiteral("INSERT INTO LOG (id, call, loc, data, banda, modo, dok, conf, mhz) "
                              "VALUES (1, 'DL1AB', 'BERLIN', '05/03/2004', '14', 'SSB', 'A01', 'C', 14)"));
    for (const QString table : {"LOG14", "LOGSSB"}) {
        db.execute(QStringLiteral("INSERT INTO %1 (call, loc, data, banda, modo, dok, conf, num) "
                                  "SELECT call, loc, data, banda, modo, dok, conf, id FROM LOG WHERE id=1")
                       .arg(table));
    }
    db.execute(QStringLiteral("UPDATE DOK SET CONF='C' WHERE DOK='A01'"));
}

MainWindow &ProgramFixture::mainWindow()
{
    if (!program)
        start();
    MainWindow &main = program->mainWindow();
    if (!main.isVisible()) {
        main.show();
        if (!QTest::qWaitForWindowExposed(&main))
            qWarning("the main window was not exposed");
    }
    return main;
}

QAction *ProgramFixture::action(const QString &objectName)
{
    QAction *found = mainWindow().findChild<QAction *>(objectName);
    if (!found)
        qFatal("no action %s", qPrintable(objectName));
    return found;
}

LogData &ProgramFixture::dm() const
{
    return program->dm();
}
