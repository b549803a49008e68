#pragma once

#include "layout.h"

#include <QDate>
#include <QMarginsF>
#include <QString>
#include <functional>
#include <vector>

class TableView;

// A banded report over a table view, measured in millimetres: a page header with an optional
// child band, a title printed once, one detail band per row of the view and a page footer on
// every page. Hooks switch bands and elements on and off before printing and at the start of
// each page; layout() then turns the definition into pages of placed elements.
namespace report {

struct Element
{
    enum class Content {
        Drawing,      // parts: what is drawn, from the element's top left corner
        Label,        // source: the fixed text
        Field,        // the text of column in the current row of view
        Date,         // the report's date
        PageNumber,   // source: the prefix before the number
        DetailNumber, // the running number of the detail row, from 1
        Line,         // from the top left to the bottom right corner of rect
    };

    QString name;
    Content content = Content::Label;
    QRectF rect; // from the top left corner of the band
    // The room a text may take from rect's top left corner when it does not fit rect; an empty
    // size: rect itself.
    QSizeF room;
    Font font;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    QString source;
    const TableView *view = nullptr;
    QString column;
    // How a field's text is shown; none: as the column holds it.
    std::function<QString(const QString &)> format;
    std::vector<Placed> parts;
    double penWidth = 0; // millimetres
    bool enabled = true;

    void bind(const TableView &to, const QString &toColumn)
    {
        view = &to;
        column = toColumn;
    }
};

struct Band
{
    enum class Kind { PageHeader, Child, Title, Detail, PageFooter };

    QString name;
    Kind kind;
    double height;
    bool enabled = true;
    std::vector<Element> elements;

    Element &add(Element element);
    // The element of that name; a missing name is a programming error.
    Element &element(const QString &name);
};

class Report
{
public:
    Report();

    Band &addBand(const QString &name, Band::Kind kind, double height);
    Band &band(const QString &name);
    Band *band(Band::Kind kind);
    // Every element of every band.
    std::vector<Element *> elements();

    // The detail band prints once per row of this view, walking it from its first row.
    void setDataSet(TableView *view) { m_data = view; }
    TableView *dataSet() const { return m_data; }
    void setDate(const QDate &date) { m_date = date; }
    void setTitle(const QString &title) { m_title = title; }

    std::function<void()> beforePrint;
    // Runs before anything of the page is placed, with the number of the page about to start.
    std::function<void(int page)> startPage;

    // Runs the hooks and lays out every page. Engine errors of the fields pass through.
    Layout layout();

    QSizeF paper{210, 297};
    QMarginsF margins{10, 10, 10, 10};

private:
    class Run;

    std::vector<Band> m_bands;
    TableView *m_data = nullptr;
    QDate m_date;
    QString m_title;
};

} // namespace report
