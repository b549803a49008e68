// RulesWindow: the rules window.
#include "ruleswindow.h"

#include "infoconstants.h"
#include "rulestexts.h"
#include "ui_ruleswindow.h"

#include <QShowEvent>

RulesWindow::RulesWindow(QWidget *parent) : ButtonClosedDialog(parent), ui(std::make_unique<Ui::RulesWindow>())
{
    ui->setupUi(this);
    // The flags show no text: a screen reader reads the language.
    for (QToolButton *flag : {ui->ITim, ui->ENim, ui->DAim, ui->FRim, ui->EAim})
        flag->setAccessibleName(flag->toolTip());
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
        {ui->ITim, "it", ui->ITm, Language::Italian, &RulesWindow::showItalian},
        {ui->ENim, "gb", ui->ENm, Language::English, &RulesWindow::showEnglish},
        {ui->DAim, "de", ui->DAm, Language::German, &RulesWindow::showGerman},
        {ui->FRim, "fr", ui->FRm, Language::French, &RulesWindow::showFrench},
        {ui->EAim, "es", ui->eam, Language::Spanish, &RulesWindow::showSpanish},
    };
    for (const auto &entry : languages) {
        entry.picture->setIcon(QIcon(QStringLiteral(":/flags/%1.svg").arg(QLatin1String(entry.flag))));
        entry.text->setHtml(rulestext::rules(entry.language));
        connect(entry.picture, &QToolButton::clicked, this, entry.handler);
    }
    connect(ui->Button1, &QPushButton::clicked, this, &QDialog::accept);
    closeOnEscape({ui->Button1});
}

RulesWindow::~RulesWindow() = default;

void RulesWindow::showEvent(QShowEvent *event)
{
    ButtonClosedDialog::showEvent(event);
    if (!event->spontaneous())
        prepareOnShow();
}

void RulesWindow::prepareOnShow()
{
    bringToFront(ui->ITm);
}

void RulesWindow::showItalian()
{
    bringToFront(ui->ITm);
}

void RulesWindow::showEnglish()
{
    bringToFront(ui->ENm);
}

void RulesWindow::showGerman()
{
    bringToFront(ui->DAm);
}

void RulesWindow::showFrench()
{
    bringToFront(ui->FRm);
}

void RulesWindow::showSpanish()
{
    bringToFront(ui->eam);
}

void RulesWindow::bringToFront(QTextBrowser *text)
{
    ui->Texts->setCurrentWidget(text);
}
