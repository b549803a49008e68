#include "previewwindow.h"

#include "desktop.h"
#include "painter.h"
#include "prompter.h"
#include "services.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QScreen>
#include <QStyle>
#include <QToolBar>

PreviewWindow::PreviewWindow(report::Layout layout, const QString &title, const QString &pdfName, QWidget *parent)
    : m_layout(std::move(layout)), m_pdfName(pdfName), m_dialog(&m_printer, parent)
{
    m_dialog.setWindowTitle(title);
    m_printer.setDocName(title);
    m_printer.setFullPage(true);
    m_printer.setPageSize(QPageSize(QPageSize::A4));
    QObject::connect(&m_dialog, &QPrintPreviewDialog::paintRequested, &m_dialog,
                     [this](QPrinter *target) { report::print(m_layout, *target); });
    m_saveAsPdf = new QAction(QApplication::style()->standardIcon(QStyle::SP_DialogSaveButton),
                              QCoreApplication::translate("PreviewWindow", "Save as PDF…"), &m_dialog);
    m_saveAsPdf->setObjectName(QStringLiteral("SaveAsPdf"));
    m_saveAsPdf->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m_saveAsPdf->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(m_saveAsPdf, &QAction::triggered, &m_dialog, [this] { saveAsPdf(); });
    if (auto *toolBar = m_dialog.findChild<QToolBar *>())
        toolBar->addAction(m_saveAsPdf);
    else
        m_dialog.addAction(m_saveAsPdf);
    // Large enough for the whole tool bar and a readable page.
    if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        m_dialog.resize(screen->availableSize() * 0.9);
}

void PreviewWindow::saveAsPdf()
{
    QString fileName = services::desktop().saveFileName(QCoreApplication::translate("PreviewWindow", "Save as PDF"),
                                                        QCoreApplication::translate("PreviewWindow", "PDF files (*.pdf)"), m_pdfName);
    if (fileName.isEmpty())
        return;
    if (!fileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        fileName += QStringLiteral(".pdf");
    if (const QString problem = report::writePdf(m_layout, fileName); !problem.isEmpty())
        services::prompter().message(problem);
}
