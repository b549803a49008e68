#pragma once

#include <functional>

// Runs a handler; an engine error aborts it and is shown to the user with the engine's text.
// Returns false when the handler was aborted.
bool reportEngineErrors(const std::function<void()> &handler);
