// The Arkiv file commands through the real menu: Öppna, Spara, Spara som, Nytt, the notes.
#include <QAction>
#include <QPlainTextEdit>
#include <fstream>

#include "support/main_window_fixture.h"
#include "worksheet/worksheet_file.h"

namespace tabulon::testing {
namespace {

using FileCommands = MainWindowTest;

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(FileCommands, SaveAsThenOpenBringsBackCellsCaptionsAndNotes) {
    grid().setCellText(3, 1, "Vikt (µg/m³) – prov 5");
    grid().setCellText(3, 4, "1,25");
    window->Execute("redigera.visa_anteckningar");
    window->Memo1()->setPlainText("rad ett\nrad två");
    const auto target = start.path() / "data";
    dialogs.saveFile(target.string());
    window->Execute("arkiv.spara_som");
    EXPECT_EQ(window->state().CurrentFileName, target.string() + ".tbn");
    EXPECT_EQ(window->windowTitle().toStdString(), target.string() + ".tbn");
    EXPECT_TRUE(window->action("arkiv.spara")->isEnabled());
    EXPECT_FALSE(window->state().DataChanged);

    window->Execute("arkiv.nytt.radera_allt");  // nothing unsaved: no question
    EXPECT_EQ(sheet().cell(3, 4), "");
    EXPECT_EQ(sheet().cell(3, 1), "");
    EXPECT_TRUE(window->Memo1()->toPlainText().isEmpty());
    EXPECT_FALSE(window->action("arkiv.spara")->isEnabled());

    dialogs.openFile(target.string() + ".tbn");
    window->Execute("arkiv.oppna");
    EXPECT_EQ(sheet().cell(3, 1), "Vikt (µg/m³) – prov 5");
    EXPECT_EQ(sheet().cell(3, 4), "1,25");
    EXPECT_EQ(window->Memo1()->toPlainText(), "rad ett\nrad två");
    EXPECT_EQ(grid().col(), 2);
    EXPECT_EQ(grid().row(), 2);
    EXPECT_TRUE(dialogs.mismatches().empty());
    EXPECT_EQ(dialogs.asked().front().title, "Save Tabulon file");
}

// Ångra after Öppna or Nytt must not write the old sheet's texts into the new one.
TEST_F(FileCommands, UndoRecordsOfTheOldSheetDoNotReachANewOne) {
    goTo(3, 4);
    type("7");
    key(Qt::Key_Down);
    const auto target = start.path() / "typed";
    dialogs.saveFile(target.string());
    window->Execute("arkiv.spara_som");
    dialogs.openFile(target.string() + ".tbn");
    window->Execute("arkiv.oppna");
    window->action("redigera.angra")->trigger();
    EXPECT_EQ(sheet().cell(3, 4), "7");
    goTo(3, 5);
    type("8");
    key(Qt::Key_Down);
    dialogs.yes(false);  // "Spara data?": no
    window->Execute("arkiv.nytt.behall_rubriker");
    window->action("redigera.angra")->trigger();
    EXPECT_EQ(sheet().cell(3, 5), "");
}

TEST_F(FileCommands, AFailedOpenLeavesTheWorksheetAsItWas) {
    grid().setCellText(2, 2, "7");
    window->state().DataChanged = false;
    const auto bad = start.path() / "bad.tbn";
    std::ofstream(bad) << "TABULON FILE TYPE 2.0\r\n";  // announces nothing, holds nothing
    dialogs.openFile(bad.string());
    window->Execute("arkiv.oppna");
    EXPECT_EQ(dialogs.messages().back(), "Error in file format...");
    EXPECT_EQ(sheet().cell(2, 2), "7");
    EXPECT_EQ(window->state().CurrentFileName, "");
}

TEST_F(FileCommands, OpeningOverUnsavedWorkAsksFirst) {
    grid().setCellText(2, 2, "7");
    dialogs.yes().saveFile(std::nullopt);  // cancelling the save keeps everything
    window->Execute("arkiv.oppna");
    EXPECT_EQ(sheet().cell(2, 2), "7");
    dialogs.no().openFile(std::nullopt);
    window->Execute("arkiv.oppna");
    EXPECT_EQ(dialogs.asked().back().kind, ScriptedDialogs::Kind::OpenFile);
}

TEST_F(FileCommands, TextImportAsksForCaptionsAndCancelIsAFormatError) {
    const auto file = start.path() / "m.txt";
    std::ofstream(file, std::ios::binary) << "a\tb\r\n1.5\t2\r\n";
    dialogs.openFile(file.string()).textImport(std::nullopt);
    window->Execute("arkiv.oppna");
    EXPECT_EQ(dialogs.messages().back(), "Error in file format...");
    dialogs.openFile(file.string()).textImport(TextImportOptions{true, false});
    window->Execute("arkiv.oppna");
    EXPECT_EQ(sheet().cell(2, 1), "a");
    EXPECT_EQ(sheet().cell(2, 2), "1,5");  // adjusted to the comma locale
    EXPECT_EQ(sheet().cell(3, 2), "2");
}

TEST_F(FileCommands, SavingTextAsksTheTitlesQuestion) {
    grid().setCellText(2, 2, "1");
    const auto file = start.path() / "x.TXT";
    dialogs.saveFile(file.string()).input("j");
    window->Execute("arkiv.spara_som");
    EXPECT_EQ(dialogs.asked().back().text, "Spara kolumn- och radrubriker (J/N)?");
    EXPECT_EQ(ReadAll(file).substr(0, 3), "\t\t1");  // titles: starts at row 0, column 0
    dialogs.input("n");
    window->Execute("arkiv.spara");  // Spara exports text again and asks again
    EXPECT_EQ(ReadAll(file).substr(0, 1), "1");
}

TEST_F(FileCommands, AFailedSaveKeepsDataChangedAndSaysWhy) {
    grid().setCellText(2, 2, "1");
    dialogs.saveFile((start.path() / "no" / "such" / "dir" / "f.tbn").string());
    window->Execute("arkiv.spara_som");
    EXPECT_TRUE(window->state().DataChanged);
    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_FALSE(window->action("arkiv.spara")->isEnabled());
}

TEST_F(FileCommands, KeepHeadingsEmptiesOnlyTheData) {
    grid().setCellText(3, 1, "Vikt");
    grid().setCellText(1, 5, "prov");
    grid().setCellText(3, 5, "2");
    dialogs.no();
    window->Execute("arkiv.nytt.behall_rubriker");
    EXPECT_EQ(sheet().cell(3, 1), "Vikt");
    EXPECT_EQ(sheet().cell(1, 5), "prov");
    EXPECT_EQ(sheet().cell(3, 5), "");
    EXPECT_EQ(window->windowTitle().toStdString(), window->state().StartCaption);
}

TEST_F(FileCommands, TheNotesItemSaysWhatItWillDo) {
    EXPECT_EQ(window->action("redigera.visa_anteckningar")->text(), "Visa anteckningar");
    window->Execute("redigera.visa_anteckningar");
    EXPECT_TRUE(window->Memo1()->isVisible());
    EXPECT_EQ(window->action("redigera.visa_anteckningar")->text(), "Göm anteckningar");
    window->Execute("language.english");
    EXPECT_EQ(window->action("redigera.visa_anteckningar")->text(), "Hide notes");
    window->Execute("redigera.visa_anteckningar");
    EXPECT_EQ(window->action("redigera.visa_anteckningar")->text(), "Show notes");
}

}  // namespace
}  // namespace tabulon::testing
