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

TForm4 &ProgramFixture::mainWindow()
{
    if (!program)
        start();
    TForm4 &main = program->mainWindow();
    if (!main.isVisible()) {
        main.show();
        if (!QTest::qWaitForWindowExposed(&main))
            qWarning("the main window was not exposed");
    }
    return main;
}

TDm &ProgramFixture::dm() const
{
    return program->dm();
}
