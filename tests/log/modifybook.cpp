#include "modifybook.h"

#include "mainwindow.h"
#include "modifywindow.h"
#include "vocabulary.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

QString savedQso(int id, const QString &dok, const QString &band, const QString &mode, const QString &call,
                 const QString &date, const QString &conf)
{
    const QString suffix = vocab::bandSuffix(band);
    QString sql = QStringLiteral("INSERT INTO LOG (id, call, loc, data, banda, modo, dok, conf, mhz) "
                                 "VALUES (%1, '%2', 'BERLIN', '%3', '%4', '%5', '%6', '%7', %8);")
                      .arg(QString::number(id), call, date, band, mode, dok, conf, suffix);
    for (const QString &table : {vocab::bandTable(suffix), vocab::modeTable(mode)}) {
        sql += QStringLiteral("INSERT INTO %1 (call, loc, data, banda, modo, dok, conf, num) "
                              "SELECT call, loc, data, banda, modo, dok, conf, id FROM LOG WHERE id=%2 "
                              "AND NOT EXISTS (SELECT 1 FROM %1 WHERE dok='%3');"
                              "DELETE FROM %1 WHERE dok='*' AND EXISTS (SELECT 1 FROM %1 WHERE dok<>'*');")
                   .arg(table, QString::number(id), dok);
    }
    sql += QStringLiteral("UPDATE DOK SET \"%1\"='%4', \"%2\"='%4', \"%3\"='%4', CONF='C' WHERE DOK='%5';")
               .arg(vocab::bandCell(suffix), vocab::pairCell(mode, suffix), vocab::modeCell(mode), conf, dok);
    return sql;
}

ModifyBook::ModifyBook(const QString &setupSql) : Logbook(setupSql)
{
    main->action(QStringLiteral("Management1"))->trigger();
}

void ModifyBook::modify(const std::function<void(ModifyWindow *)> &act)
{
    bool shown = false;
    whenDialogShows([&](QDialog *dialog) {
        shown = true;
        act(qobject_cast<ModifyWindow *>(dialog));
    });
    main->action(QStringLiteral("Speedmod"))->trigger();
    activate();
    if (!shown)
        QTest::qFail("the modify window did not open", __FILE__, __LINE__);
}

namespace {

QLineEdit *editOf(QWidget *field)
{
    if (auto *box = qobject_cast<QComboBox *>(field))
        return box->lineEdit();
    return qobject_cast<QLineEdit *>(field);
}

} // namespace

void clickInto(QWidget *field)
{
    QLineEdit *edit = editOf(field);
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(4, edit->height() / 2));
}

void retype(QWidget *field, const QString &text)
{
    clickInto(field);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    else
        QTest::keyClicks(field, text);
}

void leave(QWidget *field)
{
    QTest::keyClick(field, Qt::Key_Tab);
}

void pickItem(QComboBox *box, const QString &item)
{
    clickInto(box);
    // The arrow keys choose from the list as the list's popup does, and need no popup window.
    const int target = box->findText(item);
    while (box->currentIndex() != target)
        QTest::keyClick(box, box->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
}
