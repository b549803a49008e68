// TForm7: the QSO details window.
#include "detailswindow.h"

#include "datamodule.h"
#include "gridlink.h"
#include "ui_detailswindow.h"

#include <QHeaderView>
#include <QShowEvent>

TForm7::TForm7(TDm &dm, QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::TForm7>()), Dm(dm)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    // The user goes on clicking cells of the main window while this one shows their QSOs.
    setAttribute(Qt::WA_ShowWithoutActivating);
    new GridLink(ui->DBGBand,
                 {{QStringLiteral("DOK"), QStringLiteral("DOK")},
                  {QStringLiteral("CALL"), QStringLiteral("CALL")},
                  {QStringLiteral("BANDA"), QStringLiteral("MHz")},
                  {QStringLiteral("MODO"), QStringLiteral("MODO")},
                  {QStringLiteral("DATA"), QStringLiteral("DATA")},
                  {QStringLiteral("CONF"), QStringLiteral("Cf")},
                  {QStringLiteral("loc"), QStringLiteral("QTH")}},
                 &Dm.log);
    ui->DBGBand->verticalHeader()->hide();
    ui->DBGBand->horizontalHeader()->setStretchLastSection(true);
}

TForm7::~TForm7() = default;

void TForm7::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm7::FormShow()
{
    move(10, 10);
}
