#pragma once

#include <functional>

class QAction;
class QDialog;

// Triggers an action that opens a modal window and runs act on the window once it is up. A
// window that act leaves open is rejected afterwards, so the test never hangs. False when the
// action opened no modal window.
bool withModalWindow(QAction &action, const std::function<void(QDialog &)> &act);
