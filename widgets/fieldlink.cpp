#include "fieldlink.h"

#include "engineguard.h"
#include "tableview.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

FieldLink::FieldLink(QObject *control, TableView &view, QString column)
    : QObject(control), m_control(control), m_view(view), m_column(std::move(column))
{
    connect(&view, &TableView::currentChanged, this, &FieldLink::showValue);
    showValue();
}

FieldLink *FieldLink::bind(QLineEdit *edit, TableView &view, const QString &column)
{
    auto *link = new FieldLink(edit, view, column);
    connect(edit, &QLineEdit::textEdited, link, &FieldLink::store);
    return link;
}

FieldLink *FieldLink::bind(QComboBox *box, TableView &view, const QString &column)
{
    auto *link = new FieldLink(box, view, column);
    if (box->lineEdit())
        connect(box->lineEdit(), &QLineEdit::textEdited, link, &FieldLink::store);
    connect(box, &QComboBox::activated, link, [link, box](int) { link->store(box->currentText()); });
    return link;
}

FieldLink *FieldLink::bind(QLabel *label, TableView &view, const QString &column)
{
    return new FieldLink(label, view, column);
}

void FieldLink::showValue()
{
    const QString value = m_view.isOpen() && m_view.hasColumn(m_column) ? m_view.text(m_column) : QString();
    if (auto *edit = qobject_cast<QLineEdit *>(m_control)) {
        if (edit->text() != value)
            edit->setText(value);
    } else if (auto *box = qobject_cast<QComboBox *>(m_control)) {
        if (box->currentText() != value)
            box->setEditText(value);
    } else if (auto *label = qobject_cast<QLabel *>(m_control)) {
        label->setText(value);
    }
}

void FieldLink::store(const QString &text)
{
    reportEngineErrors([&] {
        if (m_view.state() == TableView::State::Browse)
            m_view.edit();
        if (text.isEmpty())
            m_view.clear(m_column);
        else
            m_view.setText(m_column, text);
    });
}
