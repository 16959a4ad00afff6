// The main window through its real menu: start-up state, settings commands and Default.par,
// enabling, language, header clicks and the exit flows.
#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QPlainTextEdit>
#include <fstream>

#include "shell/grid_settings.h"
#include "support/main_window_fixture.h"
#include "worksheet/worksheet_file.h"

namespace tabulon::testing {
namespace {

class MainWindow : public MainWindowTest {
protected:
    // Qt reports a hidden action as disabled; commands of later work are hidden, so look at
    // the state the enabling check left by showing the item for a moment.
    bool enabled(const std::string& key) {
        QAction* a = window->action(key);
        const bool visible = a->isVisible();
        a->setVisible(true);
        const bool result = a->isEnabled();
        a->setVisible(visible);
        return result;
    }
};

TEST_F(MainWindow, StartsSwedishWithAnEmpty22By102SheetAndTwoDecimals) {
    EXPECT_EQ(CurrentLanguage(), Language::Swedish);
    EXPECT_EQ(window->windowTitle().toStdString(), window->state().StartCaption);
    EXPECT_EQ(sheet().columnCount(), 22);
    EXPECT_EQ(sheet().rowCount(), 102);
    EXPECT_EQ(sheet().cell(2, 0), "1");
    EXPECT_EQ(sheet().cell(21, 0), "20");
    EXPECT_EQ(sheet().cell(0, 101), "100");
    EXPECT_EQ(grid().Decimals(), 2);
    EXPECT_EQ(grid().SignificantDig(), 0);
    EXPECT_EQ(grid().UndoMemory(), 100);
    EXPECT_EQ(window->state().MaxColumnWidth, 100);
    EXPECT_FALSE(window->state().DataChanged);
    EXPECT_FALSE(window->action("arkiv.spara")->isEnabled());
    EXPECT_TRUE(window->action("language.swedish")->isChecked());
    EXPECT_FALSE(window->Memo1()->isVisible());
    // No Default.par yet: neither display rule carries a check mark.
    EXPECT_FALSE(window->action("installningar.decimaler")->isChecked());
    EXPECT_FALSE(window->action("installningar.signifikanta")->isChecked());
    EXPECT_EQ(grid().fixedColor(), QColor(Qt::yellow));
}

TEST_F(MainWindow, DecimalsCommandSavesDefaultParAndTheNextStartReadsIt) {
    dialogs.input("3");
    window->Execute("installningar.decimaler");
    EXPECT_EQ(grid().Decimals(), 3);
    EXPECT_TRUE(window->state().DataChanged);
    EXPECT_TRUE(window->action("installningar.decimaler")->isChecked());
    ASSERT_EQ(dialogs.asked().back().title, "Decimaler (avaktiverar signifikanta siffror)");

    std::ifstream in(start.path() / "Default.par", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 20u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xFF\x00\x00", 4));  // yellow, 0x00BBGGRR
    EXPECT_EQ(bytes.substr(8, 4), std::string(4, '\0'));                 // font slot
    EXPECT_EQ(bytes.substr(12, 4), std::string("\x03\x00\x00\x00", 4));  // decimals
    EXPECT_EQ(bytes.substr(16, 4), std::string(4, '\0'));                // significant digits

    dialogs.input("4");
    window->Execute("installningar.signifikanta");
    window->state().DataChanged = false;
    window->close();
    open();
    EXPECT_EQ(grid().Decimals(), 0);
    EXPECT_EQ(grid().SignificantDig(), 4);
    EXPECT_TRUE(window->action("installningar.signifikanta")->isChecked());
    EXPECT_FALSE(window->action("installningar.decimaler")->isChecked());
}

TEST_F(MainWindow, ANonIntegerAnswerIsRefusedWithItsMessageAndChangesNothing) {
    dialogs.input("abc");
    window->Execute("redigera.decimaler");
    EXPECT_EQ(grid().Decimals(), 2);
    EXPECT_FALSE(window->state().DataChanged);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0], "'abc' är inte ett giltigt tal");
    EXPECT_FALSE(std::filesystem::exists(start.path() / "Default.par"));

    dialogs.input("100000");  // a huge count is refused too, with the allowed range
    window->Execute("redigera.decimaler");
    EXPECT_EQ(grid().Decimals(), 2);
    EXPECT_EQ(dialogs.messages().back(), "Värdet måste ligga mellan 0 och 18");
}

TEST_F(MainWindow, SettingsFallBackToTheUserFolderWhenTheStartFolderCannotBeWritten) {
    const auto missing = start.path() / "no" / "such" / "folder";
    window->state().DataChanged = false;
    window->close();
    window = std::make_unique<ui::MainWindow>(dialogs, missing, config.path() / "cfg");
    window->show();
    dialogs.input("5");
    window->Execute("redigera.decimaler");
    EXPECT_TRUE(dialogs.messages().empty());  // no I/O error after a settings command
    EXPECT_TRUE(std::filesystem::exists(config.path() / "cfg" / "Default.par"));
    window->state().DataChanged = false;
    window->close();
    window = std::make_unique<ui::MainWindow>(dialogs, missing, config.path() / "cfg");
    window->show();
    EXPECT_EQ(grid().Decimals(), 5);
}

TEST_F(MainWindow, ColourCommandsSaveOnlyWhenConfirmed) {
    dialogs.color(std::nullopt);
    window->Execute("redigera.farg.matrisen");
    EXPECT_FALSE(std::filesystem::exists(start.path() / "Default.par"));
    dialogs.color(0x00FF0000);  // blue as 0x00BBGGRR
    window->Execute("installningar.farg.fixfarg");
    EXPECT_EQ(grid().fixedColor(), QColor(0, 0, 255));
    EXPECT_TRUE(std::filesystem::exists(start.path() / "Default.par"));
}

TEST_F(MainWindow, FontCommandSavesSettingsEvenWhenCancelled) {
    dialogs.font(std::nullopt);
    window->Execute("redigera.font");
    EXPECT_TRUE(std::filesystem::exists(start.path() / "Default.par"));
}

TEST_F(MainWindow, EnablingFollowsDataColumnsNotCaptions) {
    window->MenuOpened("arkiv");
    window->MenuOpened("endim");
    EXPECT_FALSE(enabled("arkiv.spara_som"));
    EXPECT_FALSE(enabled("arkiv.skriv_ut"));
    EXPECT_FALSE(enabled("endim.statistikdata"));

    grid().setCellText(3, 1, "Vikt");  // captions only: still empty
    grid().setCellText(1, 4, "prov");
    window->MenuOpened("arkiv");
    EXPECT_FALSE(enabled("arkiv.spara_som"));

    goTo(2, 2);
    type("5");
    window->MenuOpened("arkiv");
    window->MenuOpened("endim");
    window->MenuOpened("redigera");
    EXPECT_TRUE(enabled("arkiv.spara_som"));
    EXPECT_TRUE(enabled("endim.statistikdata"));
    EXPECT_TRUE(enabled("berakna.kombinerad_aritmetik"));
    EXPECT_TRUE(enabled("redigera.sortera"));

    grid().setCellText(20, 50, "1");  // two data columns far apart
    window->MenuOpened("tredim");
    EXPECT_FALSE(enabled("tredim.xyz_grafik"));
    grid().setCellText(11, 90, "2");
    window->MenuOpened("tredim");
    EXPECT_TRUE(enabled("tredim.xyz_grafik"));
}

TEST_F(MainWindow, LanguageSwitchRelabelsTheMenuAndBackGivesTheLanguageTableTexts) {
    EXPECT_EQ(window->action("redigera.decimaler")->text(), "Decimaler");
    window->Execute("language.english");
    EXPECT_EQ(CurrentLanguage(), Language::English);
    EXPECT_EQ(window->menu("arkiv")->title(), "File");
    EXPECT_EQ(window->action("arkiv.avsluta")->text(), "Exit");
    EXPECT_EQ(window->action("hjalp.om")->text(), "About Tabulon");
    EXPECT_EQ(window->action("installningar.farg.fixfarg")->text(), "Headings");
    EXPECT_TRUE(window->action("language.english")->isChecked());
    EXPECT_FALSE(window->action("language.swedish")->isChecked());
    window->Execute("language.swedish");
    EXPECT_EQ(window->menu("arkiv")->title(), "Arkiv");
    EXPECT_EQ(window->action("redigera.decimaler")->text(), "Antal decimaler");
    EXPECT_EQ(window->action("tvadim.samma_x")->text(), "xy-Överlagrad grafik");
    EXPECT_EQ(window->action("ndim.skapa_modell.mlr")->text(), "MLR: Multipel linjär regression");
}

TEST_F(MainWindow, CommandsOfLaterWorkAreInTheTreeButHidden) {
    EXPECT_TRUE(window->action("tvadim.alla_mot_alla")->isVisible());
    EXPECT_FALSE(window->action("tvadim.multipla_y")->isVisible());
    // A built command shows, and so does its menu.
    EXPECT_TRUE(window->action("ndim.press.mlr")->isVisible());
    EXPECT_TRUE(window->menu("ndim.press")->menuAction()->isVisible());
    EXPECT_TRUE(window->action("endim.statistikdata")->isVisible());
    EXPECT_TRUE(window->menu("endim")->menuAction()->isVisible());
    EXPECT_FALSE(window->action("arkiv.exportera")->isVisible());
    EXPECT_TRUE(window->action("arkiv.avsluta")->isVisible());
    EXPECT_EQ(window->action("arkiv.avsluta")->shortcut(), QKeySequence("Ctrl+Q"));
    EXPECT_FALSE(window->action("extra")->isVisible());
}

TEST_F(MainWindow, HelpIndexShowsTheExtraMenuOnlyForTheAccessCode) {
    dialogs.input("3");
    window->Execute("hjalp.index");
    EXPECT_EQ(dialogs.asked().back().title, "Extended menues");
    EXPECT_FALSE(window->action("extra")->isVisible());
    dialogs.input(ui::MainWindow::kExtraAccessCode);
    window->Execute("hjalp.index");
    EXPECT_TRUE(window->action("extra")->isVisible());
    dialogs.cancelInput();  // the box returns its default "#"
    window->Execute("hjalp.index");
    EXPECT_FALSE(window->action("extra")->isVisible());
}

TEST_F(MainWindow, HeaderClicksSelectAndEditCaptions) {
    window->NumberGrid1MouseDown(0, 0, Qt::NoModifier);
    EXPECT_EQ(grid().selection(), (ui::GridRect{2, 2, 21, 101}));
    window->NumberGrid1MouseDown(4, 0, Qt::NoModifier);
    EXPECT_EQ(grid().selection(), (ui::GridRect{4, 2, 4, 101}));
    window->NumberGrid1MouseDown(0, 7, Qt::NoModifier);
    EXPECT_EQ(grid().selection(), (ui::GridRect{2, 7, 21, 7}));

    dialogs.input("Vikt (µg/m³)");
    window->NumberGrid1MouseDown(4, 1, Qt::NoModifier);
    EXPECT_EQ(dialogs.asked().back().title, "Kolumn=3");
    EXPECT_EQ(dialogs.asked().back().text, "Ny kolumnrubrik");
    EXPECT_EQ(sheet().cell(4, 1), "Vikt (µg/m³)");
    // A caption is part of what a save keeps, so losing it must be asked about.
    EXPECT_TRUE(window->state().DataChanged);

    window->state().DataChanged = false;
    dialogs.cancelInput();
    window->NumberGrid1MouseDown(4, 1, Qt::NoModifier);
    EXPECT_EQ(sheet().cell(4, 1), "Vikt (µg/m³)");
    EXPECT_FALSE(window->state().DataChanged);

    dialogs.input("Prov A");
    window->NumberGrid1MouseDown(1, 5, Qt::NoModifier);
    EXPECT_EQ(dialogs.asked().back().title, "Rad=4");
    EXPECT_EQ(sheet().cell(1, 5), "Prov A");
    EXPECT_GT(sheet().columnWidth(1), 20);

    window->Execute("language.english");
    dialogs.input("x");
    window->NumberGrid1MouseDown(2, 1, Qt::NoModifier);
    EXPECT_EQ(dialogs.asked().back().title, "Column=1");
    EXPECT_EQ(dialogs.asked().back().text, "New column caption");
}

TEST_F(MainWindow, ColumnWidthCommands) {
    dialogs.input("150");
    window->Execute("redigera.kolumner.max_kolumnbredd");
    EXPECT_EQ(dialogs.asked().back().title, "Kolumnbredd");
    EXPECT_EQ(sheet().columnWidth(1), 150);
    EXPECT_TRUE(window->state().DataChanged);

    grid().setCellText(3, 2, "123456789012");
    window->Execute("redigera.kolumner.auto_kolumnbredd");
    EXPECT_GT(sheet().columnWidth(3), sheet().columnWidth(4));
    EXPECT_GE(sheet().columnWidth(4), 24);  // never below 20 (+4)
}

TEST_F(MainWindow, ExitWithoutChangesClosesAtOnce) {
    window->Execute("arkiv.avsluta");
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(dialogs.asked().empty());
}

TEST_F(MainWindow, ExitAnsweredNoWritesNothing) {
    goTo(2, 2);
    type("0");  // even the digit 0 is a change
    ASSERT_TRUE(window->state().DataChanged);
    dialogs.no();
    window->Execute("arkiv.avsluta");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(dialogs.asked().back().text, "Spara data?");
    EXPECT_EQ(dialogs.asked().back().title, "Fråga");  // Swedish buttons in both languages
    EXPECT_TRUE(start.empty());
}

TEST_F(MainWindow, CancellingTheSaveDialogOnExitKeepsTheProgramOpen) {
    grid().setCellText(2, 2, "1");
    dialogs.yes().saveFile(std::nullopt);
    window->Execute("arkiv.avsluta");
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->state().DataChanged);
}

TEST_F(MainWindow, TheCloseBoxAsksLikeExitAndSavesOnYes) {
    window->Execute("language.english");
    grid().setCellText(3, 4, "2.5");
    window->Memo1()->setPlainText("note");
    const std::string target = (start.path() / "data").string();
    dialogs.yes().saveFile(target);
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(dialogs.asked().front().text, "Save data?");
    EXPECT_EQ(window->state().CurrentFileName, target + ".tbn");
    const LoadResult loaded = LoadWorksheet(target + ".tbn");
    ASSERT_TRUE(loaded.ok) << loaded.error;
    EXPECT_EQ(loaded.sheet.cell(3, 4), "2.5");
    EXPECT_EQ(loaded.sheet.notes(), "note");
}

TEST_F(MainWindow, AboutWindowOpensWithoutWaitingAndClosesOnAClick) {
    window->Execute("hjalp.om");
    auto* about = window->findChild<QDialog*>();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowTitle(), "Ägarinformation");
    QTest::mouseClick(about, Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
}

}  // namespace
}  // namespace tabulon::testing
