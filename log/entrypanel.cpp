// Panel1 of MainWindow: the QSO entry panel.
#include "entrypanel.h"

#include "accessiblenames.h"
#include "adddokwindow.h"
#include "columnfit.h"
#include "commandswitch.h"
#include "datamodule.h"
#include "engineguard.h"
#include "fieldkeys.h"
#include "filter.h"
#include "focusfield.h"
#include "gridlink.h"
#include "hint.h"
#include "prefixsearch.h"
#include "preparedtextdelegate.h"
#include "prompter.h"
#include "services.h"
#include "shortcutkey.h"
#include "soundplayer.h"
#include "statusdelegate.h"
#include "ui_entrypanel.h"
#include "uppercase.h"
#include "vocabulary.h"

#include <QApplication>
#include <QHeaderView>
#include <QSignalBlocker>
#include <utility>

namespace {

const QString dokColumn = QStringLiteral("DOK");
// The widest DOK codes of the list have six characters ("YOTA19", "ARDF18").
const QString longestDok = QStringLiteral("WWWW99");
const QString unknownDok = QStringLiteral("This DOK does not exists or typing error");
enum DokGridColumn { BandColumn = 3, ModeColumn = 4 };
// The band and mode columns' width as drawn; a longer title ("RTTY", "144") widens them.
const int bandColumnWidth = 25;
const int modeColumnWidth = 35;

void setText(QComboBox *box, const QString &text)
{
    const QSignalBlocker blocker(box);
    box->setEditText(text);
}

// A text is allowed while it is the beginning of an item of the list.
bool beginsItem(const QComboBox *box, const QString &text)
{
    for (int i = 0; i < box->count(); ++i) {
        if (box->itemText(i).startsWith(text))
            return true;
    }
    return false;
}

} // namespace

EntryPanel::EntryPanel(LogData &dm, CommandSwitch &commands, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::EntryPanel>()), m_data(dm), m_commands(commands)
{
    ui->setupUi(this);
    // The date's label names its day field; its month and year fields and the two grids need
    // names of their own.
    ui->Med->setAccessibleName(tr("Month"));
    ui->Aed->setAccessibleName(tr("Year"));
    ui->DOKDBG->setAccessibleName(tr("DOK list"));
    ui->callDBG->setAccessibleName(tr("QSOs with this callsign"));
    nameEditParts(*this);
    for (QLabel *label : {ui->nuovo, ui->conferm, ui->Label3, ui->Label10}) {
        // The messages come and go in a place kept for them: the grids below never move.
        QSizePolicy policy = label->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        label->setSizePolicy(policy);
        label->hide();
    }
    for (QLineEdit *edit : {ui->dok, ui->call, ui->LOC})
        makeUpperCase(edit);
    makeUpperCase(ui->modo);
    ui->mhz->lineEdit()->setMaxLength(3);
    ui->modo->lineEdit()->setMaxLength(6);
    // The list check works on exactly what is typed; completion would fill in a band unasked.
    ui->mhz->setCompleter(nullptr);
    ui->modo->setCompleter(nullptr);
    hint::set(ui->registra2, QStringLiteral(" Registra i dati "));
    hint::set(ui->DOKDBG, QStringLiteral("Double Click to edit"));
    hint::set(ui->dateLabel, QStringLiteral("Click to enter the date"));

    m_dokGrid = new GridLink(ui->DOKDBG,
                             {{dokColumn, dokColumn},
                              {QString(), QString()},
                              {QStringLiteral("DESCR"), QStringLiteral("NAME")},
                              {vocab::bandCell(QStringLiteral("14")), QStringLiteral("14")},
                              {vocab::modeCell(QStringLiteral("SSB")), QStringLiteral("SSB")}},
                             &m_data.dok);
    StatusDelegate::showIn(ui->DOKDBG);
    ui->DOKDBG->horizontalHeader()->setMinimumSectionSize(8);
    columnfit::setAtLeast(ui->DOKDBG, 0, 0, longestDok);
    ui->DOKDBG->setColumnWidth(1, 8);
    // The name takes the room the grid has.
    ui->DOKDBG->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    m_callGrid = new GridLink(ui->callDBG,
                              {{QStringLiteral("DOK"), QStringLiteral("DOK")},
                               {QStringLiteral("CALL"), QStringLiteral("CALL")},
                               {QStringLiteral("DATA"), QStringLiteral("DATA")},
                               {QStringLiteral("BANDA"), QStringLiteral("MHz")},
                               {QStringLiteral("MODO"), QStringLiteral("MODE")},
                               {QStringLiteral("LOC"), QStringLiteral("QTH")},
                               {QStringLiteral("CONF"), QStringLiteral("Conf.")}},
                              &m_data.log);
    PreparedTextDelegate::showIn(ui->callDBG);
    // Every column fits its title and its usual texts; the QTH takes the rest of the width.
    const std::pair<int, const char *> samples[] = {
        {0, "WWWW99"}, {1, "DL1ABC/P"}, {2, "05/03/2009"}, {3, "144"}, {4, "RTTY"}, {6, "C"}};
    for (const auto &[column, sample] : samples)
        columnfit::setAtLeast(ui->callDBG, column, 0, QString::fromLatin1(sample));
    ui->callDBG->horizontalHeader()->setSectionResizeMode(5, QHeaderView::Stretch);

    for (QWidget *control : {static_cast<QWidget *>(ui->dok), static_cast<QWidget *>(ui->mhz),
                             static_cast<QWidget *>(ui->modo), static_cast<QWidget *>(ui->call),
                             static_cast<QWidget *>(ui->Ged), static_cast<QWidget *>(ui->Med),
                             static_cast<QWidget *>(ui->Aed), static_cast<QWidget *>(ui->LOC),
                             static_cast<QWidget *>(ui->dateLabel)})
        control->installEventFilter(this);

    connect(ui->dok, &QLineEdit::textChanged, this, &EntryPanel::dokEdited);
    connect(ui->mhz, &QComboBox::editTextChanged, this, &EntryPanel::bandEdited);
    connect(ui->modo, &QComboBox::editTextChanged, this, &EntryPanel::modeEdited);
    connect(ui->Ged, &QLineEdit::textChanged, this, &EntryPanel::dayEdited);
    connect(ui->Med, &QLineEdit::textChanged, this, &EntryPanel::monthEdited);
    connect(ui->Aed, &QLineEdit::textChanged, this, &EntryPanel::yearEdited);
    connect(ui->registra2, &QPushButton::clicked, this, &EntryPanel::saveQso);
    connect(ui->DOKDBG, &QTableView::clicked, this, &EntryPanel::takeClickedDok);
    connect(ui->DOKDBG, &QTableView::doubleClicked, this, &EntryPanel::allowDokGridEditing);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) {
        if (inDokGrid(old) && now && !inDokGrid(now) && now->window() == window())
            endDokGridEditing();
    });
}

EntryPanel::~EntryPanel() = default;

void EntryPanel::showClock(const QString &utc, const QString &local)
{
    ui->LabelUTC->setText(utc);
    ui->LabelLOC->setText(local);
}

void EntryPanel::mainWindowShown()
{
    ui->Label3->hide();
    ui->Label10->hide();
}

void EntryPanel::leave()
{
    ui->Label3->hide();
    ui->dok->clear();
}

void EntryPanel::setSaveEnabled(bool enabled)
{
    m_commands.setCommandEnabled(CommandSwitch::Command::Save, enabled);
    ui->registra2->setEnabled(enabled);
}

QString EntryPanel::dokText() const
{
    return ui->dok->text();
}

void EntryPanel::clearDok()
{
    ui->dok->clear();
    ui->dok->setFocus();
}

void EntryPanel::startNewQso()
{
    m_commands.setCommandEnabled(CommandSwitch::Command::Compact, false);
    reportEngineErrors([&] {
        m_data.dok.setFiltered(true);
        m_data.dok.first();
    });
    m_dokGrid->model().setColumn(BandColumn, {vocab::bandCell(QStringLiteral("14")), QStringLiteral("14")});
    columnfit::setAtLeast(ui->DOKDBG, BandColumn, bandColumnWidth, QStringLiteral("C"));
    m_dokGrid->model().setColumn(ModeColumn, {vocab::modeCell(QStringLiteral("SSB")), QStringLiteral("SSB")});
    columnfit::setAtLeast(ui->DOKDBG, ModeColumn, modeColumnWidth, QStringLiteral("C"));
    show();
    m_commands.hideOtherPanels(*this);
    m_logging = true;
    m_commands.setExitHint(QStringLiteral("Close this panel| Exit QSO management"));
    m_commands.setCommandEnabled(CommandSwitch::Command::Modify, false);
    m_commands.setCommandEnabled(CommandSwitch::Command::Refresh, false);
    m_commands.setCommandEnabled(CommandSwitch::Command::Delete, false);
    for (QLineEdit *edit : {ui->call, ui->LOC, ui->Ged, ui->Med, ui->Aed})
        edit->clear();
    setText(ui->mhz, QStringLiteral("14"));
    setText(ui->modo, QStringLiteral("SSB"));
    ui->dok->clear();
    reportEngineErrors([&] {
        // The refresh window leaves LOG unfiltered; the QSO list of a new entry starts empty.
        m_data.log.setFiltered(true);
        m_data.log.setFilter(QStringLiteral("dok=%1 and banda=%2 and modo=%3")
                             .arg(Filter::quoted(ui->dok->text()), Filter::quoted(ui->mhz->currentText()),
                                  Filter::quoted(ui->modo->currentText())));
    });
    m_commands.setCommandEnabled(CommandSwitch::Command::Backup, false);
    m_commands.setCommandEnabled(CommandSwitch::Command::Restore, false);
    ui->nuovo->hide();
    ui->conferm->hide();
    m_commands.setCommandEnabled(CommandSwitch::Command::Management, false);
    ui->dok->setFocus();
}

void EntryPanel::saveQso()
{
    const QsoEntry qso = typedQso();
    if (const auto problem = QsoSaver::validate(qso)) {
        services::prompter().message(problem->message);
        focusField(problem->field);
        return;
    }
    QsoSaver::Outcome outcome{};
    const bool stored = reportEngineErrors([&] {
        outcome = QsoSaver(m_data).save(qso, [] {
            return services::prompter().ask(
                QStringLiteral("This DOK has been already Confirmed on this Band/Mode.\rWould you like to save anyway ?"),
                Prompter::Question::YesCancel);
        });
    });
    if (!stored)
        return;
    if (outcome == QsoSaver::Outcome::UnknownDok) {
        services::prompter().message(unknownDok);
        focusAndSelect(ui->dok);
        return;
    }
    if (outcome == QsoSaver::Outcome::Accredited)
        services::prompter().message(QStringLiteral("This DOK has been already Accredited on this Band/Mode."));
    reportEngineErrors([&] { m_data.log.setFiltered(true); });
    startNewQso();
}

QsoEntry EntryPanel::typedQso() const
{
    return {ui->call->text(), ui->dok->text(), ui->mhz->currentText(), ui->modo->currentText(),
            ui->Ged->text(),  ui->Med->text(), ui->Aed->text(),         ui->LOC->text()};
}

void EntryPanel::focusField(QsoSaver::Field field)
{
    switch (field) {
    case QsoSaver::Field::Call: focusAndSelect(ui->call); break;
    case QsoSaver::Field::Dok: focusAndSelect(ui->dok); break;
    case QsoSaver::Field::Band: focusAndSelect(ui->mhz); break;
    case QsoSaver::Field::Mode: focusAndSelect(ui->modo); break;
    case QsoSaver::Field::Date: focusAndSelect(ui->Ged); break;
    case QsoSaver::Field::Year: focusAndSelect(ui->Aed); break;
    }
}

void EntryPanel::takeModeAndBand()
{
    m_mode = ui->modo->currentText();
    m_suffix = vocab::bandSuffix(ui->mhz->currentText());
}

void EntryPanel::showWhetherDokIsNew()
{
    const QString dok = ui->dok->text();
    const QString band = ui->mhz->currentText();
    const QString mode = ui->modo->currentText();
    if (dok.isEmpty() || band.isEmpty() || mode.isEmpty())
        return;
    reportEngineErrors([&] {
        const QString onBand = QStringLiteral("dok=%1 and banda=%2").arg(Filter::quoted(dok), Filter::quoted(band));
        const QString inMode = QStringLiteral("dok=%1 and modo=%2").arg(Filter::quoted(dok), Filter::quoted(mode));
        // One pass over the log lists the DOK's QSOs on this band or in this mode, which is what
        // callDBG shows for a confirmed DOK; the DOK is new unless both kinds are among them.
        m_data.log.setFiltered(true);
        m_data.log.setFilter(QLatin1Char('(') + onBand + QStringLiteral(") or (") + inMode + QLatin1Char(')'));
        const int bandColumn = m_data.log.columnIndex(QStringLiteral("banda"));
        const int modeColumn = m_data.log.columnIndex(QStringLiteral("modo"));
        bool workedOnBand = false;
        bool workedInMode = false;
        for (int row = 0; row < m_data.log.recordCount(); ++row) {
            workedOnBand = workedOnBand || m_data.log.textAt(row, bandColumn).compare(band, Qt::CaseInsensitive) == 0;
            workedInMode = workedInMode || m_data.log.textAt(row, modeColumn).compare(mode, Qt::CaseInsensitive) == 0;
        }
        const bool isNew = !workedOnBand || !workedInMode;
        ui->nuovo->setVisible(isNew);
        ui->conferm->setVisible(!isNew);
        if (isNew) {
            // A new DOK lists nothing: the filter that found no QSO stays.
            m_data.log.setFilter(workedOnBand ? inMode : onBand);
            play(QStringLiteral("newdok.wav"));
        } else {
            play(QStringLiteral("confdok.wav"));
        }
    });
}

void EntryPanel::play(const QString &sound)
{
    if (m_data.soundOn)
        services::sound().play(sound);
}

void EntryPanel::dokEntered()
{
    if (ui->call->text().trimmed().isEmpty())
        ui->dok->clear();
}

void EntryPanel::dokEdited()
{
    if (!m_logging)
        return;
    for (QLabel *label : {ui->nuovo, ui->conferm, ui->Label3, ui->Label10})
        label->hide();
    const QString text = ui->dok->text();
    reportEngineErrors([&] {
        if (text.isEmpty()) {
            m_data.dok.first();
            return;
        }
        // The save controls and the DOK grid change once per keystroke: anything more repaints
        // for nothing on every key.
        const bool begunDok = m_data.dok.locate(dokColumn, {text}, true);
        if (!begunDok)
            m_data.dok.first();
        if (!begunDok && text.size() > 2) {
            setSaveEnabled(false);
            services::prompter().beep();
            ui->Label3->show();
            ui->dok->setFocus();
            ui->Label10->show();
            return;
        }
        setSaveEnabled(true);
        // A code that begins a longer one ("HSC" of "HSC70", "YL" of "YLO") waits for the rest
        // of the typing, or for Return or Tab.
        if (m_data.dok.locate(dokColumn, {text}) && !beginsLongerText(m_data.dok, dokColumn, text)) {
            focusAndSelect(ui->mhz);
            m_dokMovedOn = true;
        }
    });
}

void EntryPanel::dokLeft()
{
    if (ui->dok->text().isEmpty())
        return;
    reportEngineErrors([&] {
        const QString current = m_data.dok.recordCount() > 0 ? m_data.dok.text(dokColumn) : QString();
        if (ui->dok->text().compare(current, Qt::CaseInsensitive) != 0) {
            setSaveEnabled(false);
            services::prompter().beep();
            ui->Label3->show();
            if (services::prompter().ask(unknownDok + QStringLiteral("?\rDo you want to add it, right now?"),
                                         Prompter::Question::YesCancel)) {
                AddDokWindow addDok(m_data, *this, window());
                if (addDok.exec() == QDialog::Accepted) {
                    // The DOK is in the list now: nothing is left to add.
                    ui->Label3->hide();
                    ui->Label10->hide();
                    focusAndSelect(ui->mhz);
                    if (m_data.dok.filter().isEmpty() || !m_data.dok.isFiltered())
                        emit dokTotalChanged(m_data.dok.recordCount());
                }
            } else {
                clearDok();
            }
        } else {
            setSaveEnabled(true);
            ui->Label3->hide();
            focusAndSelect(ui->mhz);
        }
    });
    showWhetherDokIsNew();
}

bool EntryPanel::fieldKeyPressed(QWidget *control, QKeyEvent *event)
{
    // A user who types a whole code and then Return or Tab means to go to the band, where the
    // panel has already put the focus: that key stays there.
    const bool endsMovedOnDok = std::exchange(m_dokMovedOn, false) && control == ui->mhz;
    if (endsMovedOnDok && (isEnter(event) || isTab(event)))
        return true;
    if (isEnter(event)) {
        focusNextChild();
        selectFocusedText();
        return true;
    }
    const bool digitsOnly = control == ui->Ged || control == ui->Med || control == ui->Aed || control == ui->mhz;
    if (digitsOnly && isTypedNonDigit(event, control == ui->mhz ? bandCharacters : QStringView())) {
        services::prompter().beep();
        return true;
    }
    return false;
}

bool EntryPanel::locatorKeyPressed(QKeyEvent *event)
{
    if (!isEnter(event))
        return false;
    focusAndSelect(ui->dok);
    return true;
}

void EntryPanel::rememberBandAndMode()
{
    m_rememberedBand = ui->mhz->currentText().left(4);
    m_rememberedMode = ui->modo->currentText().left(4);
}

void EntryPanel::bandEdited()
{
    checkListValue(ui->mhz, m_rememberedBand, &EntryPanel::showBandColumn);
}

void EntryPanel::modeEdited()
{
    checkListValue(ui->modo, m_rememberedMode, &EntryPanel::showModeColumn);
}

void EntryPanel::checkListValue(QComboBox *box, const QString &remembered, void (EntryPanel::*showColumn)())
{
    const QString text = box->currentText();
    (this->*showColumn)();
    if (!beginsItem(box, text)) {
        services::prompter().message(QStringLiteral("The value ") + text + QStringLiteral(" is not allowed!"));
        setText(box, remembered);
        (this->*showColumn)();
    }
    showWhetherDokIsNew();
}

// A band or mode still being typed may name no column; the grid column then stays empty.
void EntryPanel::showBandColumn()
{
    takeModeAndBand();
    m_dokGrid->model().setColumn(BandColumn, {vocab::bandCell(m_suffix), ui->mhz->currentText()});
    columnfit::setAtLeast(ui->DOKDBG, BandColumn, bandColumnWidth, QStringLiteral("C"));
}

void EntryPanel::showModeColumn()
{
    takeModeAndBand();
    m_dokGrid->model().setColumn(ModeColumn, {vocab::modeCell(m_mode), m_mode});
    columnfit::setAtLeast(ui->DOKDBG, ModeColumn, modeColumnWidth, QStringLiteral("C"));
}

void EntryPanel::dayEdited()
{
    checkTwoDigits(ui->Ged, 31, QStringLiteral("Invalid Day!"), ui->Med);
}

void EntryPanel::monthEdited()
{
    checkTwoDigits(ui->Med, 12, QStringLiteral("Invalid Month!"), ui->Aed);
}

void EntryPanel::yearEdited()
{
    if (ui->Aed->text().size() == 4)
        focusAndSelect(ui->LOC);
}

void EntryPanel::checkTwoDigits(QLineEdit *field, int highest, const QString &message, QWidget *next)
{
    if (field->text().size() != 2)
        return;
    const int value = field->text().toInt();
    if (value >= 1 && value <= highest) {
        focusAndSelect(next);
        return;
    }
    services::prompter().beep();
    services::prompter().message(message);
    field->clear();
}

void EntryPanel::takeClickedDok(const QModelIndex &index)
{
    QString code;
    if (reportEngineErrors([&] { code = m_data.dok.textAt(index.row(), m_data.dok.columnIndex(dokColumn)); }))
        ui->dok->setText(code);
}

void EntryPanel::allowDokGridEditing()
{
    m_dokGrid->model().setEditable(true);
    ui->DOKDBG->setSelectionBehavior(QAbstractItemView::SelectItems);
    ui->DOKDBG->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                | QAbstractItemView::AnyKeyPressed);
}

void EntryPanel::endDokGridEditing()
{
    m_dokGrid->model().setEditable(false);
    ui->DOKDBG->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui->DOKDBG->setSelectionBehavior(QAbstractItemView::SelectRows);
}

// What the user types into a field reached by Return or Tab replaces its text.
void EntryPanel::selectFocusedText()
{
    if (QWidget *field = window()->focusWidget(); field && isAncestorOf(field))
        focusAndSelect(field);
}

bool EntryPanel::inDokGrid(const QWidget *widget) const
{
    return widget && (widget == ui->DOKDBG || ui->DOKDBG->isAncestorOf(widget));
}

bool EntryPanel::eventFilter(QObject *watched, QEvent *event)
{
    auto *control = static_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (isUnclaimedShortcut(key))
            return true;
        if (control == ui->LOC)
            return locatorKeyPressed(key);
        if (control != ui->dateLabel)
            return fieldKeyPressed(control, key);
        break;
    }
    case QEvent::FocusIn:
        if (!movedWithinWindow(event))
            break;
        if (control != ui->mhz)
            m_dokMovedOn = false;
        if (control == ui->dok)
            dokEntered();
        else if (control == ui->mhz || control == ui->modo)
            rememberBandAndMode();
        break;
    case QEvent::FocusOut:
        if (control == ui->dok && movedWithinWindow(event))
            dokLeft();
        break;
    case QEvent::MouseButtonPress:
        if (control == ui->dateLabel)
            focusAndSelect(ui->Ged);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
