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

} // namespace
} // namespace hitungrama
