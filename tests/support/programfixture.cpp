#include "programfixture.h"

#include "datamodule.h"
#include "mainwindow.h"

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

LogData &ProgramFixture::dm() const
{
    return program->dm();
}
