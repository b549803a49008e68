#include "exchangecommands.h"

#include "datamodule.h"
#include "desktop.h"
#include "doklist.h"
#include "engineerror.h"
#include "exchangeerror.h"
#include "logfiles.h"
#include "prompter.h"
#include "qsoconfirmation.h"
#include "qsoexporter.h"
#include "qsoimporter.h"
#include "services.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace exchangecommands {
namespace {

const QString &adifFilter = logfiles::dialogFilter;

// Runs work; a broken file or a failing database is shown with its own text.
template<typename Work>
void reporting(Work work)
{
    try {
        work();
    } catch (const ExchangeError &error) {
        services::prompter().error(error.text());
    } catch (const EngineError &error) {
        services::prompter().error(error.text());
    }
}

} // namespace

bool importAdif(LogData &dm, QWidget *parent)
{
    const QString path = services::desktop().openFileName(QStringLiteral("Import ADIF"), adifFilter);
    if (path.isEmpty())
        return false;
    bool refresh = false;
    reporting([&] {
        const std::unique_ptr<QsoReader> file = logfiles::openReader(path);
        QsoReader &reader = *file;
        QProgressDialog progress(QStringLiteral("Importing QSOs…"), QStringLiteral("Cancel"), 0, 1000, parent);
        progress.setObjectName(QStringLiteral("ImportProgress"));
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(500);
        QsoImporter importer(dm);
        importer.addUnknownDoks = [&](const QStringList &codes) {
            // Over the progress dialog, so it is seen in front of the window the import started from.
            progress.show();
            return services::prompter().askOver(&progress, unknownDoksQuestion(codes), Prompter::Question::YesNo);
        };
        importer.onProgress = [&](qint64 done, qint64 total) {
            progress.setValue(int(done * 1000 / qMax<qint64>(total, 1)));
            QCoreApplication::processEvents();
            return !progress.wasCanceled();
        };
        const ImportReport report = importer.run(reader);
        progress.close();
        services::prompter().message(report.text());
        refresh = report.imported > 0
            && services::prompter().ask(QStringLiteral("Refresh the data now?"), Prompter::Question::YesNo);
    });
    return refresh;
}

QString unknownDoksQuestion(const QStringList &codes)
{
    constexpr qsizetype named = 10;
    QString list = codes.mid(0, named).join(QStringLiteral(", "));
    if (codes.size() > named)
        list += QStringLiteral(" and %1 more").arg(codes.size() - named);
    return QStringLiteral("Add %1 unknown DOKs to the list?\r").arg(codes.size()) + list;
}

bool importConfirmations(LogData &dm)
{
    const QString path = services::desktop().openFileName(QStringLiteral("Import confirmations"), adifFilter);
    if (path.isEmpty())
        return false;
    bool refresh = false;
    reporting([&] {
        const std::unique_ptr<QsoReader> reader = logfiles::openReader(path);
        const ConfirmationReport report = QsoConfirmation(dm).run(*reader);
        services::prompter().message(report.text());
        refresh = report.confirmedNow.count > 0
            && services::prompter().ask(QStringLiteral("Refresh the data now?"), Prompter::Question::YesNo);
    });
    return refresh;
}

void exportAdif(LogData &dm)
{
    const QString path =
        services::desktop().saveFileName(QStringLiteral("Export ADIF"), adifFilter, QStringLiteral("wzplog.adi"));
    if (path.isEmpty())
        return;
    reporting([&] {
        const std::unique_ptr<QsoWriter> writer = logfiles::createWriter(path);
        const int written = QsoExporter(dm).exportLog(*writer);
        services::prompter().message(QStringLiteral("QSOs exported: %1").arg(written));
    });
}

void exportAward(LogData &dm, const QString &award, const QString &name)
{
    const QString path = services::desktop().saveFileName(QStringLiteral("Export ADIF: %1").arg(name), adifFilter,
                                                          name + QStringLiteral(".adi"));
    if (path.isEmpty())
        return;
    reporting([&] {
        const std::unique_ptr<QsoWriter> writer = logfiles::createWriter(path);
        const int written = QsoExporter(dm).exportAward(*writer, award);
        services::prompter().message(QStringLiteral("QSOs exported: %1").arg(written));
    });
}

void updateDokList(LogData &dm)
{
    const QString path = services::desktop().openFileName(QStringLiteral("Update DOK list"),
                                                          QStringLiteral("DOK lists (*.txt *.csv);;All files (*)"));
    if (path.isEmpty())
        return;
    reporting([&] {
        const DokList list = readDokList(path);
        services::prompter().message(DokListUpdate(dm).run(list).text());
    });
}

} // namespace exchangecommands
