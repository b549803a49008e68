#include "painter.h"

#include "filesafety.h"
#include "subsetnames.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

namespace report {

namespace {

constexpr double mmPerInch = 25.4;

class PagePainter
{
public:
    PagePainter(QPainter &painter, double dotsPerMm) : m_painter(painter), m_dotsPerMm(dotsPerMm) {}

    void paint(const Page &page)
    {
        for (const Placed &element : page.elements) {
            switch (element.kind) {
            case Placed::Kind::Area: break;
            case Placed::Kind::Box: box(element); break;
            case Placed::Kind::Text: text(element); break;
            case Placed::Kind::Line: line(element); break;
            }
        }
    }

private:
    QRectF device(const QRectF &mm) const
    {
        return QRectF(mm.x() * m_dotsPerMm, mm.y() * m_dotsPerMm, mm.width() * m_dotsPerMm, mm.height() * m_dotsPerMm);
    }

    void box(const Placed &element)
    {
        if (element.penWidth > 0)
            m_painter.setPen(QPen(element.colour, element.penWidth * m_dotsPerMm, element.penStyle, Qt::SquareCap, Qt::MiterJoin));
        else
            m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(element.fill.isValid() ? QBrush(element.fill) : QBrush(Qt::NoBrush));
        m_painter.drawRect(device(element.rect));
        m_painter.setBrush(Qt::NoBrush);
    }

    // Drawn as text, so that the PDF can be searched and its fonts are embedded; the layout has
    // already chosen a size at which the text fits its room.
    void text(const Placed &element)
    {
        if (element.text.isEmpty())
            return;
        QFont font(element.font.family);
        font.setPointSizeF(element.font.pointSize);
        font.setBold(element.font.bold);
        m_painter.setFont(font);
        m_painter.setPen(element.colour);
        const int wrapping = element.wrapped ? Qt::TextWordWrap : Qt::TextSingleLine;
        m_painter.drawText(device(element.rect), int(element.alignment) | wrapping | Qt::TextDontClip, element.text);
    }

    void line(const Placed &element)
    {
        m_painter.setPen(QPen(element.colour, element.penWidth * m_dotsPerMm, element.penStyle, Qt::FlatCap));
        const QRectF rect = device(element.rect);
        m_painter.drawLine(rect.topLeft(), rect.bottomRight());
    }

    QPainter &m_painter;
    double m_dotsPerMm;
};

QPageLayout a4FullPage()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

} // namespace

void paint(const Layout &layout, QPagedPaintDevice &device)
{
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing);
    PagePainter pages(painter, device.logicalDpiX() / mmPerInch);
    for (size_t i = 0; i < layout.pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        pages.paint(layout.pages[i]);
    }
}

void print(const Layout &layout, QPrinter &printer)
{
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    if (!layout.title.isEmpty())
        printer.setDocName(layout.title);
    paint(layout, printer);
}

QString writePdf(const Layout &layout, const QString &fileName)
{
    if (const QString problem = filesafety::overwriteProblem(fileName); !problem.isEmpty())
        return problem;
    // Written beside the file and renamed over it when complete, so a file already there stays
    // whole when the disk fills up.
    QSaveFile file(fileName);
    const auto failed = [&] { return QStringLiteral("The file %1 could not be written: %2.").arg(fileName, filesafety::writeError(file)); };
    if (!file.open(QIODevice::WriteOnly))
        return failed();
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageLayout(a4FullPage());
        writer.setResolution(300);
        writer.setCreator(QStringLiteral("WZP Logbook"));
        writer.setTitle(layout.title);
        paint(layout, writer);
    }
    const QByteArray bytes = withSubsetFontNames(pdf.data());
    if (file.write(bytes) != bytes.size())
        return failed();
    if (!file.commit())
        return failed();
    return {};
}

} // namespace report
