#include "testhost.h"

#include <QAccessible>
#include <QAccessibleActionInterface>

#include <gtest/gtest.h>

using namespace hitungrama;
using namespace hitungrama::test;

namespace {

class Accessibility : public ::testing::Test {
protected:
    TestHost host;
    XPButton *button = host.second();
    EventLog log{button};

    QAccessibleInterface *accessible() const
    {
        return QAccessible::queryAccessibleInterface(button);
    }
};

TEST_F(Accessibility, presents_a_push_button_named_by_its_caption)
{
    const struct {
        const char *caption;
        const char *name;
    } cases[] = {{"&Save", "Save"}, {"A&&B", "A&B"}, {"x^y", "x^y"}, {"&&&x", "&x"}, {"", ""}};
    QAccessibleInterface *iface = accessible();
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::PushButton);
    for (const auto &c : cases) {
        button->setCaption(QString::fromUtf8(c.caption));
        EXPECT_EQ(iface->text(QAccessible::Name), QString::fromUtf8(c.name)) << c.caption;
    }
    button->setToolTip(QStringLiteral("Kosongkan memori"));
    EXPECT_EQ(iface->text(QAccessible::Description), QStringLiteral("Kosongkan memori"));
}

TEST_F(Accessibility, reports_disabled_and_focused_states)
{
    QAccessibleInterface *iface = accessible();
    EXPECT_FALSE(iface->state().focused);
    button->setFocus();
    EXPECT_TRUE(iface->state().focused);
    EXPECT_FALSE(iface->state().disabled);
    button->setButtonEnabled(false);
    EXPECT_TRUE(iface->state().disabled);
}

TEST_F(Accessibility, press_action_clicks_only_an_enabled_button)
{
    QAccessibleActionInterface *actions = accessible()->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(log.take(), QStringList{"Click"});
    button->setButtonEnabled(false);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(log.lines().isEmpty());
}

} // namespace
