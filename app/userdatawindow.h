#pragma once

#include "buttonclosedialog.h"

#include <memory>

namespace Ui {
class UserDataWindow;
}
class LogData;

// The user data window: edits the one row of INFO (callsign, name, address, country...).
class UserDataWindow : public ButtonClosedDialog
{
    Q_OBJECT

public:
    explicit UserDataWindow(LogData &dm, QWidget *parent = nullptr);
    ~UserDataWindow() override;

    void prepareOnShow();
    void storeState();
    void confirmUserData();
    // True when every field holds something; otherwise the first empty one gets the focus.
    bool mayClose();

signals:
    void mainWindowRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // At the first start the window stands alone and is left only through "Save and exit";
    // opened from the main window it is modal, and Escape saves and exits as the button does.
    bool escapeCloses() const override { return isModal(); }

private:
    std::unique_ptr<Ui::UserDataWindow> ui;
    LogData &m_data;
};
