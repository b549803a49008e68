#include "services.h"

#include "realservices.h"

namespace services {
namespace {

struct Installed
{
    Prompter *prompter = nullptr;
    SoundPlayer *sound = nullptr;
    Clock *clock = nullptr;
};

Installed &real()
{
    static MessageBoxPrompter prompter;
    static EffectSoundPlayer sound;
    static SystemClock clock;
    static Installed installed{&prompter, &sound, &clock};
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

void install(Prompter *prompter, SoundPlayer *sound, Clock *clock)
{
    current() = Installed{prompter, sound, clock};
}

void installReal()
{
    current() = real();
}

} // namespace services
