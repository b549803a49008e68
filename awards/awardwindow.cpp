// AwardWindow: the award application window.
#include "awardwindow.h"

#include "accessiblenames.h"
#include "applicationprintout.h"
#include "awardaccreditation.h"
#include "awardentry.h"
#include "awardqsos.h"
#include "clock.h"
#include "connection.h"
#include "datamodule.h"
#include "engineguard.h"
#include "exchangecommands.h"
#include "previewwindow.h"
#include "prompter.h"
#include "services.h"
#include "ui_awardwindow.h"
#include "vocabulary.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QShowEvent>
#include <QTimer>

namespace {

constexpr int gridColumns = 18;
constexpr int gridRows = 11;
constexpr int cellWidth = 28;
constexpr int cellHeight = 18;
// Wide enough for "1000" whole.
constexpr int levelColumnWidth = 34;
// Diplome's award columns start at this position; grid column c shows position c + 1.
constexpr int firstAwardPosition = 2;
// Grid columns from here on are modes.
constexpr int firstModeColumn = 13;
constexpr int typeLength = 15;

const QString newApplication = QStringLiteral("New Application");
const QString endorsement = QStringLiteral("Endorsement");

QString headerText(const QString &columnName)
{
    return columnName == QLatin1String("RTTY") ? vocab::rttyTitle : vocab::bandOfSuffix(columnName);
}

// Watches the grid's mouse presses, so a press on the cell already selected still counts as a
// selection.
class PressWatcher : public QObject
{
public:
    PressWatcher(QObject *parent, std::function<void()> pressed) : QObject(parent), m_pressed(std::move(pressed)) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            m_pressed();
        return false;
    }

private:
    std::function<void()> m_pressed;
};

} // namespace

AwardWindow::AwardWindow(LogData &dm, PrintingPause &opener, QWidget *parent)
    : ButtonClosedDialog(parent), ui(std::make_unique<Ui::AwardWindow>()), m_data(dm), m_opener(opener)
{
    ui->setupUi(this);
    ui->Grid->setAccessibleName(tr("Award levels by band and mode"));
    ui->ListBox1->setAccessibleName(tr("Awards to apply for"));
    nameEditParts(*this);
    m_background = new QLabel(this);
    m_background->setObjectName(QStringLiteral("Image5"));
    m_background->setStyleSheet(QStringLiteral(
        "background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f4f4f4, stop:1 #b8b8b8);"));
    m_background->lower();
    ui->ListBox1->setToolTip(QStringLiteral("Select to modify"));
    ui->Appl->lineEdit()->setMaxLength(typeLength);
    ui->Appl->setCurrentText(newApplication);
    setUpGrid();
    m_preview = [this](const report::Layout &layout, const QString &entry) { showPreview(layout, entry, this); };

    connect(ui->Choose, &QPushButton::clicked, this, &AwardWindow::focusApplicationType);
    connect(ui->ListBox1, &QListWidget::itemSelectionChanged, this, [this] {
        if (!ui->ListBox1->selectedItems().isEmpty())
            showTypeOfSelectedEntry();
    });
    connect(ui->Appl, &QComboBox::currentTextChanged, this, [this] {
        if (!m_settingType)
            applyTypeToSelectedEntries();
    });
    connect(ui->Butdel, &QPushButton::clicked, this, &AwardWindow::removeSelectedEntries);
    connect(ui->Butprep, &QPushButton::clicked, this, &AwardWindow::printApplications);
    connect(ui->ButExport, &QPushButton::clicked, this, &AwardWindow::exportAwardQsos);
    connect(ui->ButAccredit, &QPushButton::clicked, this, &AwardWindow::markAccredited);
    connect(ui->Button2, &QPushButton::clicked, this, &AwardWindow::closeWindow);
    closeOnEscape({ui->Button2});
}

AwardWindow::~AwardWindow() = default;

void AwardWindow::setUpGrid()
{
    QTableWidget *grid = ui->Grid;
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setMinimumSectionSize(cellWidth);
    grid->verticalHeader()->setMinimumSectionSize(cellHeight);
    grid->horizontalHeader()->setDefaultSectionSize(cellWidth);
    grid->verticalHeader()->setDefaultSectionSize(cellHeight);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QFont small = grid->font();
    small.setPointSize(7);
    grid->setFont(small);
    const int frame = 2 * grid->frameWidth();
    grid->setColumnWidth(0, levelColumnWidth);
    grid->setFixedSize(levelColumnWidth + (gridColumns - 1) * cellWidth + frame, gridRows * cellHeight + frame);
    const QBrush fixedGround = grid->palette().button();
    for (int row = 0; row < gridRows; ++row) {
        for (int column = 0; column < gridColumns; ++column) {
            auto *item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            if (row == 0 || column == 0) {
                // The fixed row and column can be neither selected nor reached with the keys.
                item->setFlags(Qt::NoItemFlags);
                item->setBackground(fixedGround);
                item->setForeground(grid->palette().buttonText());
            } else {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
            grid->setItem(row, column, item);
        }
    }
    connectGridSelection();
}

void AwardWindow::connectGridSelection()
{
    QTableWidget *grid = ui->Grid;
    grid->viewport()->installEventFilter(new PressWatcher(this, [this] {
        m_mousePressing = true;
        m_pressSelected = false;
    }));
    connect(grid, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (row < 1 || column < 1)
            return;
        if (m_mousePressing)
            m_pressSelected = true;
        chooseAward(column, row);
    });
    connect(grid, &QTableWidget::cellPressed, this, [this](int row, int column) {
        const bool counted = m_pressSelected;
        m_mousePressing = false;
        m_pressSelected = false;
        if (!counted && row >= 1 && column >= 1)
            chooseAward(column, row);
    });
}

void AwardWindow::showEvent(QShowEvent *event)
{
    ButtonClosedDialog::showEvent(event);
    if (!event->spontaneous())
        prepareOnShow();
}

void AwardWindow::resizeEvent(QResizeEvent *event)
{
    ButtonClosedDialog::resizeEvent(event);
    m_background->setGeometry(rect());
}

void AwardWindow::prepareOnShow()
{
    ui->Butdel->setEnabled(false);
    ui->Butprep->setEnabled(false);
    ui->ButExport->setEnabled(false);
    QTableWidget *grid = ui->Grid;
    grid->item(0, 0)->setText(QStringLiteral("WZP"));
    for (int row = 1; row < gridRows; ++row)
        grid->item(row, 0)->setText(QString::number(row * 100));
    reportEngineErrors([&] {
        for (int position = firstAwardPosition; position < firstAwardPosition + gridColumns - 1; ++position)
            grid->item(0, position - 1)->setText(headerText(m_data.Dipl.columnName(position)));
    });
    fillGridMarks();
}

void AwardWindow::fillGridMarks()
{
    reportEngineErrors([&] {
        QTableWidget *grid = ui->Grid;
        int row = 1;
        for (m_data.Dipl.first(); !m_data.Dipl.eof() && row < gridRows; m_data.Dipl.next(), ++row) {
            for (int position = firstAwardPosition; position < m_data.Dipl.columnCount() && position - 1 < gridColumns; ++position)
                grid->item(row, position - 1)->setText(m_data.Dipl.text(position).left(1));
        }
    });
}

void AwardWindow::focusApplicationType()
{
    ui->Appl->setFocus();
}

void AwardWindow::chooseAward(int column, int row)
{
    ui->Butprep->setEnabled(true);
    ui->Butdel->setEnabled(true);
    ui->ButExport->setEnabled(true);
    if (ui->ListBox1->count() >= awardentry::maximumEntries) {
        services::prompter().message(QStringLiteral("You can claim 5 awards max each time!"));
        return;
    }
    const QString mark = ui->Grid->item(row, column)->text();
    ui->ButAccredit->setEnabled(!m_printed.isEmpty() || mark == QLatin1String("C"));
    if (mark == QLatin1String("C")) {
        services::prompter().message(QStringLiteral("This Award has been already claimed"));
        return;
    }
    if (mark == QLatin1String("*")) {
        services::prompter().message(QStringLiteral("You have not enough DOKs confirmed in order to claim this Award"));
        return;
    }
    const int level = row * 100;
    ui->GroupBox1->setTitle(QStringLiteral("WZP_") + QString::number(level));
    ui->ListBox1->addItem(awardentry::make(level, ui->Grid->item(0, column)->text(), column >= firstModeColumn,
                                           ui->Appl->currentText()));
    rebuildSummary();
}

QStringList AwardWindow::entries() const
{
    QStringList list;
    for (int i = 0; i < ui->ListBox1->count(); ++i)
        list << ui->ListBox1->item(i)->text();
    return list;
}

void AwardWindow::rebuildSummary()
{
    ui->Label3->setText(awardentry::summary(entries()));
}

void AwardWindow::showTypeOfSelectedEntry()
{
    const QList<QListWidgetItem *> selected = ui->ListBox1->selectedItems();
    if (selected.isEmpty())
        return;
    m_settingType = true;
    ui->Appl->setCurrentText(selected.first()->text().contains(QStringLiteral("New")) ? newApplication : endorsement);
    m_settingType = false;
}

void AwardWindow::applyTypeToSelectedEntries()
{
    const QString type = ui->Appl->currentText();
    for (QListWidgetItem *item : ui->ListBox1->selectedItems())
        item->setText(awardentry::withType(item->text(), type));
    QStringList sorted = entries();
    sorted.sort(Qt::CaseInsensitive);
    ui->ListBox1->clear();
    ui->ListBox1->addItems(sorted);
}

void AwardWindow::removeSelectedEntries()
{
    const QList<QListWidgetItem *> selected = ui->ListBox1->selectedItems();
    for (QListWidgetItem *item : selected)
        delete item;
    const int remaining = ui->ListBox1->count();
    if (remaining == 1) {
        ui->Label3->setText(awardentry::awardName(ui->ListBox1->item(0)->text()));
    } else if (remaining > 1) {
        rebuildSummary();
    } else {
        ui->Label3->setText(awardentry::emptySummary);
        ui->GroupBox1->setTitle(QString());
        ui->Butdel->setEnabled(false);
        ui->Butprep->setEnabled(false);
        ui->ButExport->setEnabled(false);
    }
}

ApplicationRequest AwardWindow::request() const
{
    return ApplicationRequest{entries(), m_currentEntry, m_bandEntry, ui->Label3->text(), ui->Appl->currentText()};
}

void AwardWindow::exportAwardQsos()
{
    for (int i = 0; i < ui->ListBox1->count(); ++i) {
        const QString entry = ui->ListBox1->item(i)->text();
        exchangecommands::exportAward(m_data, awardentry::subject(entry),
                                      awardentry::awardName(entry) + QLatin1Char('-') + awardentry::subject(entry));
    }
}

void AwardWindow::printApplications()
{
    m_opener.beginPrinting();
    const QStringList list = entries();
    QStringList printed;
    for (int index = 0; index < list.size(); ++index) {
        m_currentEntry = index;
        const AwardQsos award(list.at(index));
        m_bandEntry = award.isBand();
        report::Layout layout;
        const bool laidOut = reportEngineErrors([&] {
            award.select(m_data);
            TQRep printout(m_data, request(), services::clock().now().date());
            layout = printout.layout();
        });
        if (!laidOut)
            return;
        m_preview(layout, list.at(index));
        printed << list.at(index);
    }
    if (!printed.isEmpty()) {
        m_printed = printed;
        ui->ButAccredit->setEnabled(true);
        offerClaimedMarks(printed);
    }
}

// The awards printed in this window, or else the claimed award chosen in the grid: an application
// printed earlier.
QStringList AwardWindow::accreditableAwards() const
{
    QStringList awards;
    for (const QString &entry : m_printed)
        awards << awardentry::subject(entry);
    const QTableWidgetItem *current = ui->Grid->currentItem();
    if (awards.isEmpty() && current && current->row() > 0 && current->column() > 0
        && current->text() == QLatin1String("C"))
        awards << ui->Grid->item(0, current->column())->text();
    return awards;
}

void AwardWindow::markAccredited()
{
    const QStringList awards = accreditableAwards();
    if (awards.isEmpty())
        return;
    if (!services::prompter().ask(QStringLiteral("Mark these QSOs accredited?"), Prompter::Question::YesNo))
        return;
    int accredited = 0;
    if (reportEngineErrors([&] { accredited = AwardAccreditation(m_data).accredit(awards); }))
        services::prompter().message(QStringLiteral("QSOs accredited: %1").arg(accredited));
}

void AwardWindow::offerClaimedMarks(const QStringList &printed)
{
    if (!services::prompter().ask(QStringLiteral("Mark these awards as claimed?"), Prompter::Question::YesNo))
        return;
    reportEngineErrors([&] {
        Transaction transaction(m_data.ADOconn);
        for (const QString &entry : printed) {
            const AwardQsos award(entry);
            m_data.Dipl.moveTo(award.level() / 100 - 1);
            m_data.Dipl.edit();
            m_data.Dipl.setText(award.suffix(), vocab::award::claimed);
            m_data.Dipl.post();
        }
        transaction.commit();
    });
    fillGridMarks();
}

void AwardWindow::closeWindow()
{
    reportEngineErrors([&] {
        m_data.logbanda.setFilter(QString());
        m_data.logmodo.setFilter(QString());
    });
    m_opener.endPrinting();
    accept();
}

void AwardWindow::showPreview(const report::Layout &layout, const QString &entry, QWidget *parent)
{
    const AwardQsos award(entry);
    PreviewWindow preview(layout, entry, awardentry::awardName(entry) + QLatin1Char('_') + award.suffix() + QStringLiteral(".pdf"),
                          parent);
    preview.exec();
}
