// ProgressWindow: DOKs confirmed over time.
#include "progresswindow.h"

#include "datamodule.h"
#include "engineguard.h"
#include "localformat.h"
#include "ui_progresswindow.h"
#include "vocabulary.h"

#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>
#include <functional>
#include <optional>
#include <vector>

namespace {

const char *const allQsos = QT_TRANSLATE_NOOP("ProgressWindow", "All bands and modes");

QDateTime startOf(const QDate &date)
{
    return date.startOfDay(Qt::UTC);
}

// One column of the stored rows worked out into values. A column held as codes gives each
// distinct text to valueOf once, so a pass over a large log works out a value per text, not per
// row.
template<typename Value>
class ColumnValues
{
public:
    ColumnValues(const RowStore &rows, int column, std::function<Value(QStringView)> valueOf)
        : m_rows(rows), m_column(column), m_coded(rows.isCoded(column)), m_valueOf(std::move(valueOf))
    {
    }

    Value at(int row)
    {
        if (!m_coded) {
            const std::string_view text = m_rows.text(row, m_column, m_scratch);
            return m_valueOf(m_rows.isNull(row, m_column) ? QString() : QString::fromUtf8(text.data(), qsizetype(text.size())));
        }
        const uint32_t code = m_rows.code(row, m_column);
        if (code >= m_values.size())
            m_values.resize(code + 1);
        std::optional<Value> &value = m_values[code];
        if (!value) {
            const std::string_view utf8 = m_rows.dictionary(m_column).text(code);
            value = m_valueOf(code == Dictionary::null ? QString() : QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
        }
        return *value;
    }

private:
    const RowStore &m_rows;
    const int m_column;
    const bool m_coded;
    const std::function<Value(QStringView)> m_valueOf;
    std::vector<std::optional<Value>> m_values;
    std::string m_scratch;
};

} // namespace

ProgressWindow::ProgressWindow(LogData &dm, QWidget *parent)
    : ButtonClosedDialog(parent), ui(std::make_unique<Ui::ProgressWindow>()), m_data(dm)
{
    ui->setupUi(this);
    m_chartView = new QChartView(ui->ChartArea);
    m_chartView->setObjectName(QStringLiteral("Chart"));
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setMinimumSize(480, 320);
    ui->chartAreaLayout->addWidget(m_chartView);

    ui->Selection->addItem(tr(allQsos), QString());
    for (const QString &band : vocab::bands())
        ui->Selection->addItem(band + QStringLiteral(" MHz"), band);
    for (const QString &mode : vocab::modes())
        ui->Selection->addItem(mode, mode);
    connect(ui->Selection, &QComboBox::currentIndexChanged, this, &ProgressWindow::showSelectedProgress);
    connect(ui->Exit, &QPushButton::clicked, this, &QDialog::accept);
    closeOnEscape({ui->Exit});
    readLog();
    showSelectedProgress();
}

ProgressWindow::~ProgressWindow() = default;

// One pass over every QSO of the log, whatever the LOG view's filter, in the order they are
// stored: the curves do not depend on the order, and memory is read front to back.
void ProgressWindow::readLog()
{
    reportEngineErrors([&] {
        const TableView &log = m_data.log;
        const RowStore &rows = log.storedRows();
        const auto column = [&](const char *name) { return log.columnIndex(QLatin1String(name)); };
        const auto selection = [this](QStringView text) { return m_progress.selectionNumber(text); };
        ColumnValues<bool> counts(rows, column("conf"), &DokProgress::counts);
        ColumnValues<int> dok(rows, column("dok"), [this](QStringView text) { return text.isEmpty() ? -1 : m_progress.dokNumber(text); });
        ColumnValues<int> band(rows, column("banda"), selection);
        ColumnValues<int> mode(rows, column("modo"), selection);
        ColumnValues<qint64> day(rows, column("data"), &DokProgress::dayOf);
        for (int row = 0; row < rows.rowCount(); ++row) {
            if (!rows.isAlive(row) || !counts.at(row))
                continue;
            if (const int number = dok.at(row); number >= 0)
                m_progress.add(number, band.at(row), mode.at(row), day.at(row));
        }
    });
}

void ProgressWindow::showSelectedProgress()
{
    m_curve = m_progress.curve(ui->Selection->currentData().toString());
    showChart();
    showLevels();
    ui->Undated->setText(m_curve.undated == 0 ? QString()
                                              : tr("%1 DOK(s) confirmed only by QSOs whose date cannot be "
                                                               "read are counted at the end.")
                                                    .arg(m_curve.undated));
    ui->Undated->setVisible(m_curve.undated > 0);
}

void ProgressWindow::showChart()
{
    auto *chart = new QChart;
    chart->legend()->hide();
    chart->setTitle(tr("DOKs with a confirmed or accredited QSO: %1 (%2)").arg(m_curve.total()).arg(ui->Selection->currentText()));

    auto *growth = new QLineSeries(chart);
    growth->setName(QStringLiteral("DOKs"));
    QDate first = m_curve.steps.empty() ? QDate::currentDate() : m_curve.steps.front().date;
    QDate last = m_curve.steps.empty() ? first : m_curve.steps.back().date;
    if (last <= first)
        last = first.addDays(1);
    int count = 0;
    growth->append(double(startOf(first).toMSecsSinceEpoch()), 0);
    for (const DokProgress::Step &step : m_curve.steps) {
        const double at = double(startOf(step.date).toMSecsSinceEpoch());
        growth->append(at, count);
        growth->append(at, step.count);
        count = step.count;
    }
    // Undated DOKs are added after the last date.
    growth->append(double(startOf(last).toMSecsSinceEpoch()), m_curve.total());
    chart->addSeries(growth);

    // The levels up to the next one still to reach are drawn as lines.
    const int top = std::min(DokProgress::levelCount * DokProgress::levelStep,
                             (m_curve.total() / DokProgress::levelStep + 1) * DokProgress::levelStep);
    std::vector<QLineSeries *> lines;
    for (const DokProgress::Level &level : m_curve.levels) {
        if (level.dokCount > top)
            break;
        auto *line = new QLineSeries(chart);
        line->setName(QString::number(level.dokCount));
        line->setPen(QPen(QColor(0xB0, 0x80, 0x00), 1, Qt::DashLine));
        line->append(double(startOf(first).toMSecsSinceEpoch()), level.dokCount);
        line->append(double(startOf(last).toMSecsSinceEpoch()), level.dokCount);
        chart->addSeries(line);
        lines.push_back(line);
    }

    auto *dates = new QDateTimeAxis(chart);
    dates->setFormat(QStringLiteral("MM/yyyy"));
    dates->setTitleText(tr("QSO date"));
    dates->setRange(startOf(first), startOf(last));
    auto *doks = new QValueAxis(chart);
    doks->setRange(0, std::max(top, m_curve.total()));
    doks->setLabelFormat(QStringLiteral("%d"));
    doks->setTitleText(tr("DOKs confirmed (C or A)"));
    chart->addAxis(dates, Qt::AlignBottom);
    chart->addAxis(doks, Qt::AlignLeft);
    growth->attachAxis(dates);
    growth->attachAxis(doks);
    for (QLineSeries *line : lines) {
        line->attachAxis(dates);
        line->attachAxis(doks);
    }
    QChart *old = m_chartView->chart();
    m_chartView->setChart(chart);
    delete old;
}

void ProgressWindow::showLevels()
{
    QStringList lines{tr("Award levels")};
    for (const DokProgress::Level &level : m_curve.levels) {
        QString reached;
        if (level.reached.isValid())
            reached = localformat::shortDate(level.reached);
        else if (level.reachedUndated)
            reached = tr("reached (date unknown)");
        else
            reached = tr("not yet");
        lines << QStringLiteral("%1: %2").arg(level.dokCount, 4).arg(reached);
    }
    ui->Levels->setText(lines.join(QLatin1Char('\n')));
}
