// What the desktop program does with its command line, its screenshot scripts and the user
// guide, through the same functions main() and the menu call.
#include <QApplication>
#include <QImage>
#include <QTextBrowser>
#include <QUrl>
#include <QVariant>
#include <fstream>

#include "shell/screenshot_script.h"
#include "worksheet/worksheet_file.h"
#include "shell/ui/guide_window.h"
#include "shell/ui/screenshot_run.h"
#include "shell/ui/start_up.h"
#include "worksheet/ui/worksheet_model.h"
#include "support/main_window_fixture.h"

namespace tabulon::testing {
namespace {

using StartUp = MainWindowTest;

TEST_F(StartUp, AFileOnTheCommandLineOpensAsOppnaOpensIt) {
    const auto file = start.path() / "cal.tbn";
    {
        Worksheet sheet = Worksheet::StartSheet();
        sheet.setCell(2, 1, "Konc");
        sheet.setCell(2, 2, "0,5");
        ASSERT_TRUE(SaveWorksheet(sheet, file.string(), false).ok);
    }
    // A relative name, as a terminal passes it, is taken from the current folder.
    const auto here = std::filesystem::current_path();
    std::filesystem::current_path(start.path());
    ui::OpenStartFile(*window, "./cal.tbn");
    std::filesystem::current_path(here);
    EXPECT_EQ(sheet().cell(2, 1), "Konc");
    EXPECT_EQ(sheet().cell(2, 2), "0,5");
    EXPECT_EQ(window->windowTitle().toStdString(), file.string());
    EXPECT_EQ(window->state().CurrentFileName, file.string());
    EXPECT_FALSE(window->state().DataChanged);
}

// main()'s path: the parsed command line, the window shown, then the event loop opens it.
TEST_F(StartUp, TheFileOfTheCommandLineIsShownOnceTheEventLoopRuns) {
    const auto file = start.path() / "data.tbn";
    {
        Worksheet sheet = Worksheet::StartSheet();
        sheet.setCell(2, 1, "Konc");
        sheet.setCell(2, 2, "0,5");
        sheet.setCell(2, 3, "1,25");
        ASSERT_TRUE(SaveWorksheet(sheet, file.string(), false).ok);
    }
    const std::string empty_caption = window->windowTitle().toStdString();
    ui::OpenStartFileWhenShown(*window, ParseStartOptions({}));
    ui::OpenStartFileWhenShown(*window,
                               ParseStartOptions({"-platform", "offscreen", file.string()}));
    EXPECT_EQ(sheet().cell(2, 2), "");  // not before the window is up
    for (int i = 0; i < 50 && sheet().cell(2, 2).empty(); ++i) QApplication::processEvents();
    EXPECT_EQ(window->windowTitle().toStdString(), file.string());
    EXPECT_NE(window->windowTitle().toStdString(), empty_caption);
    // What the grid paints: the caption in the header and the numbers in the cells.
    const QAbstractItemModel& shown = *grid().model();
    EXPECT_EQ(shown.headerData(0, Qt::Horizontal, ui::WorksheetModel::CaptionRole).toString(),
              "Konc");
    EXPECT_TRUE(shown.data(shown.index(0, 0)).toString().startsWith("0,5"));
    EXPECT_TRUE(shown.data(shown.index(1, 0)).toString().startsWith("1,25"));
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(StartUp, ATextFileAsksTheImportQuestionAndABadFileLeavesTheEmptySheet) {
    const auto csv = start.path() / "m.csv";
    std::ofstream(csv, std::ios::binary) << "Abs;Konc\r\n0.25;1\r\n";
    dialogs.textImport(TextImportOptions{true, false});
    ui::OpenStartFile(*window, csv.string());
    EXPECT_EQ(dialogs.asked().back().kind, ScriptedDialogs::Kind::TextImport);
    EXPECT_EQ(sheet().cell(3, 1), "Konc");
    EXPECT_EQ(sheet().cell(2, 2), "0,25");

    window->Execute("arkiv.nytt.radera_allt");
    const std::string caption = window->windowTitle().toStdString();
    // Nytt keeps the file name Spara writes to; a failed open keeps it too.
    const std::string name = window->state().CurrentFileName;
    ui::OpenStartFile(*window, (start.path() / "missing.tbn").string());
    ASSERT_FALSE(dialogs.messages().empty());
    EXPECT_FALSE(dialogs.messages().back().empty());
    EXPECT_EQ(sheet().cell(2, 2), "");
    EXPECT_EQ(window->windowTitle().toStdString(), caption);
    EXPECT_EQ(window->state().CurrentFileName, name);
}

TEST_F(StartUp, AScriptTypesRunsACommandAndPicturesItsWindow) {
    const ScreenshotScript script = ParseScreenshotScript(
        "separator ,\n"
        "caption 1 Vikt\n"
        "row 1 10.5\nrow 2 11\nrow 3 9.5\n"
        "run endim.statistikdata\n"
        "shot result stats.png 640 480\n"
        "shot main main.png\n"
        "close\n");
    ASSERT_EQ(script.error, "");
    EXPECT_EQ(ui::PlayScreenshotScript(*window, dialogs, script, start.path()), "");
    EXPECT_EQ(sheet().cell(2, 2), "10,5");  // the script's point shown with the comma
    const QImage shot(QString::fromStdString((start.path() / "stats.png").string()));
    EXPECT_EQ(shot.size(), QSize(640, 480));
    EXPECT_FALSE(QImage(QString::fromStdString((start.path() / "main.png").string())).isNull());
    EXPECT_TRUE(window->findChildren<QDialog*>().isEmpty() ||
                !window->findChildren<QDialog*>().back()->isVisible());
}

// A picture script stops at the first step that did not go as written, and says which.
TEST_F(StartUp, AScriptNamesTheLineThatWentWrong) {
    const std::pair<const char*, const char*> cases[] = {
        // two columns: the column choice is asked, and nothing answers it
        {"run endim.statistikdata", "line 1: unanswered question"},
        {"run endim.nothing_here", "line 1: no menu item endim.nothing_here"},
        {"trigger LOD1", "line 1: no result window is open"},
        {"open nowhere.tbn", "line 1: message: "},
        {"answer yes", "some answers of the script were never asked for"},
    };
    for (const auto& [line, error] : cases) {
        // A window of its own: the fixture's would count the unanswered question as a fault.
        ScriptedDialogs own;
        ui::MainWindow other(own, start.path(), config.path() / "other");
        for (int cell : {2, 3}) {
            other.NumberGrid1()->setCellText(cell, 2, "1");
            other.NumberGrid1()->setCellText(cell, 3, "2");
        }
        const std::string got =
            ui::PlayScreenshotScript(other, own, ParseScreenshotScript(line), start.path());
        EXPECT_EQ(got.substr(0, std::string(error).size()), error) << line << ": " << got;
        other.state().DataChanged = false;
    }
}

TEST_F(StartUp, HelpUserGuideShowsTheGuideOfTheLanguage) {
    // The test program sits in <build>/tests, so the guide is the build's copy in
    // <build>/share/tabulon, laid out as the installed one.
    const auto folder = QCoreApplication::applicationDirPath().toStdString();
    const auto swedish = ui::FindGuide(folder, Language::Swedish);
    ASSERT_TRUE(swedish.has_value());
    EXPECT_EQ(swedish->filename(), "GUIDE.sv.md");
    EXPECT_EQ(ui::FindGuide(folder, Language::English)->filename(), "GUIDE.md");
    EXPECT_FALSE(ui::FindGuide(start.path(), Language::English).has_value());

    window->Execute("language.english");
    window->Execute("hjalp.handbok");
    auto* guide = window->findChild<ui::TGuideWindow*>();
    ASSERT_NE(guide, nullptr);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_TRUE(guide->browser()->toPlainText().contains("calibration"));
    // Its pictures are found beside it, as the text names them.
    const QVariant picture =
        guide->browser()->loadResource(QTextDocument::ImageResource, QUrl("guide/en-main.png"));
    EXPECT_TRUE(picture.isValid());
    EXPECT_FALSE(picture.toByteArray().isEmpty());
    guide->close();
}

}  // namespace
}  // namespace tabulon::testing
