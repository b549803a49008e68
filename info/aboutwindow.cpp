// AboutWindow: the about box.
#include "aboutwindow.h"

#include "buildversion.h"
#include "infoconstants.h"
#include "infomenu.h"
#include "ui_aboutwindow.h"

#include <QMouseEvent>

AboutWindow::AboutWindow(LogData &dm, QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::AboutWindow>()), m_data(dm)
{
    ui->setupUi(this);
    ui->ProgramIcon->setPixmap(QIcon(QStringLiteral(":/wzplog.svg")).pixmap(64, 64));
    ui->ProductName->setText(infotext::productName);
    ui->Version->setText(QStringLiteral("%1 (%2)").arg(buildversion::version, infotext::releaseYear));
    ui->Copyright->setText(QStringLiteral("%1, %2").arg(infotext::authorName, infotext::authorCall));
    ui->Comments->setText(QStringLiteral("Program for management of D.O.K. Award"));
    ui->Label7->setText(infotext::authorMail);
    ui->MapCredit->setText(infotext::mapCredit);
    setLinkColour(Qt::black);
    for (QWidget *watched : {static_cast<QWidget *>(ui->Label7), static_cast<QWidget *>(ui->Panel1)}) {
        watched->setMouseTracking(true);
        watched->installEventFilter(this);
    }
    connect(ui->OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

AboutWindow::~AboutWindow() = default;

bool AboutWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        // A move over the address is not passed on to the panel below it.
        if (watched == ui->Label7) {
            highlightMailLink();
            return true;
        }
        if (watched == ui->Panel1)
            plainMailLink();
    } else if (watched == ui->Label7 && event->type() == QEvent::MouseButtonRelease
               && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        writeEmail();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void AboutWindow::writeEmail()
{
    openMailLink(m_data);
}

void AboutWindow::highlightMailLink()
{
    setLinkColour(Qt::blue);
    ui->Label7->setCursor(Qt::PointingHandCursor);
}

void AboutWindow::plainMailLink()
{
    setLinkColour(Qt::black);
    ui->Label7->setCursor(Qt::ArrowCursor);
}

void AboutWindow::setLinkColour(const QColor &colour)
{
    QPalette palette = ui->Label7->palette();
    palette.setColor(QPalette::WindowText, colour);
    ui->Label7->setPalette(palette);
}
