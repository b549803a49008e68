#pragma once

#include "logbook.h"

#include <QString>
#include <functional>

class QComboBox;
class QWidget;
class ModifyWindow;

// SQL that stores a QSO as saving does: LOG, the band and mode tables (the first QSO of its DOK
// there, taking the placeholder) and the DOK's status cells.
QString savedQso(int id, const QString &dok, const QString &band, const QString &mode,
                 const QString &call = QStringLiteral("DL1ABC"), const QString &date = QStringLiteral("05/03/2009"),
                 const QString &conf = QStringLiteral("C"));

// The main window with the management view open on the band table of the current QSO.
struct ModifyBook : Logbook
{
    explicit ModifyBook(const QString &setupSql);

    // Opens "Modify QSOs" through its tool button and runs act on it while it is shown.
    void modify(const std::function<void(ModifyWindow *)> &act);
    // One value from disk.
    QString value(const QString &sql) const { return db.value(sql); }
};

// What a user does in a form: puts the focus into a field with the mouse, replaces its text by
// typing, leaves it with Tab, picks an item from a list with the arrow keys.
void clickInto(QWidget *field);
void retype(QWidget *field, const QString &text);
void leave(QWidget *field);
void pickItem(QComboBox *box, const QString &item);
