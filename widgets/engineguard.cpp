#include "engineguard.h"

#include "engineerror.h"
#include "prompter.h"
#include "services.h"

bool reportEngineErrors(const std::function<void()> &handler)
{
    try {
        handler();
        return true;
    } catch (const EngineError &error) {
        services::prompter().error(error.text());
        return false;
    }
}
