#pragma once

#include "layout.h"

#include <QString>

class QPagedPaintDevice;
class QPrinter;

// Paints laid-out pages onto a printer, a print preview or a PDF file.
namespace report {

// Paints every page onto a paged device whose painter starts at the paper's top left corner
// (a printer set to full page, or a PDF writer without margins).
void paint(const Layout &layout, QPagedPaintDevice &device);
// Sets the printer to A4 on the full page, then paints.
void print(const Layout &layout, QPrinter &printer);
// Why the file could not be written, as a message for the user, or an empty text when it was.
QString writePdf(const Layout &layout, const QString &fileName);

} // namespace report
