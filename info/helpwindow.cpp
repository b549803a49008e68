// HelpWindow: the help window.
#include "helpwindow.h"

#include "helptexts.h"
#include "ui_helpwindow.h"

#include <QButtonGroup>
#include <QShowEvent>

HelpWindow::HelpWindow(QWidget *parent) : ButtonClosedDialog(parent), ui(std::make_unique<Ui::HelpWindow>())
{
    ui->setupUi(this);
    ui->dok->setHtml(helptext::dokPage());
    ui->qso->setHtml(helptext::qsoPage());
    ui->util->setHtml(helptext::utilityPage());
    auto *group = new QButtonGroup(this);
    group->setExclusive(true);
    for (QAbstractButton *button : {ui->Button1, ui->Button2, ui->Button3})
        group->addButton(button);
    connect(group, &QButtonGroup::buttonClicked, this, &HelpWindow::pageButtonClicked);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    closeOnEscape({ui->BitBtn1});
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::showEvent(QShowEvent *event)
{
    ButtonClosedDialog::showEvent(event);
    if (!event->spontaneous())
        prepareOnShow();
}

void HelpWindow::prepareOnShow()
{
    ui->Button1->setChecked(true);
    pageButtonClicked(ui->Button1);
}

void HelpWindow::pageButtonClicked(QAbstractButton *button)
{
    const std::pair<QAbstractButton *, QWidget *> pages[] = {
        {ui->Button1, ui->dok}, {ui->Button2, ui->qso}, {ui->Button3, ui->util}};
    for (const auto &[pageButton, page] : pages) {
        if (pageButton == button)
            ui->Pages->setCurrentWidget(page);
    }
}
