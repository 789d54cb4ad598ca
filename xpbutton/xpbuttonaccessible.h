#pragma once

#include <QAccessibleWidget>
#include <QCoreApplication>

namespace hitungrama {

class XPButton;

// What assistive technology sees of an XPButton: a push button named by its
// caption without ampersands, described by its tooltip, with a press action.
class XPButtonAccessible : public QAccessibleWidget {
    Q_DECLARE_TR_FUNCTIONS(XPButtonAccessible)

public:
    explicit XPButtonAccessible(XPButton *button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

    // Registers the factory once; later calls do nothing.
    static void install();

private:
    XPButton *button() const;
};

} // namespace hitungrama
