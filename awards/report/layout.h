#pragma once

#include <QColor>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <vector>

// Laid-out pages as plain data: what stands where on each page, before anything is painted.
// All measures are millimetres from the top left corner of the paper.
namespace report {

inline const QString defaultFamily = QStringLiteral("Liberation Sans");

struct Font
{
    double pointSize = 10;
    bool bold = false;
    QString family = defaultFamily;
    bool operator==(const Font &) const = default;
};

struct Placed
{
    // Area: the room a drawing takes, nothing of its own is painted.
    enum class Kind { Area, Box, Text, Line };

    QString name;
    Kind kind = Kind::Text;
    // A line runs from the rectangle's top left to its bottom right corner. A text's rectangle
    // is the room it was fitted into.
    QRectF rect;
    QString text;
    Font font;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    bool wrapped = false; // a text set over several lines
    double penWidth = 0; // boxes and lines: millimetres; a box without pen has no outline
    Qt::PenStyle penStyle = Qt::SolidLine;
    QColor colour = Qt::black; // of a text or of an outline
    QColor fill;               // of a box; invalid: not filled
};

struct Page
{
    std::vector<Placed> elements;

    // The first element of that name, or nullptr.
    const Placed *find(const QString &name) const;
    // Every element of that name, top to bottom.
    std::vector<const Placed *> all(const QString &name) const;
    QStringList texts() const;
};

struct Layout
{
    QString title; // the document's title, for the PDF and the print queue
    QSizeF paper{210, 297}; // A4 portrait
    std::vector<Page> pages;
};

} // namespace report
