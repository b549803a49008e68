#pragma once

#include "buttonclosedialog.h"

#include <memory>

namespace Ui {
class RulesWindow;
}
class QTextBrowser;

// RulesWindow: the award's rules in five languages, one text in front at a time.
class RulesWindow : public ButtonClosedDialog
{
    Q_OBJECT

public:
    explicit RulesWindow(QWidget *parent = nullptr);
    ~RulesWindow() override;

    void prepareOnShow();
    void showItalian();
    void showEnglish();
    void showGerman();
    void showFrench();
    void showSpanish();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void bringToFront(QTextBrowser *text);

    std::unique_ptr<Ui::RulesWindow> ui;
};
