#include "services.h"

#include "realservices.h"

namespace services {
namespace {

struct Installed
{
    Prompter *prompter = nullptr;
    SoundPlayer *sound = nullptr;
    Clock *clock = nullptr;
    Desktop *desktop = nullptr;
};

Installed &real()
{
    static MessageBoxPrompter prompter;
    static EffectSoundPlayer sound;
    static SystemClock clock;
    static SystemDesktop desktop;
    static Installed installed{&prompter, &sound, &clock, &desktop};
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

Clock &clock()
{
    return *current().clock;
}

Desktop &desktop()
{
    return *current().desktop;
}

void install(Prompter *prompter, SoundPlayer *sound, Clock *clock, Desktop *desktop)
{
    current() = Installed{prompter, sound, clock, desktop};
}

void installReal()
{
    current() = real();
}

} // namespace services
