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
#include <optional>
#include <vector>

namespace {

const char *const allQsos = QT_TRANSLATE_NOOP("ProgressWindow", "All bands and modes");

QDateTime startOf(const QDate &date)
{
    return date.startOfDay(Qt::UTC);
}

// One column of the stored rows as texts. A column held as codes gives each distinct text once,
// converted when first met, so a pass over a large log makes a text per value, not per row.
class ColumnTexts
{
public:
    ColumnTexts(const RowStore &rows, int column) : m_rows(rows), m_column(column), m_coded(rows.isCoded(column)) {}

    const QString &at(int row)
    {
        if (!m_coded) {
            const std::string_view text = m_rows.text(row, m_column, m_scratch);
            m_uncoded = m_rows.isNull(row, m_column) ? QString()
                                                      : QString::fromUtf8(text.data(), qsizetype(text.size()));
            return m_uncoded;
        }
        const uint32_t code = m_rows.code(row, m_column);
        if (code >= m_texts.size())
            m_texts.resize(code + 1);
        std::optional<QString> &text = m_texts[code];
        if (!text) {
            const std::string_view utf8 = m_rows.dictionary(m_column).text(code);
            text = code == Dictionary::null ? QString() : QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
        }
        return *text;
    }

private:
    const RowStore &m_rows;
    const int m_column;
    const bool m_coded;
    std::vector<std::optional<QString>> m_texts;
    std::string m_scratch;
    QString m_uncoded;
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
        ColumnTexts dok(rows, log.columnIndex(QStringLiteral("dok")));
        ColumnTexts band(rows, log.columnIndex(QStringLiteral("banda")));
        ColumnTexts mode(rows, log.columnIndex(QStringLiteral("modo")));
        ColumnTexts date(rows, log.columnIndex(QStringLiteral("data")));
        ColumnTexts status(rows, log.columnIndex(QStringLiteral("conf")));
        for (int row = 0; row < rows.rowCount(); ++row) {
            if (rows.isAlive(row))
                m_progress.add(dok.at(row), band.at(row), mode.at(row), date.at(row), status.at(row));
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
