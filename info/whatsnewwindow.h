#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class WhatsNewWindow;
}

// WhatsNewWindow: what is new in this version. Created at start and shown as often as asked.
class WhatsNewWindow : public QDialog
{
    Q_OBJECT

public:
    explicit WhatsNewWindow(QWidget *parent = nullptr);
    ~WhatsNewWindow() override;

private:
    std::unique_ptr<Ui::WhatsNewWindow> ui;
};
