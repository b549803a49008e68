#include "scriptedservices.h"

#include "services.h"

#include <QWidget>

bool ScriptedPrompter::askOver(QWidget *parent, const QString &text, Question question)
{
    questions << text;
    questionKinds << question;
    questionParents << (parent ? parent->objectName() : QString());
    questionParentsShown << (parent && parent->isVisible());
    if (m_answers.empty()) {
        unexpectedQuestions << text;
        return false;
    }
    const bool yes = m_answers.front();
    m_answers.pop_front();
    return yes;
}

QString ScriptedDesktop::nextFileName(const QString &caption)
{
    dialogCaptions << caption;
    if (m_fileNames.empty())
        return QString();
    const QString name = m_fileNames.front();
    m_fileNames.pop_front();
    return name;
}

QString ScriptedDesktop::openFileName(const QString &caption, const QString &)
{
    return nextFileName(caption);
}

QString ScriptedDesktop::saveFileName(const QString &caption, const QString &, const QString &)
{
    return nextFileName(caption);
}

bool ScriptedDesktop::openUrl(const QUrl &url)
{
    openedUrls << url;
    return succeed;
}

bool ScriptedDesktop::startProgram(const QString &program, const QStringList &arguments)
{
    startedPrograms << program;
    startedArguments << arguments;
    return succeed;
}

ScriptedServices::ScriptedServices()
{
    services::install(&prompter, &sound, &clock, &desktop);
}

ScriptedServices::~ScriptedServices()
{
    services::installReal();
}
