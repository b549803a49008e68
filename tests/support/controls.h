#pragma once

#include <QAbstractItemModel>
#include <QApplication>
#include <QMouseEvent>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTableView>

// A window's control by its object name; a missing control ends the test program at once.
template<typename T = QWidget>
T *child(QObject &window, const QString &name)
{
    T *found = window.findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

// The texts a grid shows in one column, top to bottom.
inline QStringList column(QTableView *grid, int column)
{
    QStringList out;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        out << grid->model()->index(row, column).data().toString();
    return out;
}

// Moves the pointer over a widget without a button pressed, as a hover: the widget gets the move
// event it would get from the window system (mouse tracking on).
inline void hover(QWidget *widget, QPoint position)
{
    QMouseEvent move(QEvent::MouseMove, position, widget->mapToGlobal(position), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}
