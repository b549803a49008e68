#include "hint.h"

#include <QAction>
#include <QVariant>
#include <QWidget>

namespace hint {
namespace {

const char *const property = "hint";

QString shortPart(const QString &text)
{
    const qsizetype bar = text.indexOf(QLatin1Char('|'));
    return bar < 0 ? text : text.left(bar);
}

QString longPart(const QString &text)
{
    const qsizetype bar = text.indexOf(QLatin1Char('|'));
    return bar < 0 ? text : text.mid(bar + 1);
}

} // namespace

void set(QAction *action, const QString &text)
{
    action->setProperty(property, text);
    action->setToolTip(shortPart(text));
    action->setStatusTip(longPart(text));
}

void set(QWidget *widget, const QString &text)
{
    widget->setProperty(property, text);
    widget->setToolTip(shortPart(text));
    widget->setStatusTip(longPart(text));
}

QString of(const QObject *object)
{
    return object->property(property).toString();
}

} // namespace hint
