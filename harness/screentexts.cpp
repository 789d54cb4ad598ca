#include "harness/screentexts.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QWidget>

namespace hitungrama::ScreenTexts {

namespace {

QString shown(QString text)
{
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

class Collector {
public:
    void add(const QObject &owner, const char *kind, const QString &text)
    {
        if (text.trimmed().isEmpty())
            return;
        const QString name = owner.objectName().isEmpty()
            ? QLatin1String(owner.metaObject()->className())
            : owner.objectName();
        m_texts.append({name + QLatin1Char(' ') + QLatin1String(kind), shown(text)});
    }

    void addAccessible(QWidget &widget)
    {
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&widget);
        if (accessible == nullptr)
            return;
        add(widget, "accessible name", accessible->text(QAccessible::Name));
        add(widget, "accessible description", accessible->text(QAccessible::Description));
        add(widget, "accessible value", accessible->text(QAccessible::Value));
        if (QAccessibleActionInterface *actions = accessible->actionInterface()) {
            for (const QString &action : actions->actionNames()) {
                for (const QString &binding : actions->keyBindingsForAction(action))
                    add(widget, "key binding", binding);
            }
        }
    }

    void addHeaders(const QAbstractItemView &view)
    {
        for (const QHeaderView *header : view.findChildren<QHeaderView *>()) {
            if (header->isHidden() || header->model() == nullptr)
                continue;
            for (int section = 0; section < header->count(); ++section)
                add(view, "header",
                    header->model()->headerData(section, header->orientation()).toString());
        }
    }

    void addWidget(QWidget &widget)
    {
        add(widget, "tooltip", widget.toolTip());
        addAccessible(widget);
        if (const auto *button = qobject_cast<const QAbstractButton *>(&widget))
            add(widget, "text", button->text());
        if (const auto *field = qobject_cast<const QLineEdit *>(&widget))
            add(widget, "placeholder", field->placeholderText());
        if (const auto *view = qobject_cast<const QAbstractItemView *>(&widget))
            addHeaders(*view);
        for (const QAction *action : widget.actions()) {
            if (action->isVisible())
                add(widget, "action", action->text());
        }
    }

    void addMenu(const QMenu &menu)
    {
        for (const QAction *action : menu.actions()) {
            if (action->isSeparator() || !action->isVisible())
                continue;
            add(menu, "menu item", action->text());
            if (const QMenu *submenu = action->menu())
                addMenu(*submenu);
        }
    }

    QList<Text> take() { return std::move(m_texts); }

private:
    QList<Text> m_texts;
};

} // namespace

QList<Text> of(QWidget &top)
{
    Collector collector;
    collector.add(top, "title", top.windowTitle());
    collector.addWidget(top);
    for (QWidget *widget : top.findChildren<QWidget *>()) {
        if (widget->isVisibleTo(&top) && widget->isWindow() == false)
            collector.addWidget(*widget);
    }
    return collector.take();
}

QList<Text> ofMenu(const QMenu &menu)
{
    Collector collector;
    collector.addMenu(menu);
    return collector.take();
}

} // namespace hitungrama::ScreenTexts
