// WhatsNewWindow: the what's-new window.
#include "whatsnewwindow.h"

#include "buildversion.h"
#include "infoconstants.h"
#include "ui_whatsnewwindow.h"

#include <QFontMetrics>
#include <QStringList>
#include <QTextDocument>
#include <algorithm>

WhatsNewWindow::WhatsNewWindow(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::WhatsNewWindow>())
{
    ui->setupUi(this);
    const QStringList lines{
        QString(),
        QStringLiteral("  Version %1 - %2").arg(buildversion::version, infotext::releaseMonth),
        QStringLiteral("  - Compact and repair database (Utility)"),
        QStringLiteral("  - Recalculate score improved"),
        QStringLiteral("  - View also Accredited in DOK Management"),
        QStringLiteral("  - Removed some bugs"),
        QStringLiteral("  - Added links to my email and WEB pages (Help)"),
    };
    ui->Memo1->setPlainText(lines.join(QLatin1Char('\n')));
    // The box is as large as its text, whatever the font.
    const QFontMetrics metrics(ui->Memo1->font());
    int width = 0;
    for (const QString &line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    const int frame = 2 * (ui->Memo1->frameWidth() + int(ui->Memo1->document()->documentMargin())) + metrics.averageCharWidth();
    ui->Memo1->setMinimumSize(width + frame, metrics.lineSpacing() * int(lines.size() + 1) + frame);
    connect(ui->SpeedButton1, &QPushButton::clicked, this, &QDialog::accept);
}

WhatsNewWindow::~WhatsNewWindow() = default;
