#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class TableView;

// Binds a text field, an editable list or a label to one column of a view's current row.
// The control follows the cursor; what the user types goes into the row (putting the view into
// edit mode) and is stored when the row is posted. An empty field stores null.
class FieldLink : public QObject
{
    Q_OBJECT

public:
    static FieldLink *bind(QLineEdit *edit, TableView &view, const QString &column);
    static FieldLink *bind(QComboBox *box, TableView &view, const QString &column);
    static FieldLink *bind(QLabel *label, TableView &view, const QString &column);

    const QString &column() const { return m_column; }
    void showValue();

private:
    FieldLink(QObject *control, TableView &view, QString column);
    void store(const QString &text);

    QPointer<QObject> m_control;
    TableView &m_view;
    QString m_column;
};
