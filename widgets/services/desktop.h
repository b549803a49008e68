#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// What the program asks of the desktop beyond message boxes: file dialogs, opening a link with
// the user's mail program or browser, and starting another program. Tests script the answers.
class Desktop
{
public:
    virtual ~Desktop() = default;
    // The chosen file, or an empty text when the user cancels.
    virtual QString openFileName(const QString &caption, const QString &filter) = 0;
    virtual QString saveFileName(const QString &caption, const QString &filter,
                                 const QString &suggestedName) = 0;
    // False when nothing could open it.
    virtual bool openUrl(const QUrl &url) = 0;
    // Starts a program without waiting for it; false when it could not be started.
    virtual bool startProgram(const QString &program, const QStringList &arguments) = 0;
};
