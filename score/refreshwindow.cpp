// RefreshWindow: refresh and summary.
#include "refreshwindow.h"

#include "columnfit.h"
#include "datamodule.h"
#include "dokmatrixcolumns.h"
#include "engineerror.h"
#include "engineguard.h"
#include "fieldlink.h"
#include "gridlink.h"
#include "prompter.h"
#include "recalculation.h"
#include "services.h"
#include "statusdelegate.h"
#include "ui_refreshwindow.h"
#include "vocabulary.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>

namespace {

const QString refreshCaption = QStringLiteral("Refresh data and recalculate score");
const QString summaryCaption = QStringLiteral("Summary by band and mode");

// Window events run at least this often while the recalculation works.
constexpr int eventInterval = 25; // ms

QString stepText(Recalculation::Step step)
{
    switch (step) {
    case Recalculation::Step::Clearing: return QStringLiteral("Going to clear old values");
    case Recalculation::Step::Calculating: return QStringLiteral("Going to calculate Confirmed/Accredited");
    case Recalculation::Step::Counting: return QStringLiteral("Going to recalculate the score");
    }
    return {};
}

// Restores the normal cursor however the recalculation ends.
class BusyCursor
{
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace

RefreshWindow::RefreshWindow(LogData &dm, QTimer *clock, QWidget *parent)
    : ButtonClosedDialog(parent), ui(std::make_unique<Ui::RefreshWindow>()), m_data(dm), m_clock(clock)
{
    ui->setupUi(this);
    ui->DBGdok->setAccessibleName(tr("DOK table"));
    // Each summary list holds the bands of the mode its box is titled with.
    for (QListWidget *list : findChildren<QListWidget *>()) {
        if (auto *box = qobject_cast<QGroupBox *>(list->parentWidget()))
            list->setAccessibleName(tr("%1 bands").arg(box->title()));
    }
    // No title-bar buttons: the window is left through its own "E&xit" buttons.
    new GridLink(ui->DBGdok, dokMatrixColumns(ModeTitles::Lower), &m_data.dok);
    StatusDelegate::showIn(ui->DBGdok);
    ui->DBGdok->verticalHeader()->hide();
    bindCounters();
    alignCounterColumns();
    ui->ProgressBar1->hide();
    ui->Lab1->hide();

    connect(ui->SpeedButton3, &QPushButton::clicked, this, &RefreshWindow::runRefresh);
    connect(ui->SpeedButton4, &QPushButton::clicked, this, &RefreshWindow::switchToSummary);
    connect(ui->SpeedButton5, &QPushButton::clicked, this, &RefreshWindow::closeWindow);
    connect(ui->SpeedButton1, &QPushButton::clicked, this, &RefreshWindow::showRefreshPanel);
    connect(ui->SpeedButton2, &QPushButton::clicked, this, &RefreshWindow::closeSummary);
    // The Exit of the page shown; both are disabled while the figures are recalculated.
    closeOnEscape({ui->SpeedButton5, ui->SpeedButton2});
}

RefreshWindow::~RefreshWindow() = default;

void RefreshWindow::bindCounters()
{
    // Inner box, counter prefix: the five modes, then all modes together on the band cells.
    const std::pair<QGroupBox *, QString> boxes[] = {
        {ui->GroupBox1, QStringLiteral("SSB")}, {ui->GroupBox2, QStringLiteral("CW")},
        {ui->GroupBox3, QStringLiteral("RTTY")}, {ui->GroupBox4, QStringLiteral("PSK")},
        {ui->GroupBox5, QStringLiteral("FM")},  {ui->GroupBox6, QString()},
    };
    for (const auto &[box, mode] : boxes) {
        for (const QString &suffix : vocab::matrixSuffixes()) {
            const QString cell = mode.isEmpty() ? vocab::bandCell(suffix) : vocab::pairCell(mode, suffix);
            for (const QString &column : {vocab::confirmedCounter(cell), vocab::accreditedCounter(cell)}) {
                auto *label = box->findChild<QLabel *>(column, Qt::FindDirectChildrenOnly);
                Q_ASSERT(label);
                FieldLink::bind(label, m_data.riep, column);
                m_counters.push_back({box, label, column});
            }
        }
    }
}

// The counters stand under the words of their box's title ("Conf   Acc") in whatever font the
// user's text scaling gives.
void RefreshWindow::alignCounterColumns()
{
    for (const CounterLabel &counter : m_counters) {
        QStyleOptionGroupBox option;
        option.initFrom(counter.box);
        option.text = counter.box->title();
        option.textAlignment = counter.box->alignment();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        const QRect title = counter.box->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                                  QStyle::SC_GroupBoxLabel, counter.box);
        const QString heading = counter.box->title();
        const bool accredited = counter.column.startsWith(QLatin1Char('A'));
        const int offset = accredited
            ? counter.box->fontMetrics().horizontalAdvance(heading.left(heading.indexOf(QStringLiteral("Acc"))))
            : 0;
        counter.label->move(title.left() + offset, counter.label->y());
    }
}

void RefreshWindow::showRefreshPanel()
{
    ui->Panels->setCurrentWidget(ui->Panel2);
    setWindowTitle(refreshCaption);
}

void RefreshWindow::showSummaryPanel()
{
    setWindowTitle(summaryCaption);
    ui->Panels->setCurrentWidget(ui->Panel1);
}

void RefreshWindow::showEvent(QShowEvent *event)
{
    ButtonClosedDialog::showEvent(event);
    if (!event->spontaneous())
        prepareOnShow();
}

void RefreshWindow::prepareOnShow()
{
    columnfit::setAtLeast(ui->DBGdok, 0, 62);
    for (int column = 1; column < ui->DBGdok->model()->columnCount(); ++column)
        columnfit::setAtLeast(ui->DBGdok, column, 26, QStringLiteral("C"));
    // The window widens to show every column of the matrix.
    ui->DBGdok->setMinimumWidth(ui->DBGdok->horizontalHeader()->length() + 2 * ui->DBGdok->frameWidth()
                                + ui->DBGdok->verticalScrollBar()->sizeHint().width() + 2);
    ui->ProgressBar1->hide();
    ui->Lab1->hide();
    showStamp();
    setModeCaptions();
    createZeroMarks();
    applyZeroMarks();
}

void RefreshWindow::showStamp()
{
    reportEngineErrors([&] { ui->Lab2->setText(refreshStampText(m_data.riep.dateTime(QStringLiteral("dataagg")))); });
    // The stamp stays on one line: the window widens for it. Where the window cannot grow enough
    // (a narrow screen, large text), the time goes on a line of its own, never "AM" alone.
    const int margins = 2 * (layout()->contentsMargins().left() + layout()->contentsMargins().right())
        + style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing);
    const int needed = ui->DBGdok->minimumWidth() + ui->Lab2->sizeHint().width() + margins;
    if (width() < needed)
        resize(std::min(needed, screen()->availableGeometry().width()), height());
    if (width() < needed) {
        QString text = ui->Lab2->text();
        const qsizetype at = text.lastIndexOf(QStringLiteral(",  at"));
        if (at >= 0)
            ui->Lab2->setText(text.replace(at + 1, 1, QLatin1Char('\n')));
    }
}

void RefreshWindow::setModeCaptions()
{
    const std::pair<QGroupBox *, const char *> boxes[] = {
        {ui->Groupfon, "PHONE"}, {ui->Groupcw, "CW"}, {ui->Grouptty, "RTTY"}, {ui->Grouppsk, "PSK"}, {ui->Groupfm, "FM"},
    };
    const QString modes[] = {QStringLiteral("SSB"), QStringLiteral("CW"), QStringLiteral("RTTY"),
                             QStringLiteral("PSK"), QStringLiteral("FM")};
    reportEngineErrors([&] {
        for (size_t i = 0; i < std::size(boxes); ++i) {
            const QString count = m_data.riep.text(vocab::confirmedCounter(vocab::modeCell(modes[i])));
            boxes[i].first->setTitle(QString::fromLatin1(boxes[i].second) + QStringLiteral(" - ") + count);
        }
    });
}

void RefreshWindow::createZeroMarks()
{
    if (m_counters.front().zeroMark)
        return;
    const QGroupBox *boxes[] = {ui->GroupBox1, ui->GroupBox2, ui->GroupBox3, ui->GroupBox4, ui->GroupBox5, ui->GroupBox6};
    for (CounterLabel &counter : m_counters) {
        const int n = int(std::find(std::begin(boxes), std::end(boxes), counter.box) - std::begin(boxes)) + 1;
        const int first = 1 + 50 * (n - 1);
        const int childIndex = int(counter.box->children().indexOf(counter.label));
        auto *mark = new QLabel(QStringLiteral("*"), counter.box);
        mark->setObjectName(QStringLiteral("mylabel%1").arg(first + childIndex));
        mark->setStyleSheet(QStringLiteral("color: grey;"));
        mark->setGeometry(counter.label->x() + 1, counter.label->y(), counter.label->width(), counter.label->height());
        counter.zeroMark = mark;
    }
}

void RefreshWindow::applyZeroMarks()
{
    reportEngineErrors([&] {
        for (const CounterLabel &counter : m_counters) {
            const bool zero = m_data.riep.integer(counter.column) == 0;
            counter.label->setVisible(!zero);
            counter.zeroMark->setVisible(zero);
        }
    });
}

void RefreshWindow::runRefresh()
{
    if (m_running)
        return;
    if (!services::prompter().ask(QStringLiteral("Do you really want to refresh your data?\rIf yes, please wait."),
                                  Prompter::Question::YesNo))
        return;
    m_running = true;
    setButtonsEnabled(false);
    if (m_clock)
        m_clock->stop();
    ui->ProgressBar1->setValue(0);
    ui->ProgressBar1->show();
    QString failure;
    {
        BusyCursor busy;
        ui->Lab1->show();
        QElapsedTimer sinceEvents;
        sinceEvents.start();
        const auto letEventsRun = [&](bool now) {
            if (now || sinceEvents.elapsed() >= eventInterval) {
                QCoreApplication::processEvents();
                sinceEvents.restart();
            }
        };
        Recalculation recalculation(m_data);
        recalculation.onStep = [&](Recalculation::Step step) {
            ui->Lab1->setText(stepText(step));
            letEventsRun(true);
        };
        recalculation.onProgress = [&](int done, int total) {
            ui->ProgressBar1->setMaximum(std::max(total, 1));
            ui->ProgressBar1->setValue(done);
            letEventsRun(false);
        };
        try {
            recalculation.run();
            ui->ProgressBar1->setValue(ui->ProgressBar1->maximum());
            ui->Lab1->setText(QStringLiteral("Data have been succefully refreshed!"));
            showStamp();
        } catch (const EngineError &error) {
            failure = error.text();
        }
    }
    ui->ProgressBar1->hide();
    m_running = false;
    setButtonsEnabled(true);
    if (!failure.isEmpty())
        services::prompter().error(failure);
}

void RefreshWindow::setButtonsEnabled(bool enabled)
{
    for (QPushButton *button : {ui->SpeedButton3, ui->SpeedButton4, ui->SpeedButton5, ui->SpeedButton1, ui->SpeedButton2})
        button->setEnabled(enabled);
}

void RefreshWindow::switchToSummary()
{
    setWindowTitle(summaryCaption);
    setModeCaptions();
    applyZeroMarks();
    ui->Panels->setCurrentWidget(ui->Panel1);
}

void RefreshWindow::closeWindow()
{
    close();
}

void RefreshWindow::closeSummary()
{
    ui->Lab1->hide();
    reportEngineErrors([&] {
        for (TableView *view : {&m_data.dok, &m_data.log}) {
            view->setFiltered(false);
            view->setFilter(QString());
        }
    });
    close();
}

void RefreshWindow::closeEvent(QCloseEvent *event)
{
    if (m_running) {
        event->ignore();
        return;
    }
    ButtonClosedDialog::closeEvent(event);
}
