#pragma once

#include <QDialog>
#include <QPointer>
#include <initializer_list>
#include <vector>

class QAbstractButton;

// A dialog without title-bar buttons, left only through its own buttons. Escape presses the
// window's Close, Exit or Cancel button, so it does just what that button does; a window that
// names none ignores Escape.
class ButtonClosedDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ButtonClosedDialog(QWidget *parent = nullptr);

protected:
    // Enter in one of these controls moves the focus to the next control instead of pressing a
    // button.
    void moveFocusOnEnter(std::initializer_list<QWidget *> controls);
    // Escape clicks the first of these buttons that is shown and enabled; none: Escape waits.
    void closeOnEscape(std::initializer_list<QAbstractButton *> buttons);
    // Whether Escape may press the close button now.
    virtual bool escapeCloses() const { return true; }

    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::vector<QPointer<QAbstractButton>> m_escapeButtons;
};
