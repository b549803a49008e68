#pragma once

#include "clockservice.h"

class Clock;
class Desktop;
class Prompter;
class SoundPlayer;

// The program's services. The real ones are installed at start-up; tests install doubles.
namespace services {

Prompter &prompter();
SoundPlayer &sound();
Desktop &desktop();

void install(Prompter *prompter, SoundPlayer *sound, Clock *clock, Desktop *desktop);
// Puts back the real services.
void installReal();

} // namespace services
