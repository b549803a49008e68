#pragma once

class QLineEdit;
class QComboBox;

// Makes a field turn what is typed into upper case.
void makeUpperCase(QLineEdit *edit);
void makeUpperCase(QComboBox *box);
