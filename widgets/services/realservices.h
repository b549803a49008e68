#pragma once

#include "desktop.h"
#include "prompter.h"
#include "soundplayer.h"

#include <QHash>
#include <QPointer>
#include <QSoundEffect>

class MessageBoxPrompter : public Prompter
{
public:
    void message(const QString &text) override;
    void error(const QString &text) override;
    bool askOver(QWidget *parent, const QString &text, Question question) override;
    void beep() override;
};

class EffectSoundPlayer : public SoundPlayer
{
public:
    void play(const QString &fileName) override;

private:
    // Owned by the application object, so they go before the audio system does.
    QHash<QString, QPointer<QSoundEffect>> m_effects;
};

class SystemDesktop : public Desktop
{
public:
    QString openFileName(const QString &caption, const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &filter,
                         const QString &suggestedName) override;
    bool openUrl(const QUrl &url) override;
    bool startProgram(const QString &program, const QStringList &arguments) override;
};
