#pragma once

class QWidget;

// A screen reader names an editable list's line edit apart from the list: each one gets the
// list's name (its own, or its label's).
void nameEditParts(QWidget &window);
