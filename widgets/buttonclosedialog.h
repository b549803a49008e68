#pragma once

#include <QDialog>
#include <initializer_list>

// A dialog without title-bar buttons, left only through its own buttons: Escape does nothing.
class ButtonClosedDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ButtonClosedDialog(QWidget *parent = nullptr);

protected:
    // Enter in one of these controls moves the focus to the next control instead of pressing a
    // button.
    void moveFocusOnEnter(std::initializer_list<QWidget *> controls);

    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
};
