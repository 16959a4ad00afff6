// The caption dialog: its text, and a font chosen through the font button.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>

#include "graphs/ui/caption_dialog.h"
#include "shell/scripted_dialogs.h"

namespace tabulon::ui {
namespace {

TEST(CaptionDialog, TheFontButtonGivesTheEditTheChosenFont) {
    ScriptedDialogs dialogs;
    const FontSpec serif{"Serif", 16, true};
    dialogs.font(serif);
    CaptionDialog dialog({"Prov 1", {"Sans", 10}}, dialogs);
    EXPECT_EQ(dialog.windowTitle(), "Bildtext");
    EXPECT_EQ(dialog.Edit1->text(), "Prov 1");
    EXPECT_EQ(dialog.FontButton->text(), "Font");

    dialog.FontButton->click();
    ASSERT_EQ(dialogs.asked().size(), 1u);
    EXPECT_EQ(dialogs.asked()[0].text, "Sans");  // preset with the edit's font
    EXPECT_EQ(dialog.Edit1->font().pointSize(), 16);
    EXPECT_TRUE(dialog.Edit1->font().bold());

    dialog.Edit1->setText("Kalibrering");
    const CaptionChoice choice = dialog.choice();
    EXPECT_EQ(choice.text, "Kalibrering");
    EXPECT_EQ(choice.font, serif);
}

TEST(CaptionDialog, ACancelledFontDialogKeepsTheFont) {
    ScriptedDialogs dialogs;
    dialogs.font(std::nullopt);
    CaptionDialog dialog({"x", {"Sans", 11}}, dialogs);
    dialog.FontButtonClick();
    EXPECT_EQ(dialog.choice().font.point_size, 11);
    EXPECT_EQ(dialog.choice().font.family, "Sans");
}

}  // namespace
}  // namespace tabulon::ui
