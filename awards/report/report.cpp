#include "report.h"

#include "tableview.h"
#include "textfit.h"

namespace report {

Element &Band::add(Element element)
{
    elements.push_back(std::move(element));
    return elements.back();
}

Element &Band::element(const QString &elementName)
{
    for (Element &element : elements) {
        if (element.name == elementName)
            return element;
    }
    qFatal("no report element %s in band %s", qPrintable(elementName), qPrintable(name));
}

Report::Report() = default;

Band &Report::addBand(const QString &name, Band::Kind kind, double height)
{
    m_bands.push_back(Band{name, kind, height, true, {}});
    return m_bands.back();
}

Band &Report::band(const QString &name)
{
    for (Band &band : m_bands) {
        if (band.name == name)
            return band;
    }
    qFatal("no report band %s", qPrintable(name));
}

Band *Report::band(Band::Kind kind)
{
    for (Band &band : m_bands) {
        if (band.kind == kind)
            return &band;
    }
    return nullptr;
}

std::vector<Element *> Report::elements()
{
    std::vector<Element *> all;
    for (Band &band : m_bands) {
        for (Element &element : band.elements)
            all.push_back(&element);
    }
    return all;
}

// One pass over the view: the page being filled and where the next band goes.
class Report::Run
{
public:
    explicit Run(Report &report) : m_report(report)
    {
        m_layout.paper = report.paper;
        m_layout.title = report.m_title;
        const Band *footer = report.band(Band::Kind::PageFooter);
        m_footerHeight = footer && footer->enabled ? footer->height : 0;
        m_bodyBottom = report.paper.height() - report.margins.bottom() - m_footerHeight;
    }

    Layout run()
    {
        Band *detail = m_report.band(Band::Kind::Detail);
        startPage(true);
        if (TableView *data = m_report.m_data; data && detail && detail->enabled) {
            for (data->first(); !data->eof(); data->next()) {
                // A line goes to the next page whole when it would run into the footer.
                if (m_y + detail->height > m_bodyBottom + 1e-9) {
                    finishPage();
                    startPage(false);
                }
                ++m_detailNumber;
                place(*detail);
            }
        }
        finishPage();
        return std::move(m_layout);
    }

private:
    void startPage(bool first)
    {
        ++m_pageNumber;
        if (m_report.startPage)
            m_report.startPage(m_pageNumber);
        m_layout.pages.emplace_back();
        m_y = m_report.margins.top();
        for (Band::Kind kind : {Band::Kind::PageHeader, Band::Kind::Child}) {
            if (Band *band = m_report.band(kind); band && band->enabled)
                place(*band);
        }
        if (Band *title = m_report.band(Band::Kind::Title); first && title && title->enabled)
            place(*title);
    }

    void finishPage()
    {
        if (Band *footer = m_report.band(Band::Kind::PageFooter); footer && footer->enabled) {
            m_y = m_bodyBottom;
            place(*footer);
        }
    }

    void place(const Band &band)
    {
        const QPointF origin(m_report.margins.left(), m_y);
        Page &page = m_layout.pages.back();
        for (const Element &element : band.elements) {
            if (!element.enabled)
                continue;
            Placed placed;
            placed.name = element.name;
            placed.rect = element.rect.translated(origin);
            placed.font = element.font;
            placed.alignment = element.alignment;
            placed.kind = Placed::Kind::Text;
            switch (element.content) {
            case Element::Content::Drawing:
                placed.kind = Placed::Kind::Area;
                page.elements.push_back(placed);
                for (Placed part : element.parts) {
                    part.name = element.name + QLatin1Char('/') + part.name;
                    part.rect.translate(placed.rect.topLeft());
                    page.elements.push_back(std::move(part));
                }
                continue;
            case Element::Content::Line:
                placed.kind = Placed::Kind::Line;
                placed.penWidth = element.penWidth;
                page.elements.push_back(std::move(placed));
                continue;
            case Element::Content::Label: placed.text = element.source; break;
            case Element::Content::Field:
                placed.text = element.view ? element.view->text(element.column) : QString();
                if (element.format)
                    placed.text = element.format(placed.text);
                break;
            case Element::Content::Date: placed.text = m_report.m_date.toString(QStringLiteral("dd.MM.yyyy")); break;
            case Element::Content::PageNumber: placed.text = element.source + QString::number(m_pageNumber); break;
            case Element::Content::DetailNumber: placed.text = QString::number(m_detailNumber); break;
            }
            fitText(placed, element.room.isEmpty() ? element.rect.size() : element.room);
            page.elements.push_back(std::move(placed));
        }
        m_y += band.height;
    }

    Report &m_report;
    Layout m_layout;
    double m_footerHeight = 0;
    double m_bodyBottom = 0;
    double m_y = 0;
    int m_pageNumber = 0;
    int m_detailNumber = 0;
};

Layout Report::layout()
{
    if (beforePrint)
        beforePrint();
    return Run(*this).run();
}

} // namespace report
