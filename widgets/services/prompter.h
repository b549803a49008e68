#pragma once

#include <QString>

class QWidget;

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
    // True when the user answers Yes. The box opens over the active window.
    bool ask(const QString &text, Question question) { return askOver(nullptr, text, question); }
    // The same over a given window, for work that shows a window of its own (a progress dialog)
    // while the active window is another; null means the active window.
    virtual bool askOver(QWidget *parent, const QString &text, Question question) = 0;
    virtual void beep() = 0;
};
