// TQRep: the application printout.
#include "applicationprintout.h"

#include "awardentry.h"
#include "awardqsos.h"
#include "datamodule.h"

#include <QLineF>

namespace {

using report::Band;
using report::Element;
using Content = Element::Content;

const QString QSOLineColumns[] = {"call", "dok", "data", "modo", "banda", "loc"};

constexpr double awardRowTops[5] = {136.5, 144.5, 152.7, 160.6, 168.8};
// The level marks of two rows stand a little lower than the rest of their row.
constexpr double levelMarkDrop[5] = {0, 0.5, 0, 0, 0.3};
constexpr double levelMarkLefts[10] = {36.0, 43.1, 50.3, 57.4, 65.1, 72.0, 78.8, 86.3, 93.4, 101.6};

// A pixel of the award's drawings and the report's pen widths is 1/96 inch.
constexpr double mmPerPixel = 25.4 / 96;

double lineHeight(double pointSize)
{
    return pointSize * 25.4 / 72 * 1.3;
}

struct TextSpec
{
    const char *name;
    Content content;
    double left, top, width;
    double pointSize;
    bool bold;
    const char *source; // column for fields, text for labels and prefixes
};

Element text(const TextSpec &spec, const TableView *view = nullptr)
{
    Element element;
    element.name = QString::fromLatin1(spec.name);
    element.content = spec.content;
    element.rect = QRectF(spec.left, spec.top, spec.width, lineHeight(spec.pointSize));
    element.font = report::Font{spec.pointSize, spec.bold};
    if (spec.content == Content::Field && view)
        element.bind(*view, QString::fromLatin1(spec.source));
    else
        element.source = QString::fromUtf8(spec.source);
    return element;
}

Element picture(const QString &name, const QString &file, const QRectF &rect)
{
    Element element;
    element.name = name;
    element.content = Content::Picture;
    element.source = file;
    element.rect = rect;
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

} // namespace

const QString TQRep::formPicture = QStringLiteral(":/awards/applicationform.svg");
const QString TQRep::headerPicture = QStringLiteral(":/awards/listheader.svg");
const QString TQRep::stripPicture = QStringLiteral(":/awards/columnstrip.svg");

TQRep::TQRep(LogData &dm, ApplicationRequest request, const QDate &today) : m_data(dm), m_request(std::move(request))
{
    m_report.setDate(today);
    buildListHeader();
    buildColumnStrip();
    buildForm();
    buildQsoLine();
    buildFooter();
    m_report.beforePrint = [this] { QuickRepBeforePrint(); };
    m_report.startPage = [this](int page) { QuickRepStartPage(page); };
}

void TQRep::buildListHeader()
{
    Band &band = m_report.addBand(QStringLiteral("app"), Band::Kind::PageHeader, 100.5);
    band.add(picture(QStringLiteral("QRImage2"), headerPicture, QRectF(8.5, -2.1, 176.2, 97.9)));
    static const TextSpec texts[] = {
        {"Appl", Content::Label, 67.7, 40.2, 50.0, 10, false, "New Application"},
        {"QRDBText2", Content::Field, 128.1, 47.6, 17.0, 10, false, "NOME"},
        {"QRDBText13", Content::Field, 146.1, 47.6, 37.0, 10, false, "COGN"},
        {"QRDBText17", Content::Field, 128.1, 54.5, 40.0, 12, false, "CALL"},
        {"QRDBText14", Content::Field, 128.1, 63.0, 55.0, 10, false, "INDIR"},
        {"QRDBText15", Content::Field, 128.1, 70.4, 11.0, 10, false, "ZIP"},
        {"QRDBText16", Content::Field, 139.7, 70.4, 29.0, 10, false, "CITTA"},
        {"QRDBText18", Content::Field, 169.3, 70.4, 14.0, 10, false, "stato"},
        {"QRSysData3", Content::Date, 155.6, 80.7, 28.0, 10, false, ""},
    };
    for (const TextSpec &spec : texts)
        band.add(text(spec, &m_data.info));
}

void TQRep::buildColumnStrip()
{
    Band &band = m_report.addBand(QStringLiteral("app1"), Band::Kind::Child, 8.7);
    band.add(picture(QStringLiteral("QRImage4"), stripPicture, QRectF(16.4, 3.2, 163.8, 5.6)));
}

void TQRep::buildForm()
{
    Band &band = m_report.addBand(QStringLiteral("TitleBand1"), Band::Kind::Title, 264.3);
    band.add(picture(QStringLiteral("QRImage1"), formPicture, QRectF(0.3, 1.3, 187.6, 255.3)));
    static const TextSpec texts[] = {
        {"QRDBText4", Content::Field, 16.9, 44.5, 45.0, 12, true, "CALL"},
        {"QRDBText9", Content::Field, 16.9, 50.3, 18.5, 10, false, "NOME"},
        {"QRDBText5", Content::Field, 36.0, 50.3, 50.0, 10, false, "COGN"},
        {"QRDBText6", Content::Field, 16.9, 55.3, 69.0, 10, false, "INDIR"},
        {"QRDBText8", Content::Field, 16.9, 60.6, 14.5, 10, false, "ZIP"},
        {"QRDBText7", Content::Field, 31.8, 60.6, 54.0, 10, false, "CITTA"},
        {"QRDBText12", Content::Field, 16.9, 65.6, 69.0, 10, false, "PROV"},
        {"QRDBText11", Content::Field, 16.9, 70.6, 69.0, 10, false, "stato"},
        {"QRLabel1", Content::Label, 16.9, 79.1, 12.5, 10, false, "e-mail:"},
        {"QRDBText10", Content::Field, 29.6, 79.1, 56.0, 10, false, "EMAIL"},
        {"QRSysData1", Content::Date, 151.3, 45.0, 33.0, 12, true, ""},
        {"QRDBText1", Content::Field, 113.2, 68.3, 55.0, 18, true, "CALL"},
        {"tipo", Content::Label, 86.8, 113.2, 97.0, 10, false, "Tipo"},
        {"QRDBText3", Content::Field, 161.9, 233.4, 24.0, 13, false, "CALL"},
    };
    for (const TextSpec &spec : texts)
        band.add(text(spec, &m_data.info));
    buildAwardRows(band);
}

void TQRep::buildAwardRows(Band &form)
{
    // Every element of a row stays hidden until an entry fills the row.
    const auto hidden = [&](const QString &name, double left, double top, double width, double pointSize,
                            const char *source) {
        Element element = text({"", Content::Label, left, top, width, pointSize, true, source});
        element.name = name;
        element.enabled = false;
        form.add(std::move(element));
    };
    for (int row = 0; row < 5; ++row) {
        const double top = awardRowTops[row];
        const QString r = QString::number(row);
        hidden(QStringLiteral("QR") + r, 13.8, top, 21.0, 12, "");
        for (int level = 1; level <= 10; ++level) {
            hidden(QStringLiteral("WZP_%1_%2").arg(row).arg(level * 100), levelMarkLefts[level - 1],
                   top + levelMarkDrop[row], 5.5, 12, "X");
        }
        hidden(QStringLiteral("olddok_") + r, 112.4, top, 22.0, 10, "");
        hidden(QStringLiteral("newdok_") + r, 140.0, top, 18.0, 10, "");
        hidden(QStringLiteral("totdok_") + r, 161.1, top, 20.0, 10, "");
    }
}

void TQRep::buildQsoLine()
{
    Band &band = m_report.addBand(QStringLiteral("DBand1"), Band::Kind::Detail, 5.3);
    static const TextSpec texts[] = {
        {"nrec", Content::DetailNumber, 19.1, 0.3, 6.3, 10, false, ""},
        {"call", Content::Field, 27.5, 0.3, 19.3, 10, false, "call"},
        {"dok", Content::Field, 48.7, 0.3, 9.7, 10, false, "dok"},
        {"data", Content::Field, 60.3, 0.6, 15.6, 8, false, "data"},
        {"modo", Content::Field, 79.4, 0.3, 11.1, 10, false, "modo"},
        {"banda", Content::Field, 94.2, 0.3, 11.3, 10, false, "banda"},
        {"loc", Content::Field, 109.0, 0.3, 70.8, 10, false, "loc"},
    };
    for (const TextSpec &spec : texts)
        band.add(text(spec, &m_data.logbanda));
    const std::pair<double, double> rulings[] = {{25.7, 2}, {47.1, 2}, {58.7, 2}, {105.8, 2}, {76.2, 1}, {90.8, 1}};
    int shape = 0;
    for (const auto &[left, pen] : rulings) {
        const double height = pen > 1 ? 5.3 : 4.8;
        band.add(line(QStringLiteral("QRShape%1").arg(++shape), QLineF(left, 0, left, height), pen));
    }
    band.add(line(QStringLiteral("QRShape%1").arg(++shape), QLineF(16.4, 4.2, 180.2, 4.2), 1));
}

void TQRep::buildFooter()
{
    Band &band = m_report.addBand(QStringLiteral("PageFooterBand1"), Band::Kind::PageFooter, 8.2);
    static const TextSpec texts[] = {
        {"QRLabel2", Content::Label, 2.1, 2.0, 17.0, 10, false, "Printed on "},
        {"QRSysData2", Content::Date, 19.1, 2.0, 30.0, 10, false, ""},
        {"datahead", Content::PageNumber, 163.0, 2.0, 25.0, 10, false, "Page "},
    };
    for (const TextSpec &spec : texts)
        band.add(text(spec));
}

void TQRep::QuickRepBeforePrint()
{
    Band &form = m_report.band(QStringLiteral("TitleBand1"));
    form.element(QStringLiteral("tipo")).source = m_request.awardsAppliedFor;
    m_report.band(QStringLiteral("app")).enabled = false;
    m_report.band(QStringLiteral("app1")).enabled = false;
    m_report.band(QStringLiteral("app")).element(QStringLiteral("Appl")).source = m_request.applicationType;

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
