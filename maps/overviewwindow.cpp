// OverviewMapWindow: the overview map window.
#include "overviewwindow.h"

#include "datamodule.h"
#include "districtcatalogue.h"
#include "districtwindow.h"
#include "dokstate.h"
#include "hint.h"
#include "ui_overviewwindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QStatusTipEvent>

using namespace maps;

OverviewMapWindow::OverviewMapWindow(LogData &dm, QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::OverviewMapWindow>()), m_data(dm)
{
    ui->setupUi(this);
    for (const DistrictEntry &district : districtCatalogue()) {
        auto *area = new QAction(this);
        area->setObjectName(QString::fromLatin1(district.areaName));
        connect(area, &QAction::triggered, this, [this, area] { openDistrict(area); });
    }
    connect(ui->Ima, &OverviewPicture::districtClicked, this, [this](QChar letter) { area(letter)->trigger(); });
    connect(ui->Ima, &OverviewPicture::districtHovered, this, &OverviewMapWindow::showHint);
    showShares();
}

OverviewMapWindow::~OverviewMapWindow() = default;

QAction *OverviewMapWindow::area(QChar letter) const
{
    const DistrictEntry *district = districtByLetter(letter);
    return district ? findChild<QAction *>(QString::fromLatin1(district->areaName), Qt::FindDirectChildrenOnly) : nullptr;
}

void OverviewMapWindow::showShares()
{
    const auto shares = districtShares(m_data.dok);
    for (const DistrictEntry &district : districtCatalogue()) {
        const auto share = shares.find(district.letter);
        const DistrictShare figure = share == shares.end() ? DistrictShare{} : share->second;
        const int percent = figure.total ? int(100.0 * figure.withQso / figure.total + 0.5) : 0;
        hint::set(area(district.letter), QString::fromLatin1(district.hint) + QLatin1Char('|')
                                             + QStringLiteral("DOK district %1: %2 of %3 DOKs with a QSO (%4 %)")
                                                   .arg(district.letter).arg(figure.withQso).arg(figure.total).arg(percent));
    }
    ui->Ima->setShares(shares);
}

void OverviewMapWindow::showHint(QChar letter)
{
    QAction *hovered = letter.isNull() ? nullptr : area(letter);
    ui->Ima->setToolTip(hovered ? hovered->toolTip() : QString());
    // The long part goes to the main window's status bar, as for every other hint.
    if (QWidget *owner = parentWidget()) {
        QStatusTipEvent tip(hovered ? hovered->statusTip() : QString());
        QCoreApplication::sendEvent(owner, &tip);
    }
}

// The district last pointed at is no longer named once the map is gone.
void OverviewMapWindow::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    showHint(QChar());
}

void OverviewMapWindow::openDistrict(const QAction *clicked)
{
    for (const DistrictEntry &district : districtCatalogue()) {
        if (area(district.letter) != clicked)
            continue;
        const auto window = createDistrictWindow(QString::fromLatin1(district.windowClass), m_data, this);
        window->exec();
        showShares();
        return;
    }
}
