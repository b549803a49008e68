#pragma once

#include "layout.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

class QAction;

// The print preview of laid-out pages: page through them, print them on any printer, or save
// them as a PDF file ("Save as PDF…", Ctrl+S).
class PreviewWindow
{
public:
    // pdfName is the file name the PDF dialog suggests.
    PreviewWindow(report::Layout layout, const QString &title, const QString &pdfName, QWidget *parent = nullptr);

    QPrintPreviewDialog &dialog() { return m_dialog; }
    QAction *saveAsPdfAction() const { return m_saveAsPdf; }
    void saveAsPdf();
    int exec() { return m_dialog.exec(); }

private:
    QPrinter m_printer{QPrinter::HighResolution}; // before the dialog, which keeps a pointer to it
    report::Layout m_layout;
    QString m_pdfName;
    QPrintPreviewDialog m_dialog;
    QAction *m_saveAsPdf;
};
