// TQRep: the application printout.
#include "applicationprintout.h"

#include "awardentry.h"
#include "awardqsos.h"
#include "datamodule.h"
#include "textfit.h"

#include <QLineF>
#include <QRegularExpression>

namespace {

using report::Band;
using report::Element;
using Content = Element::Content;

const QString QSOLineColumns[] = {"call", "dok", "data", "modo", "banda", "loc"};

constexpr double awardRowTops[5] = {136.5, 144.5, 152.7, 160.6, 168.8};
// The level marks of two rows stand a little lower than the rest of their row.
constexpr double levelMarkDrop[5] = {0, 0.5, 0, 0, 0.3};
constexpr double levelMarkLefts[10] = {36.0, 43.1, 50.3, 57.4, 65.1, 72.0, 78.8, 86.3, 93.4, 101.6};

// Where the drawings stand in their bands.
const QPointF formAt(0.3, 1.3);
const QPointF headerAt(8.5, -2.1);
const QPointF stripAt(16.4, 3.2);
// Texts keep this far from the right-hand edge of their box.
constexpr double boxPadding = 1.0;

// A pixel of the report's pen widths is 1/96 inch.
constexpr double mmPerPixel = 25.4 / 96;

struct TextSpec
{
    const char *name;
    Content content;
    double left, top;
    double pointSize;
    bool bold;
    const char *source; // column for fields, text for labels and prefixes
    QSizeF room;        // how much room the text has from its top left corner
};

Element text(const TextSpec &spec, const TableView *view = nullptr)
{
    Element element;
    element.name = QString::fromLatin1(spec.name);
    element.content = spec.content;
    element.font = report::Font{spec.pointSize, spec.bold};
    const double height = report::lineHeight(element.font);
    element.rect = QRectF(spec.left, spec.top, spec.room.width(), height);
    element.room = QSizeF(spec.room.width(), std::max(height, spec.room.height()));
    if (spec.content == Content::Field && view)
        element.bind(*view, QString::fromLatin1(spec.source));
    else
        element.source = QString::fromUtf8(spec.source);
    return element;
}

Element drawing(const QString &name, const QPointF &at, const QSizeF &size, std::vector<report::Placed> parts)
{
    Element element;
    element.name = name;
    element.content = Content::Drawing;
    element.rect = QRectF(at, size);
    element.parts = std::move(parts);
    return element;
}

Element line(const QString &name, const QLineF &from, double penPixels)
{
    Element element;
    element.name = name;
    element.content = Content::Line;
    element.rect = QRectF(from.p1(), from.p2());
    element.penWidth = penPixels * mmPerPixel;
    return element;
}

// The room of a text at (left, top) of the band up to the right-hand and bottom edges of a box
// of a drawing that stands at 'at' in the band.
QSizeF roomIn(const QRectF &box, const QPointF &at, double left, double top)
{
    const QRectF inBand = box.translated(at);
    return QSizeF(inBand.right() - boxPadding - left, inBand.bottom() - 0.3 - top);
}

// A QSO's date as day.month.year with two-digit day and month, whichever separators it was
// typed with; a text that is no date stays as it is.
QString qsoDate(const QString &typed)
{
    const QStringList parts = typed.split(QRegularExpression(QStringLiteral("[^0-9]+")), Qt::SkipEmptyParts);
    if (parts.size() != 3 || parts[2].size() != 4)
        return typed;
    const QDate date(parts[2].toInt(), parts[1].toInt(), parts[0].toInt());
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : typed;
}

} // namespace

TQRep::TQRep(LogData &dm, ApplicationRequest request, const QDate &today) : m_data(dm), m_request(std::move(request))
{
    m_report.setDate(today);
    m_today = today;
    buildListHeader();
    buildColumnStrip();
    buildForm();
    buildQsoLine();
    buildFooter();
    m_report.beforePrint = [this] { QuickRepBeforePrint(); };
    m_report.startPage = [this](int page) { QuickRepStartPage(page); };
}

QString TQRep::documentTitle(const QDate &today) const
{
    const QString entry = m_request.entries.value(m_request.currentEntry);
    const AwardQsos award(entry);
    const QString subject = award.isBand() ? award.subject() + QStringLiteral(" MHz") : award.subject();
    return tr("WZP award application %1, %2, %3, %4")
        .arg(awardentry::awardName(entry), subject, m_data.info.text(QStringLiteral("CALL")), today.toString(QStringLiteral("dd.MM.yyyy")));
}

void TQRep::buildListHeader()
{
    Band &band = m_report.addBand(QStringLiteral("app"), Band::Kind::PageHeader, 100.5);
    // As wide as the page lets it be, so that the applicant's data has room.
    const double printableRight = m_report.paper.width() - m_report.margins.left() - m_report.margins.right();
    const ListHeaderLayout header(QSizeF(printableRight - headerAt.x(), 97.9));
    band.add(drawing(QStringLiteral("QRImage2"), headerAt, header.size, header.drawing()));
    // A text of the applicant's block has the room up to the box's right-hand edge and the next row.
    const auto applicant = [&](double left, double top, double nextTop) {
        return QSizeF(roomIn(header.applicantBox, headerAt, left, top).width(), nextTop - top);
    };
    const auto upTo = [](double left, double next) { return QSizeF(next - 0.5 - left, 0); };
    const TextSpec texts[] = {
        {"Appl", Content::Label, 67.7, 40.2, 10, false, "", roomIn(header.applicationBox, headerAt, 67.7, 40.2)},
        {"QRDBText2", Content::Field, 128.1, 47.6, 10, false, "NOME", upTo(128.1, 146.1)},
        {"QRDBText13", Content::Field, 146.1, 47.6, 10, false, "COGN", applicant(146.1, 47.6, 54.5)},
        {"QRDBText17", Content::Field, 128.1, 54.5, 12, false, "CALL", applicant(128.1, 54.5, 63.0)},
        {"QRDBText14", Content::Field, 128.1, 63.0, 10, false, "INDIR", applicant(128.1, 63.0, 70.4)},
        {"QRDBText15", Content::Field, 128.1, 70.4, 10, false, "ZIP", upTo(128.1, 139.7)},
        {"QRDBText16", Content::Field, 139.7, 70.4, 10, false, "CITTA", upTo(139.7, 169.3)},
        {"QRDBText18", Content::Field, 169.3, 70.4, 10, false, "stato", roomIn(header.applicantBox, headerAt, 169.3, 70.4)},
        {"QRSysData3", Content::Date, 155.6, 80.7, 10, false, "", roomIn(header.dateBox, headerAt, 155.6, 80.7)},
    };
    for (const TextSpec &spec : texts)
        band.add(text(spec, &m_data.info));
    band.element(QStringLiteral("Appl")).source = tr("New Application");
}

void TQRep::buildColumnStrip()
{
    Band &band = m_report.addBand(QStringLiteral("app1"), Band::Kind::Child, 8.7);
    const ColumnStripLayout strip;
    band.add(drawing(QStringLiteral("QRImage4"), stripAt, strip.size, strip.drawing()));
}

void TQRep::buildForm()
{
    Band &band = m_report.addBand(QStringLiteral("TitleBand1"), Band::Kind::Title, 264.3);
    const ApplicationFormLayout form;
    band.add(drawing(QStringLiteral("QRImage1"), formAt, form.size, form.drawing()));
    // A text of the address box has the room up to the box's right-hand edge and the next row.
    const auto address = [&](double left, double top, double nextTop) {
        return QSizeF(roomIn(form.addressBox, formAt, left, top).width(), nextTop - top);
    };
    const auto upTo = [](double left, double next) { return QSizeF(next - 0.5 - left, 0); };
    const TextSpec texts[] = {
        {"QRDBText4", Content::Field, 16.9, 44.5, 12, true, "CALL", address(16.9, 44.5, 50.3)},
        {"QRDBText9", Content::Field, 16.9, 50.3, 10, false, "NOME", upTo(16.9, 36.0)},
        {"QRDBText5", Content::Field, 36.0, 50.3, 10, false, "COGN", address(36.0, 50.3, 55.3)},
        {"QRDBText6", Content::Field, 16.9, 55.3, 10, false, "INDIR", address(16.9, 55.3, 60.6)},
        {"QRDBText8", Content::Field, 16.9, 60.6, 10, false, "ZIP", upTo(16.9, 31.8)},
        {"QRDBText7", Content::Field, 31.8, 60.6, 10, false, "CITTA", address(31.8, 60.6, 65.6)},
        {"QRDBText12", Content::Field, 16.9, 65.6, 10, false, "PROV", address(16.9, 65.6, 70.6)},
        {"QRDBText11", Content::Field, 16.9, 70.6, 10, false, "stato", address(16.9, 70.6, 79.1)},
        {"QRLabel1", Content::Label, 16.9, 79.1, 10, false, "", upTo(16.9, 29.6)},
        {"QRDBText10", Content::Field, 29.6, 79.1, 10, false, "EMAIL", roomIn(form.addressBox, formAt, 29.6, 79.1)},
        {"QRSysData1", Content::Date, 151.3, 45.0, 12, true, "", roomIn(form.dateBox, formAt, 151.3, 45.0)},
        {"QRDBText1", Content::Field, 113.2, 68.3, 18, true, "CALL", roomIn(form.callsignBox, formAt, 113.2, 68.3)},
        {"tipo", Content::Label, 86.8, 113.2, 10, false, "Tipo", roomIn(form.awardsBox, formAt, 86.8, 113.2)},
        {"QRDBText3", Content::Field, 161.9, 233.4, 13, false, "CALL", roomIn(form.signatureBox, formAt, 161.9, 233.4)},
    };
    for (const TextSpec &spec : texts)
        band.add(text(spec, &m_data.info));
    band.element(QStringLiteral("QRLabel1")).source = tr("e-mail:");
    buildAwardRows(band, form);
}

void TQRep::buildAwardRows(Band &band, const ApplicationFormLayout &form)
{
    // Every element of a row stays hidden until an entry fills the row.
    const auto hidden = [&](const QString &name, double left, double top, double width, double pointSize,
                            const char *source) {
        Element element = text({"", Content::Label, left, top, pointSize, true, source, QSizeF(width, 0)});
        element.name = name;
        element.enabled = false;
        band.add(std::move(element));
    };
    const double tableRight = form.levelTable.translated(formAt).right() - boxPadding;
    for (int row = 0; row < 5; ++row) {
        const double top = awardRowTops[row];
        const QString r = QString::number(row);
        hidden(QStringLiteral("QR") + r, 13.8, top, 21.0, 12, "");
        for (int level = 1; level <= 10; ++level) {
            hidden(QStringLiteral("WZP_%1_%2").arg(row).arg(level * 100), levelMarkLefts[level - 1],
                   top + levelMarkDrop[row], 5.5, 12, "X");
        }
        hidden(QStringLiteral("olddok_") + r, 112.4, top, 24.6, 10, "");
        hidden(QStringLiteral("newdok_") + r, 140.0, top, 18.0, 10, "");
        hidden(QStringLiteral("totdok_") + r, 161.1, top, tableRight - 161.1, 10, "");
    }
}

void TQRep::buildQsoLine()
{
    Band &band = m_report.addBand(QStringLiteral("DBand1"), Band::Kind::Detail, 5.3);
    // The line's rulings continue the strip's dividers; each text starts a little right of the
    // ruling on its left and has the room up to the next one.
    double rulings[7];
    for (int i = 0; i < 6; ++i)
        rulings[i] = stripAt.x() + ColumnStripLayout::dividers[i];
    rulings[6] = 180.2;
    const auto room = [&](int column, double left) { return QSizeF(rulings[column] - 0.4 - left, 0); };
    const double dateLeft = rulings[2] + 1.6;
    const double modeLeft = rulings[3] + 3.2;
    const double bandLeft = rulings[4] + 3.4;
    const double remarksLeft = rulings[5] + 3.2;
    const TextSpec texts[] = {
        {"nrec", Content::DetailNumber, 19.1, 0.3, 10, false, "", room(0, 19.1)},
        {"call", Content::Field, 27.5, 0.3, 10, false, "call", room(1, 27.5)},
        {"dok", Content::Field, 48.7, 0.3, 10, false, "dok", room(2, 48.7)},
        {"data", Content::Field, dateLeft, 0.3, 10, false, "data", room(3, dateLeft)},
        {"modo", Content::Field, modeLeft, 0.3, 10, false, "modo", room(4, modeLeft)},
        {"banda", Content::Field, bandLeft, 0.3, 10, false, "banda", room(5, bandLeft)},
        {"loc", Content::Field, remarksLeft, 0.3, 10, false, "loc", room(6, remarksLeft)},
    };
    for (const TextSpec &spec : texts)
        band.add(text(spec, &m_data.logbanda));
    band.element(QStringLiteral("data")).format = qsoDate;
    // The rulings around the call, the DOK and the remarks are heavier than those of date, mode and band.
    const double pens[6] = {2, 2, 2, 1, 1, 2};
    int shape = 0;
    for (int i = 0; i < 6; ++i) {
        const double height = pens[i] > 1 ? 5.3 : 4.8;
        band.add(line(QStringLiteral("QRShape%1").arg(++shape), QLineF(rulings[i], 0, rulings[i], height), pens[i]));
    }
    band.add(line(QStringLiteral("QRShape%1").arg(++shape), QLineF(stripAt.x(), 4.2, rulings[6], 4.2), 1));
}

void TQRep::buildFooter()
{
    Band &band = m_report.addBand(QStringLiteral("PageFooterBand1"), Band::Kind::PageFooter, 8.2);
    const TextSpec texts[] = {
        {"QRLabel2", Content::Label, 2.1, 2.0, 10, false, "", QSizeF(17.0, 0)},
        {"QRSysData2", Content::Date, 19.1, 2.0, 10, false, "", QSizeF(30.0, 0)},
        {"datahead", Content::PageNumber, 163.0, 2.0, 10, false, "", QSizeF(25.0, 0)},
    };
    for (const TextSpec &spec : texts)
        band.add(text(spec));
    band.element(QStringLiteral("QRLabel2")).source = tr("Printed on ");
    band.element(QStringLiteral("datahead")).source = tr("Page ");
}

void TQRep::QuickRepBeforePrint()
{
    Band &form = m_report.band(QStringLiteral("TitleBand1"));
    form.element(QStringLiteral("tipo")).source = m_request.awardsAppliedFor;
    m_report.band(QStringLiteral("app")).enabled = false;
    m_report.band(QStringLiteral("app1")).enabled = false;
    m_report.band(QStringLiteral("app")).element(QStringLiteral("Appl")).source = m_request.applicationType;
    m_report.setTitle(documentTitle(m_today));

    TableView &qsos = m_request.bandEntry ? m_data.logbanda : m_data.logmodo;
    m_report.setDataSet(&qsos);
    Band &line = m_report.band(QStringLiteral("DBand1"));
    for (const QString &column : QSOLineColumns)
        line.element(column).bind(qsos, column);

    form.enabled = m_request.currentEntry == 0;
    if (!form.enabled)
        return;
    for (int row = 0; row < m_request.entries.size() && row < 5; ++row) {
        const QString entry = m_request.entries.at(row);
        const AwardQsos award(entry);
        const QString r = QString::number(row);
        Element &subject = form.element(QStringLiteral("QR") + r);
        subject.source = award.isBand() ? award.subject() + QStringLiteral(" MHz") : award.subject();
        subject.enabled = true;
        Element &accredited = form.element(QStringLiteral("olddok_") + r);
        Element &confirmed = form.element(QStringLiteral("newdok_") + r);
        accredited.content = confirmed.content = Content::Field;
        accredited.bind(m_data.riep, award.accreditedCounter());
        confirmed.bind(m_data.riep, award.confirmedCounter());
        accredited.enabled = confirmed.enabled = true;
        Element &total = form.element(QStringLiteral("totdok_") + r);
        total.source = QString::number(m_data.riep.integer(award.accreditedCounter()) + m_data.riep.integer(award.confirmedCounter()));
        total.enabled = true;
        const QString marks = QStringLiteral("WZP_") + r;
        const QString claimed = marks + QLatin1Char('_') + awardentry::level(entry);
        for (Element &element : form.elements) {
            if (element.name.startsWith(marks))
                element.enabled = element.name == claimed;
        }
    }
}

void TQRep::QuickRepStartPage(int page)
{
    const bool header = m_request.currentEntry == 0 ? page == 2 : page == 1;
    const bool strip = m_request.currentEntry != 0 || page >= 2;
    m_report.band(QStringLiteral("app")).enabled = header;
    m_report.band(QStringLiteral("app1")).enabled = strip;
}
