#include "applicationprintout.h"
#include "awardfixture.h"
#include "awardqsos.h"
#include "datamodule.h"
#include "painter.h"
#include "previewwindow.h"
#include "smalldisk.h"
#include "testdatabase.h"

#include <QAction>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

namespace {

// What one of poppler's tools prints about a PDF.
QString popplerOutput(const QString &tool, QStringList arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(tool, QString::fromLocal8Bit(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of a PDF as pdftotext reads it, a form feed between pages; with layout, in the
// columns of the page.
QString pdfText(const QString &fileName, bool layout = true)
{
    QStringList arguments{fileName, QStringLiteral("-")};
    if (layout)
        arguments.prepend(QStringLiteral("-layout"));
    return popplerOutput(QStringLiteral("pdftotext"), arguments);
}

bool popplerInstalled()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

} // namespace

class ApplicationPdfTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AwardFixture> f;
    QTemporaryDir dir;

    // The first printout of an application for 200 DOKs on 14 MHz, over 60 QSOs.
    report::Layout sampleApplication()
    {
        f->addRows("LOG14", 60);
        LogData &dm = f->data.open();
        const QString entry = QStringLiteral("WZP_200 , 14 mhz - New Application");
        AwardQsos(entry).select(dm);
        TQRep printout(dm, ApplicationRequest{{entry}, 0, true, QStringLiteral("WZP_200"), QStringLiteral("New Application")},
                       QDate(2026, 12, 9));
        return printout.layout();
    }

private slots:
    void init() { f = std::make_unique<AwardFixture>(); }
    void cleanup() { f.reset(); }

    void pdfOfAnApplicationReadsBack()
    {
        const report::Layout layout = sampleApplication();
        QCOMPARE(int(layout.pages.size()), 3);
        const QString file = dir.filePath("application.pdf");
        QCOMPARE(report::writePdf(layout, file), QString());
        const QString text = pdfText(file);
        const QStringList pages = text.split(QLatin1Char('\f'));
        QVERIFY2(pages.size() >= 3, qPrintable(text));
        QVERIFY2(pages[0].contains("DK9XYZ"), qPrintable(pages[0]));
        QVERIFY2(pages[0].contains("WZP_200"), qPrintable(pages[0]));
        QVERIFY2(pages[0].contains("14 MHz"), qPrintable(pages[0]));
        QVERIFY2(pages[1].contains("Page 2"), qPrintable(pages[1]));
        QVERIFY2(pages[1].contains("Printed on 09.12.2026"), qPrintable(pages[1]));
        const QRegularExpression qsoLine(QStringLiteral(R"(\b1\s+DL1AB\s+A0001\s+05\.03\.2004\s+SSB\s+14\s+QTH 1\b)"));
        QVERIFY2(qsoLine.match(pages[1]).hasMatch(), qPrintable(pages[1]));
        QVERIFY2(pages[2].contains("Page 3"), qPrintable(pages[2]));
    }

    // The form and the list header are printed as text in embedded fonts: a reader finds every
    // heading and label, and the file stays small.
    void formTextsAreTextInThePdf()
    {
        if (!popplerInstalled())
            QSKIP("poppler-utils (pdftotext, pdffonts, pdfinfo) are not installed.");
        const report::Layout layout = sampleApplication();
        const QString file = dir.filePath("application.pdf");
        QCOMPARE(report::writePdf(layout, file), QString());
        const QString form = pdfText(file, false).split(QLatin1Char('\f')).value(0).simplified();
        const QString list = pdfText(file, false).split(QLatin1Char('\f')).value(1).simplified();
        for (const QString label :
             {"WZP AWARD", "Award for contacts with the German DOK districts and chapters", "APPLICATION FORM",
              "Applicant (callsign, name and full address)", "Date of application", "Applicant's callsign",
              "Award(s) applied for:", "Mark the level claimed on each band or in each mode with X", "Band / Mode",
              "Level (DOKs)", "1000", "Accredited DOKs", "(already credited)", "Confirmed DOKs", "(new)", "Total",
              "I declare that all the QSOs listed", "For the award manager", "Checked on:", "Award no.:",
              "Signature of the applicant", "Callsign", "e-mail:", "09.12.2026"})
            QVERIFY2(form.contains(label), qPrintable(label + " not in: " + form));
        for (const QString label :
             {"WZP AWARD", "List of the QSOs with the DOKs claimed", "Application:", "New Application", "Applicant",
              "Name", "Callsign", "Address", "Postcode, city, country", "Date:", "One line per DOK", "NO.", "CALL",
              "DOK", "DATE", "MODE", "BAND", "REMARKS", "Germany"})
            QVERIFY2(list.contains(label), qPrintable(label + " not in: " + list));

        // Every font is an embedded subset: "ABCDEF+LiberationSans ... yes yes".
        const QStringList fonts = popplerOutput("pdffonts", {file}).split('\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY2(!fonts.isEmpty(), "pdffonts lists no font");
        for (const QString &font : fonts) {
            const QStringList columns = font.split(' ', Qt::SkipEmptyParts);
            QVERIFY2(columns.size() >= 7 && columns[0].contains('+'), qPrintable(font));
            QVERIFY2(columns[columns.size() - 5] == "yes" && columns[columns.size() - 4] == "yes", qPrintable(font));
        }
        // Small enough to hold only the letters used, not whole fonts.
        QVERIFY2(QFileInfo(file).size() < 100 * 1024, qPrintable(QString::number(QFileInfo(file).size())));

        // The file reads without complaint.
        QProcess check;
        check.start("pdfinfo", {file});
        QVERIFY(check.waitForFinished(30000));
        QCOMPARE(QString::fromLocal8Bit(check.readAllStandardError()), QString());
        const QString info = popplerOutput("pdfinfo", {file});
        QVERIFY2(info.contains(QRegularExpression("Title: +WZP award application WZP_200, 14 MHz, DK9XYZ, 09.12.2026\n")),
                 qPrintable(info));
    }

    void unwritableFileIsReported()
    {
        const report::Layout layout = sampleApplication();
        const QString path = dir.filePath("missing/folder/application.pdf");
        QCOMPARE(report::writePdf(layout, path), "The file " + path + " could not be written: No such file or directory.");
        QVERIFY(!QFileInfo::exists(path));
    }

    void aPdfOverAnOldOneOnAFullDiskLeavesTheOldOneWhole()
    {
        SmallDisk disk(2048);
        if (!disk.isMounted())
            QSKIP("A small disk cannot be mounted without root's rights.");
        const report::Layout layout = sampleApplication();
        const QString path = QDir(disk.path()).filePath("application.pdf");
        QCOMPARE(report::writePdf(layout, path), QString());
        const QByteArray old = TestDatabase::fileBytes(path);
        disk.fill();

        QCOMPARE(report::writePdf(layout, path), "The file " + path + " could not be written: the disk is full.");

        QCOMPARE(TestDatabase::fileBytes(path), old);
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files), QStringList({"application.pdf", "filler"}));
    }

    void aPdfIsNeverWrittenOverTheLog()
    {
        PreviewWindow preview(sampleApplication(), "WZP_200 , 14 mhz - New Application", "WZP_200_14.pdf");
        const QString log = f->data.db().path();
        const QByteArray before = TestDatabase::fileBytes(log);
        const QString link = dir.filePath("log.pdf");
        QVERIFY(QFile::link(log, link));
        f->services.desktop.chooseFile(link);
        preview.saveAsPdfAction()->trigger();
        QCOMPARE(f->services.prompter.messages, QStringList{link + " is a database; it is never written over. Choose another file."});
        QCOMPARE(TestDatabase::fileBytes(log), before);
    }

    void previewSavesAPdfUnderTheChosenName()
    {
        PreviewWindow preview(sampleApplication(), "WZP_200 , 14 mhz - New Application", "WZP_200_14.pdf");
        QAction *save = preview.saveAsPdfAction();
        QCOMPARE(save->text(), QString("Save as PDF…"));
        QCOMPARE(save->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
        QVERIFY(preview.dialog().findChild<QToolBar *>()->actions().contains(save));
        const QString chosen = dir.filePath("mine");
        f->services.desktop.chooseFile(chosen);
        save->trigger();
        QCOMPARE(f->services.desktop.dialogCaptions, QStringList{"Save as PDF"});
        QVERIFY(pdfText(chosen + ".pdf").contains("DK9XYZ"));
        QVERIFY(f->services.prompter.messages.isEmpty());
    }

    void cancelledPdfDialogWritesNothing()
    {
        PreviewWindow preview(sampleApplication(), "WZP_200 , 14 mhz - New Application", "WZP_200_14.pdf");
        const QStringList before = QDir(dir.path()).entryList(QDir::Files);
        preview.saveAsPdfAction()->trigger(); // nothing scripted: the dialog is cancelled
        QCOMPARE(f->services.desktop.dialogCaptions.size(), 1);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), before);
        QVERIFY(f->services.prompter.messages.isEmpty());
    }

    void pdfThatCannotBeWrittenIsReported()
    {
        PreviewWindow preview(sampleApplication(), "WZP_200 , 14 mhz - New Application", "WZP_200_14.pdf");
        f->services.desktop.chooseFile(dir.filePath("missing/folder/a.pdf"));
        preview.saveAsPdfAction()->trigger();
        QCOMPARE(f->services.prompter.messages,
                 QStringList{"The file " + dir.filePath("missing/folder/a.pdf") + " could not be written: No such file or directory."});
    }
};

QTEST_MAIN(ApplicationPdfTest)
#include "tst_applicationpdf.moc"
