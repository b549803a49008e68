#include "applicationform.h"

#include "textfit.h"

#include <QCoreApplication>

using report::Placed;

namespace {

const QColor blue(0x1a, 0x3d, 0x7c);
const QColor ink(0x1a, 0x1a, 0x1a);
const QColor shade(0xe4, 0xea, 0xf5);
const QColor grey(0x9a, 0x9a, 0x9a);

// Keeps boxes this far inside the frame, so that neither outline touches the other.
constexpr double frameGap = 1.5;

// Collects the parts of a drawing; text sizes are given as the height of the letters' body in
// millimetres, like the rest of the drawing.
class Sketch
{
public:
    void box(const QString &name, const QRectF &rect, double pen, const QColor &outline = ink, const QColor &fill = {},
             Qt::PenStyle style = Qt::SolidLine)
    {
        Placed part;
        part.name = name;
        part.kind = Placed::Kind::Box;
        part.rect = rect;
        part.penWidth = pen;
        part.colour = outline;
        part.fill = fill;
        part.penStyle = style;
        m_parts.push_back(part);
    }

    void line(const QString &name, QPointF from, QPointF to, double pen, const QColor &colour = ink)
    {
        Placed part;
        part.name = name;
        part.kind = Placed::Kind::Line;
        part.rect = QRectF(from, to);
        part.penWidth = pen;
        part.colour = colour;
        m_parts.push_back(part);
    }

    // A text whose first line stands on baseline, within [left, left + width).
    void text(const QString &name, const QString &text, double left, double baseline, double width, double bodyMm,
              bool bold = false, Qt::Alignment alignment = Qt::AlignLeft, const QColor &colour = ink, double roomHeight = 0)
    {
        Placed part;
        part.name = name;
        part.kind = Placed::Kind::Text;
        part.text = text;
        part.font = report::Font{bodyMm * 72 / 25.4, bold};
        part.alignment = alignment | Qt::AlignTop;
        part.colour = colour;
        const double top = baseline - 0.905 * bodyMm;
        part.rect = QRectF(left, top, width, 0);
        report::fitText(part, QSizeF(width, roomHeight > 0 ? roomHeight : report::lineHeight(part.font)));
        m_parts.push_back(part);
    }

    std::vector<Placed> parts() const { return m_parts; }

private:
    std::vector<Placed> m_parts;
};

} // namespace

ApplicationFormLayout::ApplicationFormLayout(QSizeF size_) : size(size_)
{
    outerFrame = QRectF(1, 1, size.width() - 2, size.height() - 2);
    frame = outerFrame.adjusted(1.5, 1.5, -1.5, -1.5);
    const double right = frame.right() - frameGap;
    addressBox = QRectF(14.7, 40.7, 73, 43);
    dateBox = QRectF(QPointF(149.2, 41.7), QPointF(right, 50.2));
    callsignBox = QRectF(QPointF(110.7, 63.2), QPointF(std::min(171.7, right), 76.7));
    awardsBox = QRectF(QPointF(84.7, 109.7), QPointF(right, 117.2));
    levelTable = QRectF(QPointF(11.7, 123.7), QPointF(right, 175));
    managerBox = QRectF(14.7, 203, 79, 22);
    signatureBox = QRectF(QPointF(160.2, 230.2), QPointF(right, 239.2));
}

std::vector<QRectF> ApplicationFormLayout::boxes() const
{
    return {addressBox, dateBox, callsignBox, awardsBox, levelTable, managerBox, signatureBox};
}

std::vector<Placed> ApplicationFormLayout::drawing() const
{
    Sketch s;
    const double w = size.width();
    const double inside = frame.width() - 2 * frameGap;
    const double insideLeft = frame.left() + frameGap;
    s.box("outerFrame", outerFrame, 0.8, blue);
    s.box("frame", frame, 0.25, blue);

    s.text("title", tr("WZP AWARD"), insideLeft, 15, inside, 9, true, Qt::AlignHCenter, blue);
    s.text("subtitle", tr("Award for contacts with the German DOK districts and chapters"), insideLeft, 22.5, inside, 4.2,
           false, Qt::AlignHCenter);
    s.text("formName", tr("APPLICATION FORM"), insideLeft, 29.5, inside, 5, true, Qt::AlignHCenter);
    s.line("titleRule", {14.7, 33}, {w - 14.7, 33}, 0.4, blue);

    s.text("addressLabel", tr("Applicant (callsign, name and full address)"), addressBox.left(), 39.2, addressBox.width(), 2.8);
    s.box("addressBox", addressBox, 0.3, ink, Qt::white);
    s.text("dateLabel", tr("Date of application"), dateBox.left(), 40.2, dateBox.width(), 2.8);
    s.box("dateBox", dateBox, 0.3, ink, Qt::white);
    s.text("callsignLabel", tr("Applicant's callsign"), callsignBox.left(), 61.7, callsignBox.width(), 2.8);
    s.box("callsignBox", callsignBox, 0.5, ink, Qt::white);

    s.text("awardsLabel", tr("Award(s) applied for:"), 14.7, 115, awardsBox.left() - 16.7, 3.4, true);
    s.box("awardsBox", awardsBox, 0.3, ink, Qt::white);

    // The table of the claimed awards: a row per band or mode, a column per level, the counters.
    const QRectF &t = levelTable;
    s.text("levelHint", tr("Mark the level claimed on each band or in each mode with X"), t.left(), 121.5, t.width(), 2.8);
    const double headBottom = 134.5;
    s.box("levelHead", QRectF(t.left(), t.top(), t.width(), headBottom - t.top()), 0, ink, shade);
    s.box("levelTable", t, 0.3);
    s.line("headRule", {t.left(), headBottom}, {t.right(), headBottom}, 0.3);
    const double rowRules[] = {142.6, 150.7, 158.7, 166.8};
    for (int i = 0; i < 4; ++i)
        s.line(QStringLiteral("rowRule%1").arg(i + 1), {t.left(), rowRules[i]}, {t.right(), rowRules[i]}, 0.15);
    const double levelLines[] = {35.0, 42.1, 49.3, 56.4, 64.1, 71.0, 77.8, 85.3, 92.4, 100.6, 108.3};
    const double levelHeadBottom = 127.7;
    for (int i = 0; i < 11; ++i) {
        const bool outer = i == 0 || i == 10;
        s.line(QStringLiteral("levelRule%1").arg(i), {levelLines[i], outer ? t.top() : levelHeadBottom},
               {levelLines[i], t.bottom()}, outer ? 0.3 : 0.15);
    }
    s.line("levelHeadRule", {levelLines[0], levelHeadBottom}, {levelLines[10], levelHeadBottom}, 0.15);
    const double counterLines[] = {137.2, 158.2};
    for (int i = 0; i < 2; ++i)
        s.line(QStringLiteral("counterRule%1").arg(i), {counterLines[i], t.top()}, {counterLines[i], t.bottom()}, 0.3);

    const auto columnTitle = [&](const QString &name, const QString &text, double left, double right, double baseline) {
        s.text(name, text, left + 0.5, baseline, right - left - 1, 2.6, false, Qt::AlignHCenter);
    };
    columnTitle("bandModeTitle", tr("Band / Mode"), t.left(), levelLines[0], 130.2);
    columnTitle("levelTitle", tr("Level (DOKs)"), levelLines[0], levelLines[10], 126.6);
    for (int i = 0; i < 10; ++i)
        columnTitle(QStringLiteral("level%1").arg((i + 1) * 100), QString::number((i + 1) * 100), levelLines[i], levelLines[i + 1], 132.4);
    columnTitle("accreditedTitle", tr("Accredited DOKs"), levelLines[10], counterLines[0], 128.6);
    columnTitle("accreditedNote", tr("(already credited)"), levelLines[10], counterLines[0], 132.2);
    columnTitle("confirmedTitle", tr("Confirmed DOKs"), counterLines[0], counterLines[1], 128.6);
    columnTitle("confirmedNote", tr("(new)"), counterLines[0], counterLines[1], 132.2);
    columnTitle("totalTitle", tr("Total"), counterLines[1], t.right(), 130.4);

    s.text("declaration",
           tr("I declare that all the QSOs listed on the attached pages were made by me from my own station, in accordance "
              "with the rules of the WZP award and with my licence, and that the QSL cards of the confirmed DOKs are in "
              "my possession."),
           14.7, 186, frame.right() - frameGap - 14.7, 3, false, Qt::AlignLeft, ink, 15);

    s.box("managerBox", managerBox, 0.2, ink, {}, Qt::DashLine);
    const double managerInside = managerBox.width() - 4;
    s.text("managerTitle", tr("For the award manager"), managerBox.left() + 2, 207.5, managerInside, 2.6);
    s.text("checkedOn", tr("Checked on: ____________________"), managerBox.left() + 2, 214, managerInside, 2.6);
    s.text("awardNumber", tr("Award no.: _____________________"), managerBox.left() + 2, 221, managerInside, 2.6);

    s.line("signatureLine", {95, 239}, {157, 239}, 0.3);
    s.text("signatureLabel", tr("Signature of the applicant"), 95, 243, 62, 2.8);
    s.box("signatureBox", signatureBox, 0.3, ink, Qt::white);
    s.text("signatureCallsignLabel", tr("Callsign"), signatureBox.left(), 243, signatureBox.width(), 2.8);
    return s.parts();
}

ListHeaderLayout::ListHeaderLayout(QSizeF size_) : size(size_)
{
    // The drawing begins a little above the page's margin; its frame does not.
    frame = QRectF(QPointF(0.5, 2.6), QPointF(size.width() - 0.5, size.height() - 0.5));
    const double right = frame.right() - frameGap;
    applicationBox = QRectF(57.5, 40.6, 52, 7);
    applicantBox = QRectF(QPointF(118, 47.6), QPointF(right, 78.6));
    dateBox = QRectF(QPointF(145.5, 81.6), QPointF(right, 88.1));
}

std::vector<QRectF> ListHeaderLayout::boxes() const
{
    return {applicationBox, applicantBox, dateBox};
}

std::vector<Placed> ListHeaderLayout::drawing() const
{
    Sketch s;
    const double w = size.width();
    const double inside = frame.width() - 2 * frameGap;
    const double insideLeft = frame.left() + frameGap;
    s.box("frame", frame, 0.6, blue);
    s.text("title", tr("WZP AWARD"), insideLeft, 13, inside, 8, true, Qt::AlignHCenter, blue);
    s.text("subtitle", tr("List of the QSOs with the DOKs claimed"), insideLeft, 21, inside, 4, false, Qt::AlignHCenter);
    s.line("titleRule", {10, 26}, {w - 10, 26}, 0.3, blue);

    s.text("applicationLabel", tr("Application:"), 10, 45.8, applicationBox.left() - 12, 3.4, true);
    s.box("applicationBox", applicationBox, 0.3, ink, Qt::white);

    s.text("applicantLabel", tr("Applicant"), applicantBox.left(), 45.8, applicantBox.width(), 2.8);
    s.box("applicantBox", applicantBox, 0.3, ink, Qt::white);
    const double rules[] = {55.4, 63.9, 71.3};
    for (int i = 0; i < 3; ++i)
        s.line(QStringLiteral("applicantRule%1").arg(i + 1), {applicantBox.left(), rules[i]}, {applicantBox.right(), rules[i]}, 0.15, grey);
    const double labelsRight = applicantBox.left() - 2;
    const double labelsLeft = 86;
    const auto rowLabel = [&](const QString &name, const QString &text, double baseline) {
        s.text(name, text, labelsLeft, baseline, labelsRight - labelsLeft, 2.8, false, Qt::AlignRight);
    };
    rowLabel("nameLabel", tr("Name"), 53.4);
    rowLabel("callsignLabel", tr("Callsign"), 61.4);
    rowLabel("addressLabel", tr("Address"), 69.4);
    rowLabel("placeLabel", tr("Postcode, city, country"), 76.6);

    s.text("dateLabel", tr("Date:"), 120, 86.6, dateBox.left() - 122.5, 3, false, Qt::AlignRight);
    s.box("dateBox", dateBox, 0.3, ink, Qt::white);

    s.text("notes",
           tr("One line per DOK: the first confirmed QSO with a station of that DOK on the band or in the mode of the "
              "award. Ordinary DOKs are listed first, special DOKs after them."),
           10, 58, labelsLeft - 14, 2.8, false, Qt::AlignLeft, ink, 16);
    return s.parts();
}

ColumnStripLayout::ColumnStripLayout(QSizeF size_) : size(size_)
{
    frame = QRectF(0.15, 0.15, size.width() - 0.3, size.height() - 0.3);
}

std::vector<Placed> ColumnStripLayout::drawing() const
{
    Sketch s;
    s.box("frame", frame, 0.3, ink, shade);
    for (int i = 0; i < 6; ++i)
        s.line(QStringLiteral("divider%1").arg(i + 1), {dividers[i], 0}, {dividers[i], size.height()}, 0.3);
    static const char *const titles[] = {QT_TRANSLATE_NOOP("ApplicationForm", "NO."),   QT_TRANSLATE_NOOP("ApplicationForm", "CALL"),
                                         QT_TRANSLATE_NOOP("ApplicationForm", "DOK"),   QT_TRANSLATE_NOOP("ApplicationForm", "DATE"),
                                         QT_TRANSLATE_NOOP("ApplicationForm", "MODE"),  QT_TRANSLATE_NOOP("ApplicationForm", "BAND"),
                                         QT_TRANSLATE_NOOP("ApplicationForm", "REMARKS")};
    for (int i = 0; i < 7; ++i) {
        const double left = i == 0 ? 0 : dividers[i - 1];
        const double right = i == 6 ? size.width() : dividers[i];
        s.text(QStringLiteral("title%1").arg(i + 1), tr(titles[i]), left + 0.5, 3.9, right - left - 1, 3, true, Qt::AlignHCenter);
    }
    return s.parts();
}
