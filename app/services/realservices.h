#pragma once

#include "clock.h"
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
    bool ask(const QString &text, Question question) override;
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

class SystemClock : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
