#include "testhost.h"

#include <QAccessible>
#include <QAccessibleActionInterface>

#include <gtest/gtest.h>

using namespace hitungrama;
using namespace hitungrama::test;

namespace {

TEST(Accessibility, push_button_named_by_caption_with_tooltip_states_and_press)
{
    TestHost host;
    XPButton *button = host.second();
    EventLog log(button);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::PushButton);
    for (const auto &[caption, name] : {std::pair{"&Save", "Save"}, {"A&&B", "A&B"}, {"&&&x", "&x"}}) {
        button->setCaption(QString::fromUtf8(caption));
        EXPECT_EQ(iface->text(QAccessible::Name), QString::fromUtf8(name)) << caption;
    }
    button->setToolTip(QStringLiteral("Kosongkan memori"));
    EXPECT_EQ(iface->text(QAccessible::Description), QStringLiteral("Kosongkan memori"));

    button->setFocus();
    EXPECT_TRUE(iface->state().focused);
    QAccessibleActionInterface *actions = iface->actionInterface();
    ASSERT_NE(actions, nullptr);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(log.take(), QStringList{"Click"});

    button->setButtonEnabled(false);
    EXPECT_TRUE(iface->state().disabled);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(log.lines().isEmpty());
}

} // namespace
