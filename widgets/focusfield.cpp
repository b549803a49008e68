#include "focusfield.h"

#include <QComboBox>
#include <QLineEdit>

void focusAndSelect(QWidget *field, Qt::FocusReason reason)
{
    field->setFocus(reason);
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        edit->selectAll();
    else if (auto *box = qobject_cast<QComboBox *>(field); box && box->lineEdit())
        box->lineEdit()->selectAll();
}
