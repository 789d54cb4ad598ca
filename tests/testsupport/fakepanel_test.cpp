#include "testsupport/fakepanel.h"

#include <gtest/gtest.h>

namespace hitungrama {
namespace {

// The fuzz target and the engine tests rely on the fake to catch calls that
// break the panel's contract without acting on them.
TEST(FakePanel, records_contract_faults_without_applying_them)
{
    FakePanel panel;
    panel.setLabelCaption(LabelGroup::Label3, 1, "x");
    panel.setLabelCaption(LabelGroup::Label8, 10, "x");
    panel.setLabelCaption(LabelGroup::Label5, -1, "x");
    panel.setDigitButtonEnabled(10, false);
    panel.showMessage("text", "", MessageButtons::Ok, MessageIcon::None);
    EXPECT_EQ(panel.faults.size(), 5U);
    EXPECT_TRUE(panel.captions.empty());

    panel.faults.clear();
    panel.setLabelCaption(LabelGroup::Label8, 9, "90");
    panel.setDigitButtonEnabled(9, false);
    EXPECT_TRUE(panel.faults.empty());
    EXPECT_EQ(panel.caption(LabelGroup::Label8, 9), "90");
    EXPECT_FALSE(panel.digitEnabled[9]);
}

TEST(FakePanel, answers_questions_in_order_then_no)
{
    FakePanel panel;
    panel.answers = {MessageAnswer::Yes, MessageAnswer::No};
    const auto ask = [&] { return panel.showMessage("?", "T", MessageButtons::YesNo, MessageIcon::None); };
    EXPECT_EQ(ask(), MessageAnswer::Yes);
    EXPECT_EQ(ask(), MessageAnswer::No);
    EXPECT_TRUE(panel.unscriptedQuestions.empty());
    EXPECT_EQ(ask(), MessageAnswer::No);
    EXPECT_EQ(panel.unscriptedQuestions.size(), 1U);
    EXPECT_EQ(panel.showMessage("!", "T", MessageButtons::Ok, MessageIcon::None), MessageAnswer::Ok);
    EXPECT_EQ(panel.boxes.size(), 4U);
}

} // namespace
} // namespace hitungrama
