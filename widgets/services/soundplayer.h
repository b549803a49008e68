#pragma once

#include <QString>

// Plays a short wave file from the data folder without waiting for it. A missing file or no
// audio device is no error.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString &fileName) = 0;
};
