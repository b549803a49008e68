// TForm6: the rules window.
#include "ruleswindow.h"

#include "infoconstants.h"
#include "rulestexts.h"
#include "ui_ruleswindow.h"

#include <QShowEvent>

TForm6::TForm6(QWidget *parent) : ButtonClosedDialog(parent), ui(std::make_unique<Ui::TForm6>())
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
        void (TForm6::*handler)();
    } languages[] = {
        {ui->ITim, "it", ui->ITm, Language::Italian, &TForm6::ITimClick},
        {ui->ENim, "gb", ui->ENm, Language::English, &TForm6::ENimClick},
        {ui->DAim, "de", ui->DAm, Language::German, &TForm6::DAimClick},
        {ui->FRim, "fr", ui->FRm, Language::French, &TForm6::FRimClick},
        {ui->EAim, "es", ui->eam, Language::Spanish, &TForm6::EAimClick},
    };
    for (const auto &entry : languages) {
        entry.picture->setIcon(QIcon(QStringLiteral(":/flags/%1.svg").arg(QLatin1String(entry.flag))));
        entry.text->setHtml(rulestext::rules(entry.language));
        connect(entry.picture, &QToolButton::clicked, this, entry.handler);
    }
    connect(ui->Button1, &QPushButton::clicked, this, &QDialog::accept);
    closeOnEscape({ui->Button1});
}

TForm6::~TForm6() = default;

void TForm6::showEvent(QShowEvent *event)
{
    ButtonClosedDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm6::FormShow()
{
    bringToFront(ui->ITm);
}

void TForm6::ITimClick()
{
    bringToFront(ui->ITm);
}

void TForm6::ENimClick()
{
    bringToFront(ui->ENm);
}

void TForm6::DAimClick()
{
    bringToFront(ui->DAm);
}

void TForm6::FRimClick()
{
    bringToFront(ui->FRm);
}

void TForm6::EAimClick()
{
    bringToFront(ui->eam);
}

void TForm6::bringToFront(QTextBrowser *text)
{
    ui->Texts->setCurrentWidget(text);
}
