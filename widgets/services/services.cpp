#include "services.h"

#include "realservices.h"

namespace services {
namespace {

struct Installed
{
    Prompter *prompter = nullptr;
    SoundPlayer *sound = nullptr;
    Desktop *desktop = nullptr;
};

Installed &real()
{
    static MessageBoxPrompter prompter;
    static EffectSoundPlayer sound;
    static SystemDesktop desktop;
    static Installed installed{&prompter, &sound, &desktop};
    return installed;
}

Installed &current()
{
    static Installed installed = real();
    return installed;
}

} // namespace

Prompter &prompter()
{
    return *current().prompter;
}

SoundPlayer &sound()
{
    return *current().sound;
}

Desktop &desktop()
{
    return *current().desktop;
}

void install(Prompter *prompter, SoundPlayer *sound, Clock *clock, Desktop *desktop)
{
    current() = Installed{prompter, sound, desktop};
    installClock(clock);
}

void installReal()
{
    current() = real();
    installSystemClock();
}

} // namespace services
