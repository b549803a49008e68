#include "buttonclosedialog.h"

#include "shortcutkey.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

ButtonClosedDialog::ButtonClosedDialog(QWidget *parent) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
}

void ButtonClosedDialog::moveFocusOnEnter(std::initializer_list<QWidget *> controls)
{
    for (QWidget *control : controls) {
        control->installEventFilter(this);
        // An editable list takes its keys in its line edit.
        if (auto *box = qobject_cast<QComboBox *>(control); box && box->lineEdit())
            box->lineEdit()->installEventFilter(this);
    }
}

void ButtonClosedDialog::closeOnEscape(std::initializer_list<QAbstractButton *> buttons)
{
    m_escapeButtons.assign(buttons.begin(), buttons.end());
}

void ButtonClosedDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (!escapeCloses())
            return;
        for (QAbstractButton *button : m_escapeButtons) {
            if (button && button->isVisible() && button->isEnabled()) {
                button->click();
                return;
            }
        }
        return;
    }
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

bool ButtonClosedDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        if (isUnclaimedShortcut(static_cast<QKeyEvent *>(event)))
            return true;
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
