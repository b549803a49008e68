// DetailsWindow: the QSO details window.
#include "detailswindow.h"

#include "datamodule.h"
#include "detailsplacement.h"
#include "gridlink.h"
#include "statusdelegate.h"
#include "ui_detailswindow.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QTableView>

namespace {

const int shownRows = 10;

} // namespace

DetailsWindow::DetailsWindow(LogData &dm, QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::DetailsWindow>()), m_data(dm)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    // The user goes on clicking cells of the main window while this one shows their QSOs.
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto *link = new GridLink(ui->DBGBand,
                              {{QStringLiteral("DOK"), QStringLiteral("DOK")},
                               {QStringLiteral("CALL"), QStringLiteral("CALL")},
                               {QStringLiteral("BANDA"), QStringLiteral("MHz")},
                               {QStringLiteral("MODO"), QStringLiteral("MODO")},
                               {QStringLiteral("DATA"), QStringLiteral("DATA")},
                               {QStringLiteral("CONF"), QStringLiteral("Cf")},
                               {QStringLiteral("loc"), QStringLiteral("QTH")}},
                              &m_data.log);
    StatusDelegate::showIn(ui->DBGBand);
    ui->DBGBand->verticalHeader()->hide();
    ui->Caption->setText(windowTitle());
    ui->Caption->installEventFilter(this);
    // A new filter brings other QSOs, whose texts the columns fit.
    // The LOG view changes on every key typed in the entry panel: only a shown window cares.
    connect(&link->model(), &QAbstractItemModel::modelReset, this, [this] {
        if (isVisible())
            fitColumns();
    });
}

DetailsWindow::~DetailsWindow() = default;

void DetailsWindow::setAnchor(QWidget *matrix)
{
    m_anchor = matrix;
}

void DetailsWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        prepareOnShow();
}

void DetailsWindow::prepareOnShow()
{
    fitColumns();
    if (!m_anchor || !m_anchor->isVisible()) {
        resize(wantedSize());
        return;
    }
    QRect matrix(m_anchor->mapToGlobal(QPoint(0, 0)), m_anchor->size());
    // A grid wider than its columns leaves the room beside them free.
    if (const auto *grid = qobject_cast<const QTableView *>(m_anchor.data())) {
        const int used = 2 * grid->frameWidth() + (grid->verticalHeader()->isVisible() ? grid->verticalHeader()->width() : 0)
            + grid->horizontalHeader()->length()
            + (grid->verticalScrollBar()->isVisible() ? grid->verticalScrollBar()->width() : 0);
        matrix.setWidth(std::min(matrix.width(), used));
    }
    const QRect area = m_anchor->screen()->availableGeometry();
    setGeometry(detailsPlacement(matrix, area, wantedSize()));
}

void DetailsWindow::fitColumns()
{
    ui->DBGBand->resizeColumnsToContents();
    if (isVisible() && width() < wantedSize().width())
        resize(std::min(wantedSize().width(), screen()->availableGeometry().right() - x()), height());
}

QSize DetailsWindow::wantedSize() const
{
    const QTableView *grid = ui->DBGBand;
    // The frame, room for a scroll bar and the grid lines' pixel.
    int width = 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width() + 2;
    for (int column = 0; column < grid->model()->columnCount(); ++column)
        width += grid->horizontalHeader()->sectionSize(column);
    const int height = ui->Caption->sizeHint().height() + 2 * grid->frameWidth() + grid->horizontalHeader()->height()
        + shownRows * grid->verticalHeader()->defaultSectionSize();
    return {width, height};
}

void DetailsWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowTitleChange)
        ui->Caption->setText(windowTitle());
    QWidget::changeEvent(event);
}

// Dragging the title strip moves the window, as a title bar would.
bool DetailsWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->Caption) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton) {
                m_dragging = true;
                m_grabOffset = mouse->globalPosition().toPoint() - pos();
                return true;
            }
            break;
        }
        case QEvent::MouseMove:
            if (m_dragging) {
                move(static_cast<QMouseEvent *>(event)->globalPosition().toPoint() - m_grabOffset);
                return true;
            }
            break;
        case QEvent::MouseButtonRelease:
            m_dragging = false;
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
