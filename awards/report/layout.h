#pragma once

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
    enum class Kind { Picture, Text, Line };

    QString name;
    Kind kind = Kind::Text;
    // A line runs from the rectangle's top left to its bottom right corner.
    QRectF rect;
    QString text;    // the text of a text; the file of a picture
    Font font;
    double penWidth = 0; // lines: millimetres
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
    QSizeF paper{210, 297}; // A4 portrait
    std::vector<Page> pages;
};

} // namespace report
