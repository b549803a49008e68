#pragma once

#include "layout.h"
#include "scorefixture.h"
#include "scriptedservices.h"

#include <QStringList>
#include <memory>
#include <vector>

class MainWindow;
class AwardWindow;

// A small store for the award tests: a user record, Diplome marks, RIEP counters and the rows of
// band and mode tables as a test sets them, and the award window opened on it with its printouts
// recorded instead of previewed.
class AwardFixture
{
public:
    AwardFixture();
    ~AwardFixture();

    // Writes one Diplome cell; column is the stored name ("14", "1", "CW", "RTTY").
    void setMark(int level, const QString &column, const QString &text);
    void setCounter(const QString &column, int value);
    // count rows in the band or mode table, DOKs A0001, A0002 ...; conf "C" unless said otherwise.
    // Special rows get DOKs S0001 ... and the special mark.
    void addRows(const QString &table, int count, const QString &conf = QStringLiteral("C"), bool special = false,
                 int firstNumber = 1);

    AwardWindow &openWindow();
    AwardWindow &window() { return *m_window; }
    MainWindow &mainWindow() { return *m_main; }

    // Clicks the body cell of a level (100 .. 1000) in the grid column of that header text.
    void clickCell(int level, const QString &header);
    void clickCell(int row, int column);
    QString cell(int row, int column) const;
    int gridColumn(const QString &header) const;
    QStringList entries() const;

    struct Printout
    {
        report::Layout layout;
        QString entry;
        QString bandTable, modeTable, bandFilter, modeFilter;
        bool clockActive;
        QChar marker;
    };
    std::vector<Printout> printouts;

    ScriptedServices services;
    ScoreFixture data;

private:
    std::unique_ptr<MainWindow> m_main;
    std::unique_ptr<AwardWindow> m_window;
};

// The placed elements of that name over every page of a layout.
int countOnPages(const report::Layout &layout, const QString &name);
