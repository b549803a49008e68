// RulesWindow: the rules window.
#include "ruleswindow.h"

#include "infoconstants.h"
#include "rulestexts.h"
#include "ui_ruleswindow.h"

#include <QShowEvent>

RulesWindow::RulesWindow(QWidget *parent) : ButtonClosedDialog(parent), ui(std::make_unique<Ui::RulesWindow>())
{
    ui->setupUi(this);
    ui->Label1->setText(infotext::awardFullName + QStringLiteral(" (WZP)"));
    using rulestext::Language;
    const struct
    {
        QToolButton *picture;
        const char *flag;
        QTextBrowser *text;
        Language language;
        void (RulesWindow::*handler)();
    } languages[] = {
        {ui->ITim, "it", ui->ITm, Language::Italian, &RulesWindow::ITimClick},
        {ui->ENim, "gb", ui->ENm, Language::English, &RulesWindow::ENimClick},
        {ui->DAim, "de", ui->DAm, Language::German, &RulesWindow::DAimClick},
        {ui->FRim, "fr", ui->FRm, Language::French, &RulesWindow::FRimClick},
        {ui->EAim, "es", ui->eam, Language::Spanish, &RulesWindow::EAimClick},
    };
    for (const auto &entry : languages) {
        entry.picture->setIcon(QIcon(QStringLiteral(":/flags/%1.svg").arg(QLatin1String(entry.flag))));
        entry.text->setHtml(rulestext::rules(entry.language));
        connect(entry.picture, &QToolButton::clicked, this, entry.handler);
    }
    connect(ui->Button1, &QPushButton::clicked, this, &QDialog::accept);
}

RulesWindow::~RulesWindow() = default;

void RulesWindow::showEvent(QShowEvent *event)
{
    ButtonClosedDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void RulesWindow::FormShow()
{
    using rulestext::Language;
    switch (rulestext::languageFor(QLocale())) {
    case Language::Italian: bringToFront(ui->ITm); break;
    case Language::English: bringToFront(ui->ENm); break;
    case Language::German: bringToFront(ui->DAm); break;
    case Language::French: bringToFront(ui->FRm); break;
    case Language::Spanish: bringToFront(ui->eam); break;
    }
}

void RulesWindow::ITimClick()
{
    bringToFront(ui->ITm);
}

void RulesWindow::ENimClick()
{
    bringToFront(ui->ENm);
}

void RulesWindow::DAimClick()
{
    bringToFront(ui->DAm);
}

void RulesWindow::FRimClick()
{
    bringToFront(ui->FRm);
}

void RulesWindow::EAimClick()
{
    bringToFront(ui->eam);
}

void RulesWindow::bringToFront(QTextBrowser *text)
{
    ui->Texts->setCurrentWidget(text);
}
