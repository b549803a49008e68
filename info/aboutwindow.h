#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class AboutWindow;
}
class LogData;

// AboutWindow: the about box. The author's address is a link to a mail to the author.
class AboutWindow : public QDialog
{
    Q_OBJECT

public:
    explicit AboutWindow(LogData &dm, QWidget *parent = nullptr);
    ~AboutWindow() override;

    void writeEmail();
    void highlightMailLink();
    void plainMailLink();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setLinkColour(const QColor &colour);

    std::unique_ptr<Ui::AboutWindow> ui;
    LogData &m_data;
};
