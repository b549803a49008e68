#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class ManagementView;
}
class TDm;
class TForm4;

// The DOK management view of the main window.
class ManagementView : public QWidget
{
    Q_OBJECT

public:
    ManagementView(TDm &dm, TForm4 &mainWindow, QWidget *parent = nullptr);
    ~ManagementView() override;

    // The number of DOKs of the reference list, under "All records".
    void showDokTotal(int total);

private:
    std::unique_ptr<Ui::ManagementView> ui;
    TDm &Dm;
    TForm4 &m_main;
};
