#include "scriptedservices.h"

#include "services.h"

bool ScriptedPrompter::ask(const QString &text, Question question)
{
    questions << text;
    questionKinds << question;
    if (m_answers.empty()) {
        unexpectedQuestions << text;
        return false;
    }
    const bool yes = m_answers.front();
    m_answers.pop_front();
    return yes;
}

ScriptedServices::ScriptedServices()
{
    services::install(&prompter, &sound, &clock);
}

ScriptedServices::~ScriptedServices()
{
    services::installReal();
}
