// Filling the scale dialog, and its answers through the scripted dialogs.
#include <gtest/gtest.h>

#include "graphs/scale_texts.h"
#include "shell/scripted_dialogs.h"

namespace tabulon {
namespace {

TEST(ScaleChoiceFor, WritesFiveSignificantDigitsAndTwoExponentDigits) {
    ScopedTextSettings settings(Language::Swedish, ',');
    const ScaleChoice c = ScaleChoiceFor(123.456789L, -2.5L, 1.5e-7L);
    EXPECT_EQ(c.maximum, "123,46");  // 5 significant digits
    EXPECT_EQ(c.minimum, "-2,5");
    EXPECT_EQ(c.step, "1,5E-07");  // below 0.00001: scientific, two exponent digits
    EXPECT_FALSE(c.automatic);
}

TEST(ScriptedDialogs, AnswersTheScaleAndCaptionDialogsInOrder) {
    ScriptedDialogs dialogs;
    dialogs.scale(ScaleChoice{"10", "0", "2", false})
        .caption(std::nullopt)
        .scale(ScaleChoice{"", "", "", true});
    const ScaleChoice current{"5", "1", "1", false};
    EXPECT_EQ(dialogs.SelectScale(current), (ScaleChoice{"10", "0", "2", false}));
    EXPECT_EQ(dialogs.CaptionText({"Rubrik", {}}), std::nullopt);  // cancelled
    EXPECT_EQ(dialogs.SelectScale(current), (ScaleChoice{"", "", "", true}));
    EXPECT_TRUE(dialogs.allAnswersUsed());
    EXPECT_TRUE(dialogs.mismatches().empty());
    ASSERT_EQ(dialogs.asked().size(), 3u);
    EXPECT_EQ(dialogs.asked()[0].title, "Välj skala");
    EXPECT_EQ(dialogs.asked()[0].text, "5;1;1");
    EXPECT_EQ(dialogs.asked()[1].title, "Bildtext");
}

TEST(ScriptedDialogs, AGraphDialogWithoutItsAnswerIsAMismatchAndACancel) {
    ScriptedDialogs dialogs;
    dialogs.caption(CaptionChoice{"Text", {"Serif", 14}});
    EXPECT_EQ(dialogs.SelectScale({}), std::nullopt);  // the caption answer is not for it
    EXPECT_EQ(dialogs.mismatches().size(), 1u);
    const auto caption = dialogs.CaptionText({});
    ASSERT_TRUE(caption);
    EXPECT_EQ(caption->text, "Text");
    EXPECT_EQ(caption->font.point_size, 14);
}

}  // namespace
}  // namespace tabulon
