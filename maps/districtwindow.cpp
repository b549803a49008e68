// DistrictWindow: the district map windows TForm14 ... TForm37.
#include "districtwindow.h"

#include "datamodule.h"
#include "districtcatalogue.h"
#include "engineguard.h"
#include "geography.h"
#include "mappainter.h"
#include "ui_districtwindow.h"
#include "vocabulary.h"

#include <QGridLayout>
#include <QLabel>
#include <QShowEvent>
#include <string_view>

using namespace maps;

namespace {

// The result labels: the LOG column each one looks up, the value it looks for, and its title.
struct ResultLabel
{
    const char *name;
    const char *column;
    const char *value;
    const char *title;
};

constexpr ResultLabel resultLabels[] = {
    {"Label1", "modo", "SSB", "SSB"},
    {"Label2", "modo", "CW", "CW"},
    {"Label3", "modo", "RTTY", "RTTY"},
    {"Label4", "modo", "FM", "FM"},
    {"Label5", "modo", "PSK", "PSK"},
    {"Label6", "banda", "1.8", "160"},
    {"Label7", "banda", "3.5", "80"},
    {"Label8", "banda", "7", "40"},
    {"Label9", "banda", "10", "30"},
    {"Label10", "banda", "14", "20"},
    {"Label11", "banda", "18", "17"},
    {"Label12", "banda", "21", "15"},
    {"Label13", "banda", "24", "12"},
    {"Label14", "banda", "28", "10"},
    {"Label15", "banda", "50", "6"},
    {"Label16", "banda", "144", "2"},
    {"Label17", "banda", "433", "70cm"},
};

QLabel *resultLabel(const ResultLabel &result, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(result.name));
    label->setMinimumWidth(78);
    return label;
}

QLabel *titleLabel(const ResultLabel &result, QWidget *parent)
{
    auto *title = new QLabel(QString::fromLatin1(result.title), parent);
    QFont font = title->font();
    font.setBold(true);
    title->setFont(font);
    return title;
}

QString legendHtml()
{
    QString html;
    for (DokState state : {DokState::NoQso, DokState::Worked, DokState::Accredited}) {
        html += QStringLiteral("<span style=\"background-color:%1;\">&nbsp;&nbsp;&nbsp;&nbsp;</span>&nbsp;%2&nbsp;&nbsp;&nbsp;")
                    .arg(painter::groundFor(state).name(), painter::legendText(state));
    }
    return html;
}

} // namespace

DistrictWindow::DistrictWindow(LogData &dm, const DistrictEntry &district, QWidget *parent)
    : ButtonClosedDialog(parent), ui(std::make_unique<Ui::DistrictWindow>()), m_data(dm), m_district(district)
{
    ui->setupUi(this);
    setObjectName(QString::fromLatin1(district.windowClass));
    setWindowTitle(QString::fromLatin1(district.caption));
    QPalette grey = ui->Image5->palette();
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(0, QColor(0xF2, 0xF2, 0xF2));
    gradient.setColorAt(1, QColor(0xB4, 0xB4, 0xB4));
    grey.setBrush(QPalette::Window, gradient);
    ui->Image5->setPalette(grey);
    ui->Image5->setAutoFillBackground(true);
    ui->Image5->lower();
    ui->Legend->setText(legendHtml());
    buildResultLabels();
    if (const DistrictShape *shape = Geography::delivered().district(district.letter))
        ui->Image1->showDistrict(*shape, m_data.dok);
    connect(ui->Image1, &DistrictPicture::dokAreaHovered, this, &DistrictWindow::showDokUnderMouse);
    connect(ui->Image1, &DistrictPicture::bareMapHovered, this, &DistrictWindow::clearResults);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &DistrictWindow::closeWindow);
    closeOnEscape({ui->BitBtn1});
}

DistrictWindow::~DistrictWindow() = default;

void DistrictWindow::buildResultLabels()
{
    // Modes in columns under their titles, bands in rows beside theirs.
    auto *modes = static_cast<QGridLayout *>(ui->GroupBox1->layout());
    auto *bands = static_cast<QGridLayout *>(ui->GroupBox2->layout());
    int modeColumn = 0, bandRow = 0;
    for (const ResultLabel &result : resultLabels) {
        if (result.column == std::string_view("modo")) {
            modes->addWidget(titleLabel(result, ui->GroupBox1), 0, modeColumn);
            m_results.push_back(resultLabel(result, ui->GroupBox1));
            modes->addWidget(m_results.back(), 1, modeColumn++);
        } else {
            bands->addWidget(titleLabel(result, ui->GroupBox2), bandRow, 0);
            m_results.push_back(resultLabel(result, ui->GroupBox2));
            bands->addWidget(m_results.back(), bandRow++, 1);
        }
    }
}

void DistrictWindow::showEvent(QShowEvent *event)
{
    ButtonClosedDialog::showEvent(event);
    if (!event->spontaneous())
        prepareOnShow();
}

void DistrictWindow::resizeEvent(QResizeEvent *event)
{
    ButtonClosedDialog::resizeEvent(event);
    ui->Image5->setGeometry(rect());
}

void DistrictWindow::clearResults()
{
    ui->Labeldok->clear();
    for (QLabel *label : m_results)
        label->clear();
}

void DistrictWindow::prepareOnShow()
{
    clearResults();
    reportEngineErrors([&] {
        m_data.dok.setFilter(districtDokFilter(m_district));
        setWindowTitle(QString::fromLatin1(m_district.caption) + QStringLiteral(" - Total ")
                       + QString::number(m_data.dok.recordCount()));
    });
    ui->Image1->update();
}

void DistrictWindow::showDokUnderMouse(const QString &code)
{
    reportEngineErrors([&] {
        if (m_data.dok.locate(vocab::table::dok, {code}))
            ui->Labeldok->setText(m_data.dok.text(vocab::table::dok) + QStringLiteral("  -  ") + m_data.dok.text(QStringLiteral("DESCR")));
        else
            ui->Labeldok->clear();
        for (size_t i = 0; i < std::size(resultLabels); ++i) {
            const ResultLabel &result = resultLabels[i];
            const bool found = m_data.log.locate(QStringLiteral("dok;") + QLatin1String(result.column),
                                             {code, QString::fromLatin1(result.value)});
            m_results[i]->setText(found ? m_data.log.text(QStringLiteral("call")) : QString());
        }
    });
}

void DistrictWindow::closeWindow()
{
    reportEngineErrors([&] { m_data.dok.setFilter(QString()); });
    accept();
}

std::unique_ptr<DistrictWindow> createDistrictWindow(const QString &windowClass, LogData &dm, QWidget *parent)
{
    const DistrictEntry *district = districtByWindowClass(windowClass);
    return district ? std::make_unique<DistrictWindow>(dm, *district, parent) : nullptr;
}
