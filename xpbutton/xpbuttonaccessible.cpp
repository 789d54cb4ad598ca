#include "xpbutton/xpbuttonaccessible.h"

#include "xpbutton/accesskey.h"
#include "xpbutton/xpbutton.h"

namespace hitungrama {

namespace {

QAccessibleInterface *createAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String(XPButton::staticMetaObject.className())) {
        if (auto *button = qobject_cast<XPButton *>(object))
            return new XPButtonAccessible(button);
    }
    return nullptr;
}

} // namespace

XPButtonAccessible::XPButtonAccessible(XPButton *button)
    : QAccessibleWidget(button, QAccessible::PushButton)
{
}

XPButton *XPButtonAccessible::button() const
{
    return static_cast<XPButton *>(widget());
}

QString XPButtonAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        return captionWithoutMnemonics(button()->caption());
    case QAccessible::Description:
        return button()->toolTip();
    case QAccessible::Accelerator: {
        const QString key = button()->accessKey();
        //: The access key as assistive technology announces it; "Alt" names the key.
        return key.isEmpty() ? QString() : tr("Alt+%1").arg(key.toUpper());
    }
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State XPButtonAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    if (!button()->isButtonEnabled()) {
        s.disabled = true;
        s.focusable = false;
    }
    return s;
}

QStringList XPButtonAccessible::actionNames() const
{
    return {pressAction()};
}

void XPButtonAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction())
        button()->pressFromAccessibility();
}

QStringList XPButtonAccessible::keyBindingsForAction(const QString &actionName) const
{
    QStringList bindings;
    if (actionName != pressAction())
        return bindings;
    if (!button()->keyHint().isEmpty())
        bindings.append(button()->keyHint());
    if (!button()->accessKey().isEmpty())
        bindings.append(text(QAccessible::Accelerator));
    return bindings;
}

void XPButtonAccessible::install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(createAccessible);
}

} // namespace hitungrama
