#pragma once

#include "buttonclosedialog.h"
#include "printingpause.h"
#include "report/layout.h"

#include <functional>
#include <memory>

namespace Ui {
class AwardWindow;
}
class QLabel;
class LogData;
struct ApplicationRequest;

// The award application window: the award grid as the last refresh left Diplome, a list of up to
// five chosen awards, and the printing of the application, one preview per chosen award.
class AwardWindow : public ButtonClosedDialog
{
    Q_OBJECT

public:
    AwardWindow(LogData &dm, PrintingPause &opener, QWidget *parent = nullptr);
    ~AwardWindow() override;

    // Shows one printout and returns when its preview is closed; entry is the list line printed.
    using PreviewRunner = std::function<void(const report::Layout &layout, const QString &entry)>;
    void setPreviewRunner(PreviewRunner runner) { m_preview = std::move(runner); }
    static void showPreview(const report::Layout &layout, const QString &entry, QWidget *parent);

    // What the printout reads while it runs.
    int currentEntry() const { return m_currentEntry; }
    bool isBandEntry() const { return m_bandEntry; }
    QStringList entries() const;
    ApplicationRequest request() const;

    void prepareOnShow();
    void focusApplicationType();
    void chooseAward(int column, int row);
    void showTypeOfSelectedEntry();
    void applyTypeToSelectedEntries();
    void removeSelectedEntries();
    void printApplications();
    // Writes the QSOs behind each listed award into an ADIF file of its own.
    void exportAwardQsos();
    // Sets "A" on the QSOs of the applications printed here, or of the claimed award chosen in
    // the grid, when the user says Yes.
    void markAccredited();
    void closeWindow();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void setUpGrid();
    void fillGridMarks();
    void connectGridSelection();
    void rebuildSummary();
    void offerClaimedMarks(const QStringList &printed);
    QStringList accreditableAwards() const;

    std::unique_ptr<Ui::AwardWindow> ui;
    LogData &m_data;
    PrintingPause &m_opener;
    QLabel *m_background;
    PreviewRunner m_preview;
    QStringList m_printed; // the entries of the last printing
    int m_currentEntry = 0;
    bool m_bandEntry = true;
    bool m_settingType = false;
    bool m_mousePressing = false;
    bool m_pressSelected = false;
};
