#include "modalwindow.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

bool withModalWindow(QAction &action, const std::function<void(QDialog &)> &act)
{
    bool opened = false;
    // A timer of this function: when no window opens it goes with the function, unfired.
    QTimer look;
    look.setSingleShot(true);
    QObject::connect(&look, &QTimer::timeout, &action, [&] {
        QPointer<QDialog> dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        opened = true;
        act(*dialog);
        if (dialog && dialog->isVisible())
            dialog->done(QDialog::Rejected);
    });
    look.start(0);
    action.trigger();
    return opened;
}
