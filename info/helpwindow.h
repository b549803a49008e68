#pragma once

#include "buttonclosedialog.h"

#include <memory>

namespace Ui {
class HelpWindow;
}
class QAbstractButton;

// HelpWindow: the help window, three pages of which one is in front.
class HelpWindow : public ButtonClosedDialog
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);
    ~HelpWindow() override;

    void prepareOnShow();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void pageButtonClicked(QAbstractButton *button);

    std::unique_ptr<Ui::HelpWindow> ui;
};
