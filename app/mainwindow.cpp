// MainWindow: the main window.
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

MainWindow::MainWindow(LogData &dm, QDialog *userDataWindow, QWidget *parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::MainWindow>()), m_data(dm), m_userData(userDataWindow)
{
    ui->setupUi(this);
    m_entryPanel = new EntryPanel(m_data, *this, ui->centralwidget);
    m_managementView = new ManagementView(m_data, *this, ui->centralwidget);
    ui->panelArea->addWidget(m_entryPanel);
    ui->panelArea->addWidget(m_managementView);
    connect(m_entryPanel, &EntryPanel::dokTotalChanged, m_managementView, &ManagementView::showDokTotal);
    m_entryPanel->hide();
    m_managementView->hide();
    m_maintenance = new MaintenanceMenu(m_data, [this] { terminate(); }, this);
    m_info = new InfoMenu(m_data, this);
    buildStatusBar();
    setHints();
    setIcons();
    setShortcuts();
    connectHandlers();
    m_clock = new QTimer(this);
    m_clock->setObjectName(QStringLiteral("Timer1"));
    m_clock->setInterval(500);
    connect(m_clock, &QTimer::timeout, this, &MainWindow::tickClock);
    m_clock->start();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildStatusBar()
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

void MainWindow::setHints()
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

void MainWindow::setIcons()
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

void MainWindow::setShortcuts()
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

void MainWindow::connectHandlers()
{
    for (QAction *action : {ui->Nuovo1, ui->Speednew})
        connect(action, &QAction::triggered, m_entryPanel, &EntryPanel::startNewQso);
    for (QAction *action : {ui->Registra1, ui->Speedreg})
        connect(action, &QAction::triggered, m_entryPanel, &EntryPanel::saveQso);
    connect(ui->Esci1, &QAction::triggered, this, &MainWindow::closePanelOrExit);
    connect(ui->SpeedButton6, &QAction::triggered, this, &MainWindow::closePanelOrExit);
    // A checkable action has already flipped its tick when it fires; the handler decides from
    // the tick as it was.
    connect(ui->Sound1, &QAction::triggered, this, [this](bool checked) {
        ui->Sound1->setChecked(!checked);
        toggleSound();
    });
    connect(ui->UserData1, &QAction::triggered, this, &MainWindow::openUserData);
    connect(ui->SpeedButton20, &QAction::triggered, this, &MainWindow::openUserData);
    connect(ui->Management1, &QAction::triggered, m_managementView, &ManagementView::openManagement);
    connect(ui->speedman, &QAction::triggered, m_managementView, &ManagementView::openManagement);
    for (QAction *command : {ui->Progress1, ui->SpeedProgress})
        connect(command, &QAction::triggered, this, &MainWindow::openProgress);
    for (QAction *command : {ui->Calcolo1, ui->Calcolo2, ui->Summary1, ui->Summary2})
        connect(command, &QAction::triggered, this, [this, command] { openRefresh(command); });
    for (QAction *action : {ui->Backup1, ui->SpeedBack})
        connect(action, &QAction::triggered, m_maintenance, &MaintenanceMenu::backUp);
    for (QAction *action : {ui->Restore1, ui->SpeedRest})
        connect(action, &QAction::triggered, m_maintenance, &MaintenanceMenu::restore);
    connect(ui->Compact1, &QAction::triggered, m_maintenance, &MaintenanceMenu::compact);
    const std::pair<QAction *, void (InfoMenu::*)()> infoCommands[] = {
        {ui->DOKHelp1, &InfoMenu::openDokHelp},
        {ui->Emailme1, &InfoMenu::writeEmail},
        {ui->WEBsite1, &InfoMenu::openWebsite},
        {ui->WZPOfficialpage1, &InfoMenu::openOfficialPage},
        {ui->Whatsnew1, &InfoMenu::openWhatsNew},
        {ui->About2, &InfoMenu::openAbout},
        {ui->Rules1, &InfoMenu::openRules},
        {ui->SpeedButton4, &InfoMenu::openRules},
    };
    for (const auto &[action, handler] : infoCommands)
        connect(action, &QAction::triggered, m_info, handler);
    connect(ui->MaP1, &QAction::triggered, this, &MainWindow::openOverviewMap);
    connect(ui->ImportAdif1, &QAction::triggered, this, &MainWindow::importAdif);
    connect(ui->ImportConfirmations1, &QAction::triggered, this, &MainWindow::importConfirmations);
    connect(ui->ExportAdif1, &QAction::triggered, this, [this] { exchangecommands::exportAdif(m_data); });
    connect(ui->UpdateDokList1, &QAction::triggered, this, [this] { exchangecommands::updateDokList(m_data); });
    for (QAction *action : {ui->Modifica1, ui->Speedmod})
        connect(action, &QAction::triggered, this, &MainWindow::openModify);
    for (QAction *action : {ui->Delete1, ui->Speeddel})
        connect(action, &QAction::triggered, this, &MainWindow::deleteSelectedQso);
    for (QAction *action : {ui->Request1, ui->SpeedButton2})
        connect(action, &QAction::triggered, this, &MainWindow::openAward);
}

void MainWindow::setWhatsNewWindow(QDialog *window)
{
    m_info->setWhatsNewWindow(window);
}

void MainWindow::importAdif()
{
    if (exchangecommands::importAdif(m_data, this))
        openRefresh(ui->Calcolo2);
}

void MainWindow::importConfirmations()
{
    if (exchangecommands::importConfirmations(m_data))
        openRefresh(ui->Calcolo2);
}

void MainWindow::setCommandEnabled(Command command, bool enabled)
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
        case Command::Compact: return {ui->Compact1, nullptr};
        case Command::Exit: return {ui->Esci1, ui->SpeedButton6};
        }
        return {nullptr, nullptr};
    }();
    pair.first->setEnabled(enabled);
    if (pair.second)
        pair.second->setEnabled(enabled);
}

QAction *MainWindow::action(const QString &name) const
{
    return findChild<QAction *>(name);
}

QLabel *MainWindow::statusPanel(int index) const
{
    return m_statusPanels[index];
}

void MainWindow::showCount(const QString &text)
{
    m_statusPanels[1]->setText(text);
    m_statusPanels[1]->setFrameShadow(QFrame::Raised);
}

void MainWindow::clearCount()
{
    m_statusPanels[1]->clear();
    m_statusPanels[1]->setFrameShadow(QFrame::Sunken);
}

void MainWindow::hideOtherPanels(const QWidget &shown)
{
    for (QWidget *panel : {static_cast<QWidget *>(m_entryPanel), static_cast<QWidget *>(m_managementView)}) {
        if (panel != &shown)
            panel->hide();
    }
}

void MainWindow::setExitHint(const QString &text)
{
    hint::set(ui->SpeedButton6, text);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        prepareOnShow();
}

void MainWindow::prepareOnShow()
{
    reportEngineErrors([&] {
        // The switch shows what is stored; nothing is written.
        ui->Sound1->setChecked(!m_data.info.boolean(QStringLiteral("sound")));
        flipSoundSwitch();
    });
    setCommandEnabled(Command::Backup, false);
    setCommandEnabled(Command::Restore, false);
    showLastRefresh();
    setCommandEnabled(Command::Modify, false);
    setCommandEnabled(Command::Delete, false);
    m_entryPanel->mainWindowShown();
    m_entryPanel->hide();
    m_managementView->hide();
    m_entryPanel->setSaveEnabled(false);
    reportEngineErrors([&] {
        m_data.log.setFiltered(true);
        m_data.dok.setFilter(QString());
        m_managementView->showDokTotal(m_data.dok.recordCount());
        m_data.dok.first();
    });
}

void MainWindow::showLastRefresh()
{
    reportEngineErrors([&] {
        const QDateTime refreshed = m_data.riep.dateTime(QStringLiteral("dataagg"));
        const QString date = refreshed.isValid() ? localformat::shortDate(refreshed.date()) : QStringLiteral("never");
        ui->Calcolo2->setText(QStringLiteral("Refresh &Data: last on ") + date);
        hint::set(ui->Calcolo1, QStringLiteral(" Refresh Data| Recalculate the score: last on ") + date);
    });
}

void MainWindow::tickClock()
{
    using localformat::twoDigits;
    const QDateTime local = services::clock().now();
    const QDateTime utc = local.toUTC();
    m_entryPanel->showClock(twoDigits(utc.time().hour()) + QLatin1Char('.') + twoDigits(utc.time().minute()),
                      twoDigits(local.time().hour()) + QLatin1Char('.') + twoDigits(local.time().minute())
                          + QLatin1Char('.') + twoDigits(local.time().second()));
    if (const auto load = systemMemoryLoad())
        m_statusPanels[2]->setText(QStringLiteral("Memoria in uso ") + QString::number(*load) + QStringLiteral(" %"));
}

void MainWindow::toggleSound()
{
    const bool on = flipSoundSwitch();
    reportEngineErrors([&] {
        m_data.info.edit();
        m_data.info.setBoolean(QStringLiteral("sound"), on);
        m_data.info.post();
    });
}

bool MainWindow::flipSoundSwitch()
{
    const bool on = !ui->Sound1->isChecked();
    ui->Sound1->setText(on ? QStringLiteral("&Sounds OFF") : QStringLiteral("&Sounds ON"));
    ui->Sound1->setChecked(on);
    m_data.soundOn = on;
    return on;
}

void MainWindow::openUserData()
{
    m_userData->exec();
}

void MainWindow::openRefresh(const QObject *sender)
{
    RefreshWindow window(m_data, m_clock, this);
    if (sender == ui->Calcolo1 || sender == ui->Calcolo2)
        window.showRefreshPanel();
    else
        window.showSummaryPanel();
    window.exec();
    m_clock->start();
    // A refresh run in the window has a new date.
    showLastRefresh();
}

void MainWindow::openProgress()
{
    ProgressWindow window(m_data, this);
    window.exec();
}

void MainWindow::openOverviewMap()
{
    if (!reportEngineErrors([&] { m_data.dok.setFiltered(true); }))
        return;
    OverviewMapWindow window(m_data, this);
    window.exec();
}

void MainWindow::openModify()
{
    ModifyWindow window(m_data, *m_managementView, this);
    window.exec();
}

void MainWindow::deleteSelectedQso()
{
    QsoDeletion deletion(m_data);
    std::optional<SelectedQso> qso;
    reportEngineErrors([&] { qso = deletion.selected(); });
    if (qso && services::prompter().ask(QsoDeletion::question(*qso), Prompter::Question::YesCancel)
        && reportEngineErrors([&] { deletion.remove(*qso); })) {
        reportEngineErrors([&] { deletion.compact(); });
        if (services::prompter().ask(QStringLiteral("After deleting one or more QSOs you need to refresh your data.\r"
                                                    "Do you like to do it right now?\r"
                                                    "If not, remember to do it by the button \"Refresh Data\""),
                                     Prompter::Question::YesNo))
            openRefresh(ui->Calcolo1);
    }
    m_managementView->showDoksWithQso(nullptr);
}

void MainWindow::openAward()
{
    AwardWindow window(m_data, *this, this);
    window.exec();
}

void MainWindow::beginPrinting()
{
    m_clock->stop();
    m_viewMarker = QLatin1Char('D');
}

void MainWindow::endPrinting()
{
    m_viewMarker = QLatin1Char('N');
    m_clock->start();
}

void MainWindow::closePanelOrExit()
{
    if (m_entryPanel->isHidden() && m_managementView->isHidden()) {
        terminate();
        return;
    }
    setCommandEnabled(Command::Modify, false);
    setCommandEnabled(Command::Delete, false);
    setCommandEnabled(Command::Refresh, true);
    if (!m_entryPanel->isHidden()) {
        m_entryPanel->leave();
        setExitHint(exitHint);
        ui->Registra1->setEnabled(false);
        ui->Speedreg->setEnabled(false);
        setCommandEnabled(Command::Management, true);
        reportEngineErrors([&] { m_data.log.setFilter(QString()); });
        m_entryPanel->hide();
        setCommandEnabled(Command::Compact, true);
    }
    if (!m_managementView->isHidden()) {
        m_viewMarker = QLatin1Char('N');
        setCommandEnabled(Command::Backup, false);
        setCommandEnabled(Command::Restore, false);
        setExitHint(exitHint);
        setCommandEnabled(Command::New, true);
        m_managementView->leave();
        reportEngineErrors([&] {
            m_data.dok.setFilter(QString());
            m_data.log.setSort(QStringLiteral("dok"));
        });
        m_managementView->hide();
        clearCount();
        setCommandEnabled(Command::Compact, true);
    }
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    terminate();
}

void MainWindow::terminate()
{
    m_data.ADOconn.disconnect();
    emit terminateRequested();
}

bool MainWindow::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        m_statusPanels[0]->setText(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}
