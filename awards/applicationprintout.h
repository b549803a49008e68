#pragma once

#include "applicationform.h"
#include "report/report.h"

#include <QCoreApplication>
#include <QDate>
#include <QStringList>

class LogData;

// What the printout reads of the award window while it runs.
struct ApplicationRequest
{
    QStringList entries;
    int currentEntry = 0;   // the list position of the entry being printed
    bool bandEntry = true;  // false while a mode entry is printed
    QString awardsAppliedFor; // the window's summary text
    QString applicationType;
};

// The printed application for one entry of the award window: for the first entry the filled-in
// application form, then the list of the QSOs behind the entry (the band view or mode view the
// window pointed at them), page after page under the list header and the column strip.
class TQRep
{
    Q_DECLARE_TR_FUNCTIONS(TQRep)

public:
    TQRep(LogData &dm, ApplicationRequest request, const QDate &today);

    // Runs the hooks and lays the pages out; engine errors (a counter RIEP lacks) pass through.
    report::Layout layout() { return m_report.layout(); }
    report::Report &report() { return m_report; }

    void QuickRepBeforePrint();
    void QuickRepStartPage(int page);

private:
    void buildListHeader();
    void buildColumnStrip();
    void buildForm();
    void buildAwardRows(report::Band &band, const ApplicationFormLayout &form);
    void buildQsoLine();
    void buildFooter();
    // The award, its band or mode, the callsign and the date.
    QString documentTitle(const QDate &today) const;

    LogData &m_data;
    ApplicationRequest m_request;
    report::Report m_report;
    QDate m_today;
};
