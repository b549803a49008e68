#pragma once

class Clock;

// The clock the logic reads the time from: the system's unless a test installs its own. It stands
// apart from the other services because it is the only one code without windows needs.
namespace services {

Clock &clock();
void installClock(Clock *clock);
// Puts back the system clock.
void installSystemClock();

} // namespace services
