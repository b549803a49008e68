#pragma once

#include "clock.h"
#include "desktop.h"
#include "prompter.h"
#include "soundplayer.h"

#include <QDateTime>
#include <QStringList>
#include <deque>

// Stands in for the user at message boxes: records what was shown and answers questions from a
// script. A question without a scripted answer is recorded as unexpected and answered "no".
class ScriptedPrompter : public Prompter
{
public:
    void message(const QString &text) override { messages << text; }
    void error(const QString &text) override { errors << text; }
    bool askOver(QWidget *parent, const QString &text, Question question) override;
    void beep() override { ++beeps; }

    void answer(bool yes) { m_answers.push_back(yes); }

    QStringList messages;
    QStringList errors;
    QStringList questions;
    QList<Question> questionKinds;
    // For each question, the object name of the window it was asked over ("" for the active
    // window), and whether that window was shown at the time.
    QStringList questionParents;
    QList<bool> questionParentsShown;
    QStringList unexpectedQuestions;
    int beeps = 0;

private:
    std::deque<bool> m_answers;
};

class RecordingSound : public SoundPlayer
{
public:
    void play(const QString &fileName) override { played << fileName; }
    QStringList played;
};

class FakeClock : public Clock
{
public:
    QDateTime now() const override { return current; }
    QDateTime current = QDateTime(QDate(2026, 12, 9), QTime(12, 0));
};

// Answers file dialogs from a script (an empty name, as a cancel, when nothing is scripted) and
// records the links opened and the programs started.
class ScriptedDesktop : public Desktop
{
public:
    QString openFileName(const QString &caption, const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &filter,
                         const QString &suggestedName) override;
    bool openUrl(const QUrl &url) override;
    bool startProgram(const QString &program, const QStringList &arguments) override;

    void chooseFile(const QString &fileName) { m_fileNames.push_back(fileName); }

    QStringList dialogCaptions;
    QList<QUrl> openedUrls;
    QStringList startedPrograms;
    QList<QStringList> startedArguments;
    bool succeed = true; // what openUrl and startProgram answer

private:
    QString nextFileName(const QString &caption);
    std::deque<QString> m_fileNames;
};

// Installs the doubles for the lifetime of a test object and puts the real services back after.
class ScriptedServices
{
public:
    ScriptedServices();
    ~ScriptedServices();
    ScriptedServices(const ScriptedServices &) = delete;
    ScriptedServices &operator=(const ScriptedServices &) = delete;

    ScriptedPrompter prompter;
    RecordingSound sound;
    FakeClock clock;
    ScriptedDesktop desktop;
};
