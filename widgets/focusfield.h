#pragma once

#include <Qt>

class QWidget;

// Puts the focus in a field with its text selected, so that what the user types next replaces
// it, as it does when the user tabs into the field.
void focusAndSelect(QWidget *field, Qt::FocusReason reason = Qt::OtherFocusReason);
