#pragma once

#include <QString>

// Every modal message, question and beep of the program goes through here, so tests can
// script the user's answers.
class Prompter
{
public:
    enum class Question {
        YesCancel, // an information box before a destructive command
        YesNo,     // a confirmation box
    };

    virtual ~Prompter() = default;
    // A modal message box; "\r" in the text starts a new line.
    virtual void message(const QString &text) = 0;
    // An engine or file error, shown with its own text.
    virtual void error(const QString &text) = 0;
    // True when the user answers Yes.
    virtual bool ask(const QString &text, Question question) = 0;
    virtual void beep() = 0;
};
