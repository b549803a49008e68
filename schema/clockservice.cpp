#include "clockservice.h"

#include "clock.h"

namespace services {
namespace {

class SystemClock : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

Clock &systemClock()
{
    static SystemClock system;
    return system;
}

Clock *&current()
{
    static Clock *installed = &systemClock();
    return installed;
}

} // namespace

Clock &clock()
{
    return *current();
}

void installClock(Clock *clock)
{
    current() = clock;
}

void installSystemClock()
{
    current() = &systemClock();
}

} // namespace services
