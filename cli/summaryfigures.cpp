#include "summaryfigures.h"

#include "datamodule.h"
#include "statement.h"
#include "vocabulary.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString column(int number)
{
    return QString::number(number).rightJustified(6);
}

} // namespace

SummaryFigures SummaryFigures::read(LogData &dm)
{
    dm.riep.open();
    dm.riep.first();
    const auto counter = [&](const QString &name) { return dm.riep.text(name).toInt(); };
    SummaryFigures figures;
    figures.lastRefresh = dm.riep.dateTime(QStringLiteral("dataagg"));
    Statement worked(dm.ADOconn, QStringLiteral("SELECT count(*) FROM DOK WHERE upper(CONF) = 'C'"));
    figures.doksWithQsos = worked.next() ? int(worked.integer(0)) : 0;
    for (const QString &band : vocab::bands()) {
        const QString suffix = vocab::bandSuffix(band);
        Band row{band, {}, counter(vocab::confirmedCounter(vocab::bandCell(suffix))),
                 counter(vocab::accreditedCounter(vocab::bandCell(suffix)))};
        for (const QString &mode : vocab::modes())
            row.confirmedByMode << counter(vocab::confirmedCounter(vocab::pairCell(mode, suffix)));
        figures.bands << row;
    }
    for (const QString &mode : vocab::modes()) {
        figures.modes << Mode{mode, counter(vocab::confirmedCounter(vocab::modeCell(mode))),
                              counter(vocab::accreditedCounter(vocab::modeCell(mode)))};
    }
    return figures;
}

QString SummaryFigures::text() const
{
    QString out = lastRefresh.isValid()
        ? QStringLiteral("Last refresh: ") + lastRefresh.toString(QStringLiteral("yyyy-MM-dd hh:mm"))
        : QStringLiteral("Last refresh: never");
    out += QStringLiteral("\nDOKs with QSOs: %1\n\nBand  ").arg(doksWithQsos);
    for (const Mode &mode : modes)
        out += mode.mode.rightJustified(6);
    out += QStringLiteral("  Band  Accr.\n");
    for (const Band &band : bands) {
        out += band.band.leftJustified(6);
        for (int count : band.confirmedByMode)
            out += column(count);
        out += column(band.confirmed) + column(band.accredited) + QLatin1Char('\n');
    }
    out += QStringLiteral("Mode  ");
    for (const Mode &mode : modes)
        out += column(mode.confirmed);
    out += QStringLiteral("\nAccr. ");
    for (const Mode &mode : modes)
        out += column(mode.accredited);
    return out + QLatin1Char('\n');
}

QString SummaryFigures::csv() const
{
    QString out = QStringLiteral("figure,band,mode,count\n");
    const auto line = [&](const QString &figure, const QString &band, const QString &mode, const QString &count) {
        out += figure + QLatin1Char(',') + band + QLatin1Char(',') + mode + QLatin1Char(',') + count + QLatin1Char('\n');
    };
    line(QStringLiteral("last_refresh"), {}, {},
         lastRefresh.isValid() ? lastRefresh.toString(QStringLiteral("yyyy-MM-ddThh:mm")) : QString());
    line(QStringLiteral("doks_with_qsos"), {}, {}, QString::number(doksWithQsos));
    for (const Band &band : bands) {
        for (int i = 0; i < modes.size(); ++i)
            line(QStringLiteral("confirmed"), band.band, modes.at(i).mode, QString::number(band.confirmedByMode.at(i)));
        line(QStringLiteral("confirmed"), band.band, {}, QString::number(band.confirmed));
        line(QStringLiteral("accredited"), band.band, {}, QString::number(band.accredited));
    }
    for (const Mode &mode : modes) {
        line(QStringLiteral("confirmed"), {}, mode.mode, QString::number(mode.confirmed));
        line(QStringLiteral("accredited"), {}, mode.mode, QString::number(mode.accredited));
    }
    return out;
}

QString SummaryFigures::json() const
{
    QJsonArray bandList;
    for (const Band &band : bands) {
        QJsonObject byMode;
        for (int i = 0; i < modes.size(); ++i)
            byMode.insert(modes.at(i).mode, band.confirmedByMode.at(i));
        bandList.append(QJsonObject{{QStringLiteral("band"), band.band},
                                    {QStringLiteral("confirmed"), band.confirmed},
                                    {QStringLiteral("accredited"), band.accredited},
                                    {QStringLiteral("modes"), byMode}});
    }
    QJsonArray modeList;
    for (const Mode &mode : modes) {
        modeList.append(QJsonObject{{QStringLiteral("mode"), mode.mode},
                                    {QStringLiteral("confirmed"), mode.confirmed},
                                    {QStringLiteral("accredited"), mode.accredited}});
    }
    const QJsonObject all{
        {QStringLiteral("last_refresh"),
         lastRefresh.isValid() ? QJsonValue(lastRefresh.toString(QStringLiteral("yyyy-MM-ddThh:mm"))) : QJsonValue()},
        {QStringLiteral("doks_with_qsos"), doksWithQsos},
        {QStringLiteral("bands"), bandList},
        {QStringLiteral("modes"), modeList},
    };
    return QString::fromUtf8(QJsonDocument(all).toJson(QJsonDocument::Indented));
}
