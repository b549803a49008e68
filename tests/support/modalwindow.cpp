#include "modalwindow.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

bool withModalWindow(QAction &action, const std::function<void(QDialog &)> &act)
{
    bool opened = false;
    QTimer::singleShot(0, &action, [&] {
        QPointer<QDialog> dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        opened = true;
        act(*dialog);
        if (dialog && dialog->isVisible())
            dialog->done(QDialog::Rejected);
    });
    action.trigger();
    return opened;
}
