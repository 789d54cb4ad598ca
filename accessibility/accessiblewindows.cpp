#include "accessibility/accessiblewindows.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace hitungrama::AccessibleWindows {

namespace {

QAccessibleInterface *windowFactory(const QString &className, QObject *object)
{
    if (className != QLatin1String("hitungrama::Form1")
        && className != QLatin1String("hitungrama::TapeWindow"))
        return nullptr;
    auto *widget = qobject_cast<QWidget *>(object);
    if (widget == nullptr || !widget->isWindow())
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Window);
}

} // namespace

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(windowFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace hitungrama::AccessibleWindows
