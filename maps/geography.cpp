#include "geography.h"

#include <QFile>
#include <stdexcept>

namespace maps {
namespace {

class LineReader
{
public:
    LineReader(const QString &line, int number) : m_fields(line.split(QLatin1Char(' '), Qt::SkipEmptyParts)), m_number(number) {}

    const QString &keyword() const { return m_fields.first(); }
    int count() const { return int(m_fields.size()) - 1; }
    QString text(int index) const { return field(index); }
    double number(int index) const
    {
        bool ok = false;
        const double value = field(index).toDouble(&ok);
        if (!ok)
            fail("not a number");
        return value;
    }
    QRectF rect(int first) const
    {
        return QRectF(QPointF(number(first), number(first + 1)), QPointF(number(first + 2), number(first + 3)));
    }
    QPointF point(int index) const
    {
        const QStringList xy = field(index).split(QLatin1Char(','));
        bool okX = false, okY = false;
        const QPointF p(xy.value(0).toDouble(&okX), xy.value(1).toDouble(&okY));
        if (xy.size() != 2 || !okX || !okY)
            fail("not a point");
        return p;
    }
    [[noreturn]] void fail(const char *what) const
    {
        throw std::runtime_error("geography line " + std::to_string(m_number) + ": " + what);
    }

private:
    QString field(int index) const
    {
        if (index > count())
            fail("too few fields");
        return m_fields.at(index);
    }

    QStringList m_fields;
    int m_number;
};

} // namespace

QTransform DistrictShape::toPicture() const
{
    return fitTransform(bounds, QRectF(QPointF(0, 0), QSizeF(picture)));
}

QTransform fitTransform(const QRectF &frame, const QRectF &target)
{
    const double scale = std::min(target.width() / frame.width(), target.height() / frame.height());
    const QPointF offset = target.center() - frame.center() * scale;
    return QTransform(scale, 0, 0, scale, offset.x(), offset.y());
}

const Geography &Geography::delivered()
{
    static const Geography geography = [] {
        QFile file(QStringLiteral(":/maps/geography.txt"));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            throw std::runtime_error("the district geography is missing from the program");
        QTextStream in(&file);
        return parse(in);
    }();
    return geography;
}

Geography Geography::parse(QTextStream &in)
{
    Geography geography;
    DistrictShape *current = nullptr;
    int number = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        ++number;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const LineReader fields(line, number);
        const QString &keyword = fields.keyword();
        if (keyword == QLatin1String("projection")) {
            geography.m_latitude0 = fields.number(1);
            geography.m_longitude0 = fields.number(2);
            geography.m_kmPerDegreeLatitude = fields.number(3);
            geography.m_kmPerDegreeLongitude = fields.number(4);
        } else if (keyword == QLatin1String("overview")) {
            geography.m_overview = fields.rect(1);
        } else if (keyword == QLatin1String("inset")) {
            geography.m_insets.push_back({fields.text(1).at(0), fields.rect(2), fields.rect(6)});
        } else if (keyword == QLatin1String("district")) {
            geography.m_districts.push_back({});
            current = &geography.m_districts.back();
            current->letter = fields.text(1).at(0);
        } else if (!current) {
            fields.fail("district data before any district");
        } else if (keyword == QLatin1String("label")) {
            current->label = QPointF(fields.number(1), fields.number(2));
        } else if (keyword == QLatin1String("bounds")) {
            current->bounds = fields.rect(1);
        } else if (keyword == QLatin1String("picture")) {
            current->picture = QSize(int(fields.number(1)), int(fields.number(2)));
        } else if (keyword == QLatin1String("ring")) {
            QPolygonF ring;
            for (int i = 1; i <= fields.count(); ++i)
                ring << fields.point(i);
            if (ring.size() < 3)
                fields.fail("a ring needs three points");
            current->rings << ring;
            current->outline.addPolygon(ring);
            current->outline.closeSubpath();
        } else if (keyword == QLatin1String("dok")) {
            const int size = int(fields.number(4));
            current->doks.push_back({fields.text(1), QRect(int(fields.number(2)), int(fields.number(3)), size, size)});
        } else {
            fields.fail("unknown keyword");
        }
    }
    for (DistrictShape &district : geography.m_districts)
        district.outline.setFillRule(Qt::OddEvenFill);
    return geography;
}

const DistrictShape *Geography::district(QChar letter) const
{
    for (const DistrictShape &district : m_districts) {
        if (district.letter == letter.toUpper())
            return &district;
    }
    return nullptr;
}

QPointF Geography::project(double latitude, double longitude) const
{
    return QPointF((longitude - m_longitude0) * m_kmPerDegreeLongitude, (m_latitude0 - latitude) * m_kmPerDegreeLatitude);
}

} // namespace maps
