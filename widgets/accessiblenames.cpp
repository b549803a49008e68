#include "accessiblenames.h"

#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>

void nameEditParts(QWidget &window)
{
    for (QComboBox *box : window.findChildren<QComboBox *>()) {
        if (!box->lineEdit())
            continue;
        QString name = box->accessibleName();
        if (name.isEmpty()) {
            if (QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(box))
                name = accessible->text(QAccessible::Name);
        }
        box->lineEdit()->setAccessibleName(name);
    }
}
