// TForm4: the main window.
#include "mainwindow.h"

#include "awardwindow.h"
#include "clock.h"
#include "datamodule.h"
#include "engineguard.h"
#include "entrypanel.h"
#include "exchangecommands.h"
#include "hint.h"
#include "infomenu.h"
#include "localformat.h"
#include "maintenancemenu.h"
#include "managementview.h"
#include "memoryload.h"
#include "modifywindow.h"
#include "overviewwindow.h"
#include "progresswindow.h"
#include "prompter.h"
#include "qsodeletion.h"
#include "refreshwindow.h"
#include "services.h"
#include "ui_mainwindow.h"

#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>

namespace {

const QString exitHint = QStringLiteral("Exit | Application terminate");

} // namespace

TForm4::TForm4(TDm &dm, QDialog *userDataWindow, QWidget *parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::TForm4>()), Dm(dm), m_userData(userDataWindow)
{
    ui->setupUi(this);
    Panel1 = new EntryPanel(Dm, *this, ui->centralwidget);
    Panel2 = new ManagementView(Dm, *this, ui->centralwidget);
    ui->panelArea->addWidget(Panel1);
    ui->panelArea->addWidget(Panel2);
    Panel1->hide();
    Panel2->hide();
    m_maintenance = new MaintenanceMenu(Dm, [this] { terminate(); }, this);
    m_info = new InfoMenu(Dm, this);
    buildStatusBar();
    setHints();
    setIcons();
    setShortcuts();
    connectHandlers();
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &TForm4::Timer1Timer);
    Timer1->start();
}

TForm4::~TForm4() = default;

void TForm4::buildStatusBar()
{
    // The hint and count panels widen to show a long text whole (a district's figures, a long
    // count), and like every status bar's last panel the memory panel takes the rest of the width.
    const int widths[3] = {260, 220, 75};
    for (int i = 0; i < 3; ++i) {
        auto *panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setMinimumWidth(widths[i]);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        ui->StatusBar1->addWidget(panel, i == 2 ? 1 : 0);
        m_statusPanels[i] = panel;
    }
}

void TForm4::setHints()
{
    const std::pair<QAction *, const char *> hints[] = {
        {ui->Nuovo1, "| Insert a new QSO"},
        {ui->Modifica1, "| Modify data of a QSO"},
        {ui->Delete1, "| Delete QSO"},
        {ui->Registra1, "| Save QSO"},
        {ui->Esci1, " Esci dal programma "},
        {ui->Speednew, " New QSO | Write a new QSO "},
        {ui->Speedmod, " Modify | Modify QSO'S data "},
        {ui->Speeddel, "Delete | Delete QSO"},
        {ui->Speedreg, "Save | Save QSO's data"},
        {ui->speedman, " WZP | WZP Management"},
        {ui->SpeedButton2, " Request | WZP: Diplome request"},
        {ui->SpeedButton4, " Rules | WZP: Award Rules"},
        {ui->Calcolo1, " Refresh | Refresh all data and recalculate the score"},
        {ui->Summary2, " Summary |  Show the summary of your QSO by band/mode"},
        {ui->SpeedProgress, " Progress | DOKs confirmed over time, with the award levels"},
        {ui->SpeedButton20, " User Data | Write your personal data"},
        {ui->SpeedBack, " Backup | Save files into Backup directory"},
        {ui->SpeedRest, " Restore | Restore data from Backup directory"},
        {ui->SpeedButton6, "Exit | Application terminate"},
    };
    for (const auto &[action, text] : hints)
        hint::set(action, QString::fromUtf8(text));
}

void TForm4::setIcons()
{
    const std::pair<QAction *, QStyle::StandardPixmap> icons[] = {
        {ui->Speednew, QStyle::SP_FileIcon},
        {ui->Speedmod, QStyle::SP_FileDialogDetailedView},
        {ui->Speeddel, QStyle::SP_TrashIcon},
        {ui->Speedreg, QStyle::SP_DialogSaveButton},
        {ui->speedman, QStyle::SP_FileDialogListView},
        {ui->SpeedButton2, QStyle::SP_FileDialogContentsView},
        {ui->SpeedButton4, QStyle::SP_MessageBoxInformation},
        {ui->Calcolo1, QStyle::SP_BrowserReload},
        {ui->Summary2, QStyle::SP_FileDialogInfoView},
        {ui->SpeedProgress, QStyle::SP_ArrowUp},
        {ui->SpeedButton20, QStyle::SP_DirHomeIcon},
        {ui->SpeedBack, QStyle::SP_DriveFDIcon},
        {ui->SpeedRest, QStyle::SP_ArrowBack},
        {ui->SpeedButton6, QStyle::SP_DialogCloseButton},
    };
    for (const auto &[action, pixmap] : icons)
        action->setIcon(style()->standardIcon(pixmap));
}

void TForm4::setShortcuts()
{
    // The desktop's own keys for these commands, or the usual ones where it names none. They
    // stand on the menu items only: the tool bar's buttons for the same commands would make them
    // ambiguous.
    const std::tuple<QAction *, QKeySequence::StandardKey, QKeySequence> shortcuts[] = {
        {ui->DOKHelp1, QKeySequence::HelpContents, QKeySequence(Qt::Key_F1)},
        {ui->Nuovo1, QKeySequence::New, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {ui->Registra1, QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {ui->Esci1, QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {ui->Calcolo2, QKeySequence::Refresh, QKeySequence(Qt::Key_F5)},
        {ui->Modifica1, QKeySequence::Find, QKeySequence(Qt::CTRL | Qt::Key_F)},
    };
    for (const auto &[action, standard, usual] : shortcuts) {
        const QList<QKeySequence> desktop = QKeySequence::keyBindings(standard);
        action->setShortcut(desktop.isEmpty() ? usual : desktop.first());
    }
}

void TForm4::connectHandlers()
{
    for (QAction *action : {ui->Nuovo1, ui->Speednew})
        connect(action, &QAction::triggered, Panel1, &EntryPanel::Nuovo1Click);
    for (QAction *action : {ui->Registra1, ui->Speedreg})
        connect(action, &QAction::triggered, Panel1, &EntryPanel::Registra1Click);
    connect(ui->Esci1, &QAction::triggered, this, &TForm4::Esci1Click);
    connect(ui->SpeedButton6, &QAction::triggered, this, &TForm4::Esci1Click);
    // A checkable action has already flipped its tick when it fires; the handler decides from
    // the tick as it was.
    connect(ui->Sound1, &QAction::triggered, this, [this](bool checked) {
        ui->Sound1->setChecked(!checked);
        Sound1Click();
    });
    connect(ui->UserData1, &QAction::triggered, this, &TForm4::UserData1Click);
    connect(ui->SpeedButton20, &QAction::triggered, this, &TForm4::UserData1Click);
    connect(ui->Management1, &QAction::triggered, Panel2, &ManagementView::Management1Click);
    connect(ui->speedman, &QAction::triggered, Panel2, &ManagementView::Management1Click);
    for (QAction *command : {ui->Progress1, ui->SpeedProgress})
        connect(command, &QAction::triggered, this, &TForm4::Progress1Click);
    for (QAction *command : {ui->Calcolo1, ui->Calcolo2, ui->Summary1, ui->Summary2})
        connect(command, &QAction::triggered, this, [this, command] { Calcolo1Click(command); });
    for (QAction *action : {ui->Backup1, ui->SpeedBack})
        connect(action, &QAction::triggered, m_maintenance, &MaintenanceMenu::Backup1Click);
    for (QAction *action : {ui->Restore1, ui->SpeedRest})
        connect(action, &QAction::triggered, m_maintenance, &MaintenanceMenu::Restore1Click);
    connect(ui->Compact1, &QAction::triggered, m_maintenance, &MaintenanceMenu::Compact1Click);
    const std::pair<QAction *, void (InfoMenu::*)()> infoCommands[] = {
        {ui->DOKHelp1, &InfoMenu::DOKHelp1Click},
        {ui->Emailme1, &InfoMenu::Emailme1Click},
        {ui->WEBsite1, &InfoMenu::WEBsite1Click},
        {ui->WZPOfficialpage1, &InfoMenu::WZPOfficialpage1Click},
        {ui->Whatsnew1, &InfoMenu::Whatsnew1Click},
        {ui->About2, &InfoMenu::About2Click},
        {ui->Rules1, &InfoMenu::Rules1Click},
        {ui->SpeedButton4, &InfoMenu::Rules1Click},
    };
    for (const auto &[action, handler] : infoCommands)
        connect(action, &QAction::triggered, m_info, handler);
    connect(ui->MaP1, &QAction::triggered, this, &TForm4::MaP1Click);
    connect(ui->ImportAdif1, &QAction::triggered, this, &TForm4::ImportAdif1Click);
    connect(ui->ImportConfirmations1, &QAction::triggered, this, &TForm4::ImportConfirmations1Click);
    connect(ui->ExportAdif1, &QAction::triggered, this, [this] { exchangecommands::exportAdif(Dm); });
    connect(ui->UpdateDokList1, &QAction::triggered, this, [this] { exchangecommands::updateDokList(Dm); });
    for (QAction *action : {ui->Modifica1, ui->Speedmod})
        connect(action, &QAction::triggered, this, &TForm4::Modifica1Click);
    for (QAction *action : {ui->Delete1, ui->Speeddel})
        connect(action, &QAction::triggered, this, &TForm4::SpeeddelClick);
    for (QAction *action : {ui->Request1, ui->SpeedButton2})
        connect(action, &QAction::triggered, this, &TForm4::SpeedButton2Click);
}

void TForm4::setWhatsNewWindow(QDialog *window)
{
    m_info->setWhatsNewWindow(window);
}

void TForm4::ImportAdif1Click()
{
    if (exchangecommands::importAdif(Dm, this))
        Calcolo1Click(ui->Calcolo2);
}

void TForm4::ImportConfirmations1Click()
{
    if (exchangecommands::importConfirmations(Dm))
        Calcolo1Click(ui->Calcolo2);
}

void TForm4::setCommandEnabled(Command command, bool enabled)
{
    const auto pair = [&]() -> std::pair<QAction *, QAction *> {
        switch (command) {
        case Command::New: return {ui->Nuovo1, ui->Speednew};
        case Command::Modify: return {ui->Modifica1, ui->Speedmod};
        case Command::Delete: return {ui->Delete1, ui->Speeddel};
        case Command::Save: return {ui->Registra1, ui->Speedreg};
        case Command::Management: return {ui->Management1, ui->speedman};
        case Command::Request: return {ui->Request1, ui->SpeedButton2};
        case Command::Rules: return {ui->Rules1, ui->SpeedButton4};
        case Command::Refresh: return {ui->Calcolo2, ui->Calcolo1};
        case Command::Summary: return {ui->Summary1, ui->Summary2};
        case Command::UserData: return {ui->UserData1, ui->SpeedButton20};
        case Command::Backup: return {ui->Backup1, ui->SpeedBack};
        case Command::Restore: return {ui->Restore1, ui->SpeedRest};
        case Command::Exit: return {ui->Esci1, ui->SpeedButton6};
        }
        return {nullptr, nullptr};
    }();
    pair.first->setEnabled(enabled);
    pair.second->setEnabled(enabled);
}

QAction *TForm4::action(const QString &name) const
{
    return findChild<QAction *>(name);
}

QLabel *TForm4::statusPanel(int index) const
{
    return m_statusPanels[index];
}

void TForm4::setStatusPanelRaised(int index, bool raised)
{
    m_statusPanels[index]->setFrameShadow(raised ? QFrame::Raised : QFrame::Sunken);
}

void TForm4::setExitHint(const QString &text)
{
    hint::set(ui->SpeedButton6, text);
}

void TForm4::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm4::FormShow()
{
    reportEngineErrors([&] {
        // The switch shows what is stored; nothing is written.
        ui->Sound1->setChecked(!Dm.info.boolean(QStringLiteral("sound")));
        flipSoundSwitch();
    });
    setCommandEnabled(Command::Backup, false);
    setCommandEnabled(Command::Restore, false);
    showLastRefresh();
    setCommandEnabled(Command::Modify, false);
    setCommandEnabled(Command::Delete, false);
    Panel1->mainWindowShown();
    Panel1->hide();
    Panel2->hide();
    Panel1->setSaveEnabled(false);
    reportEngineErrors([&] {
        Dm.log.setFiltered(true);
        Dm.dok.setFilter(QString());
        Panel2->showDokTotal(Dm.dok.recordCount());
        Dm.dok.first();
    });
}

void TForm4::showLastRefresh()
{
    reportEngineErrors([&] {
        const QDateTime refreshed = Dm.riep.dateTime(QStringLiteral("dataagg"));
        const QString date = refreshed.isValid() ? localformat::shortDate(refreshed.date()) : QStringLiteral("never");
        ui->Calcolo2->setText(QStringLiteral("Refresh &Data: last on ") + date);
        hint::set(ui->Calcolo1, QStringLiteral(" Refresh Data| Recalculate the score: last on ") + date);
    });
}

void TForm4::Timer1Timer()
{
    using localformat::twoDigits;
    const QDateTime local = services::clock().now();
    const QDateTime utc = local.toUTC();
    Panel1->showClock(twoDigits(utc.time().hour()) + QLatin1Char('.') + twoDigits(utc.time().minute()),
                      twoDigits(local.time().hour()) + QLatin1Char('.') + twoDigits(local.time().minute())
                          + QLatin1Char('.') + twoDigits(local.time().second()));
    if (const auto load = systemMemoryLoad())
        m_statusPanels[2]->setText(QStringLiteral("Memoria in uso ") + QString::number(*load) + QStringLiteral(" %"));
}

void TForm4::Sound1Click()
{
    const bool on = flipSoundSwitch();
    reportEngineErrors([&] {
        Dm.info.edit();
        Dm.info.setBoolean(QStringLiteral("sound"), on);
        Dm.info.post();
    });
}

bool TForm4::flipSoundSwitch()
{
    const bool on = !ui->Sound1->isChecked();
    ui->Sound1->setText(on ? QStringLiteral("&Sounds OFF") : QStringLiteral("&Sounds ON"));
    ui->Sound1->setChecked(on);
    Dm.soundOn = on;
    return on;
}

void TForm4::UserData1Click()
{
    m_userData->exec();
}

void TForm4::Calcolo1Click(const QObject *sender)
{
    TForm9 window(Dm, Timer1, this);
    if (sender == ui->Calcolo1 || sender == ui->Calcolo2)
        window.showRefreshPanel();
    else
        window.showSummaryPanel();
    window.exec();
    Timer1->start();
    // A refresh run in the window has a new date.
    showLastRefresh();
}

void TForm4::Progress1Click()
{
    TFormProgress window(Dm, this);
    window.exec();
}

void TForm4::MaP1Click()
{
    if (!reportEngineErrors([&] { Dm.dok.setFiltered(true); }))
        return;
    TForm13 window(Dm, this);
    window.exec();
}

void TForm4::Modifica1Click()
{
    TForm8 window(Dm, *Panel2, this);
    window.exec();
}

void TForm4::SpeeddelClick()
{
    QsoDeletion deletion(Dm);
    std::optional<SelectedQso> qso;
    reportEngineErrors([&] { qso = deletion.selected(); });
    if (qso && services::prompter().ask(QsoDeletion::question(*qso), Prompter::Question::YesCancel)
        && reportEngineErrors([&] { deletion.remove(*qso); })) {
        reportEngineErrors([&] { deletion.compact(); });
        if (services::prompter().ask(QStringLiteral("After deleting one or more QSOs you need to refresh your data.\r"
                                                    "Do you like to do it right now?\r"
                                                    "If not, remember to do it by the button \"Refresh Data\""),
                                     Prompter::Question::YesNo))
            Calcolo1Click(ui->Calcolo1);
    }
    Panel2->Button1Click(nullptr);
}

void TForm4::SpeedButton2Click()
{
    TForm11 window(Dm, *this, this);
    window.exec();
}

void TForm4::beginPrinting()
{
    Timer1->stop();
    viewMarker = QLatin1Char('D');
}

void TForm4::endPrinting()
{
    viewMarker = QLatin1Char('N');
    Timer1->start();
}

void TForm4::Esci1Click()
{
    if (Panel1->isHidden() && Panel2->isHidden()) {
        terminate();
        return;
    }
    setCommandEnabled(Command::Modify, false);
    setCommandEnabled(Command::Delete, false);
    setCommandEnabled(Command::Refresh, true);
    if (!Panel1->isHidden()) {
        Panel1->leave();
        setExitHint(exitHint);
        ui->Registra1->setEnabled(false);
        ui->Speedreg->setEnabled(false);
        setCommandEnabled(Command::Management, true);
        reportEngineErrors([&] { Dm.log.setFilter(QString()); });
        Panel1->hide();
        ui->Compact1->setEnabled(true);
    }
    if (!Panel2->isHidden()) {
        viewMarker = QLatin1Char('N');
        setCommandEnabled(Command::Backup, false);
        setCommandEnabled(Command::Restore, false);
        setExitHint(exitHint);
        setCommandEnabled(Command::New, true);
        Panel2->leave();
        reportEngineErrors([&] {
            Dm.dok.setFilter(QString());
            Dm.log.setSort(QStringLiteral("dok"));
        });
        Panel2->hide();
        setStatusPanelRaised(1, false);
        m_statusPanels[1]->clear();
        ui->Compact1->setEnabled(true);
    }
}

void TForm4::closeEvent(QCloseEvent *event)
{
    event->accept();
    terminate();
}

void TForm4::terminate()
{
    Dm.ADOconn.disconnect();
    emit terminateRequested();
}

bool TForm4::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        m_statusPanels[0]->setText(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}
