#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class EntryPanel;
}
class TDm;
class TForm4;

// The QSO entry panel of the main window.
class EntryPanel : public QWidget
{
    Q_OBJECT

public:
    EntryPanel(TDm &dm, TForm4 &mainWindow, QWidget *parent = nullptr);
    ~EntryPanel() override;

    void showClock(const QString &utc, const QString &local);

private:
    std::unique_ptr<Ui::EntryPanel> ui;
    TDm &Dm;
    TForm4 &m_main;
};
