#include "helptexts.h"

#include <QCoreApplication>
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
        html += QStringLiteral("<h3>%1</h3>").arg(QCoreApplication::translate("HelpWindow", section.heading));
        for (const char *paragraph : section.paragraphs)
            html += QStringLiteral("<p>%1</p>").arg(QCoreApplication::translate("HelpWindow", paragraph));
    }
    return html;
}

} // namespace

QString dokPage()
{
    return page({
        {QT_TRANSLATE_NOOP("HelpWindow", "MANAGEMENT"),
         {QT_TRANSLATE_NOOP("HelpWindow", "DOK, Management opens the management view over your log. The band buttons filter it by band, "
          "the mode buttons by mode; with a band chosen you can also show only the DOKs confirmed (C) or "
          "accredited (A) on that band."),
          QT_TRANSLATE_NOOP("HelpWindow", "With the confirmed filter on, \"Show Details\" is enabled: click a C or an A cell of the matrix to "
          "see the QSOs behind it. \"Hide Details\" hides them again.")}},
        {QT_TRANSLATE_NOOP("HelpWindow", "REQUEST"),
         {QT_TRANSLATE_NOOP("HelpWindow", "DOK, Request opens the award window. Every award you may claim after the last refresh is marked "
          "with a T. Choose a new application or an endorsement, then click the T cells of the awards you "
          "want: they are collected in the box at the lower left, where you can also remove them again."),
          QT_TRANSLATE_NOOP("HelpWindow", "\"Prepare\" previews and prints the request: the application form and the list of QSOs for each "
          "award.")}},
        {QT_TRANSLATE_NOOP("HelpWindow", "RULES"),
         {QT_TRANSLATE_NOOP("HelpWindow", "DOK, Rules shows the rules of the award in Italian, English, German, French and Spanish. Click a "
          "flag to read the rules in its language.")}},
        {QT_TRANSLATE_NOOP("HelpWindow", "MAP"),
         {QT_TRANSLATE_NOOP("HelpWindow", "DOK, Map shows the German DOK districts. Click a district to see the approximate position of its "
          "DOKs; point at a DOK to see its name and what you have logged for it, by band and by mode.")}},
        {QT_TRANSLATE_NOOP("HelpWindow", "REFRESH DATA and SUMMARY"),
         {QT_TRANSLATE_NOOP("HelpWindow", "Refresh Data recalculates the score of every DOK on every band and in every mode from your log "
          "and marks the awards you may claim. Run it after entering, changing or deleting QSOs."),
          QT_TRANSLATE_NOOP("HelpWindow", "Summary shows how many DOKs are confirmed and accredited on each band and in each mode.")}},
    });
}

QString qsoPage()
{
    return page({
        {QT_TRANSLATE_NOOP("HelpWindow", "NEW"),
         {QT_TRANSLATE_NOOP("HelpWindow", "QSO, New opens the entry panel. Type the DOK first, then choose the band and the mode. When the "
          "DOK is new on that band or in that mode you see \"NEW DOK\" and, with the sound on, hear a sound."),
          QT_TRANSLATE_NOOP("HelpWindow", "Then fill in the callsign, the date and the QTH and save the QSO. When the DOK is already confirmed "
          "on that band and in that mode you see \"DOK Already confirmed\": you need not save it.")}},
        {QT_TRANSLATE_NOOP("HelpWindow", "MODIFY and DELETE"),
         {QT_TRANSLATE_NOOP("HelpWindow", "Both commands are enabled only in the DOK management view. Choose a band with the band buttons, "
          "then pick the QSO by typing its DOK or its callsign, or by clicking it in the grid; then modify or "
          "delete it."),
          QT_TRANSLATE_NOOP("HelpWindow", "The mode buttons and the other buttons of the view disable Modify and Delete again.")}},
    });
}

QString utilityPage()
{
    return page({
        {QT_TRANSLATE_NOOP("HelpWindow", "USER DATA"),
         {QT_TRANSLATE_NOOP("HelpWindow", "Utility, User Data: fill in every item of your personal data (callsign, name, address, locator, "
          "country). They are printed on your award applications.")}},
        {QT_TRANSLATE_NOOP("HelpWindow", "BACKUP - RESTORE"),
         {QT_TRANSLATE_NOOP("HelpWindow", "Backup stores a copy of your database in the subfolder backup of the data folder; Restore puts that "
          "copy back, and keeps the database it replaces as backup/before-restore.mdb."),
          QT_TRANSLATE_NOOP("HelpWindow", "Both commands are active only in the DOK management view.")}},
        {QT_TRANSLATE_NOOP("HelpWindow", "SOUND"),
         {QT_TRANSLATE_NOOP("HelpWindow", "Utility, Sound turns the sound messages of the entry panel on and off.")}},
    });
}

} // namespace helptext
