#include "helptexts.h"

#include <QStringList>
#include <initializer_list>

namespace helptext {
namespace {

struct Section
{
    const char *heading;
    std::initializer_list<const char *> paragraphs;
};

QString page(std::initializer_list<Section> sections)
{
    QString html;
    for (const Section &section : sections) {
        html += QStringLiteral("<h3>%1</h3>").arg(QString::fromUtf8(section.heading));
        for (const char *paragraph : section.paragraphs)
            html += QStringLiteral("<p>%1</p>").arg(QString::fromUtf8(paragraph));
    }
    return html;
}

} // namespace

QString dokPage()
{
    return page({
        {"MANAGEMENT",
         {"DOK, Management opens the management view over your log. The band buttons filter it by band, "
          "the mode buttons by mode; with a band chosen you can also show only the DOKs confirmed (C) or "
          "accredited (A) on that band.",
          "With the confirmed filter on, \"Show Details\" is enabled: click a C or an A cell of the matrix to "
          "see the QSOs behind it. \"Hide Details\" hides them again."}},
        {"REQUEST",
         {"DOK, Request opens the award window. Every award you may claim after the last refresh is marked "
          "with a T. Choose a new application or an endorsement, then click the T cells of the awards you "
          "want: they are collected in the box at the lower left, where you can also remove them again.",
          "\"Prepare\" previews and prints the request: the application form and the list of QSOs for each "
          "award."}},
        {"RULES",
         {"DOK, Rules shows the rules of the award in Italian, English, German, French and Spanish. Click a "
          "flag to read the rules in its language."}},
        {"MAP",
         {"DOK, Map shows the German DOK districts. Click a district to see the approximate position of its "
          "DOKs; point at a DOK to see its name and what you have logged for it, by band and by mode."}},
        {"REFRESH DATA and SUMMARY",
         {"Refresh Data recalculates the score of every DOK on every band and in every mode from your log "
          "and marks the awards you may claim. Run it after entering, changing or deleting QSOs.",
          "Summary shows how many DOKs are confirmed and accredited on each band and in each mode."}},
    });
}

QString qsoPage()
{
    return page({
        {"NEW",
         {"QSO, New opens the entry panel. Type the DOK first, then choose the band and the mode. When the "
          "DOK is new on that band or in that mode you see \"NEW DOK\" and, with the sound on, hear a sound.",
          "Then fill in the callsign, the date and the QTH and save the QSO. When the DOK is already confirmed "
          "on that band and in that mode you see \"DOK Already confirmed\": you need not save it."}},
        {"MODIFY and DELETE",
         {"Both commands are enabled only in the DOK management view. Choose a band with the band buttons, "
          "then pick the QSO by typing its DOK or its callsign, or by clicking it in the grid; then modify or "
          "delete it.",
          "The mode buttons and the other buttons of the view disable Modify and Delete again."}},
    });
}

QString utilityPage()
{
    return page({
        {"USER DATA",
         {"Utility, User Data: fill in every item of your personal data (callsign, name, address, locator, "
          "country). They are printed on your award applications."}},
        {"BACKUP - RESTORE",
         {"Backup stores a copy of your database in the subfolder backup of the data folder; Restore puts that "
          "copy back, and keeps the database it replaces as backup/before-restore.mdb.",
          "Both commands are active only in the DOK management view."}},
        {"SOUND",
         {"Utility, Sound turns the sound messages of the entry panel on and off."}},
    });
}

} // namespace helptext
