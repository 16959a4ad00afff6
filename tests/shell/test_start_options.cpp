// The desktop program's command line and the screenshot scripts' line checks.
#include "shell/start_options.h"

#include <gtest/gtest.h>

#include "shell/screenshot_script.h"

namespace tabulon {
namespace {

using Action = StartOptions::Action;

TEST(StartOptions, FileHelpVersionAndMistakes) {
    struct Case {
        std::vector<std::string> args;
        Action action;
        std::string file;
    };
    const Case cases[] = {
        {{}, Action::Run, ""},
        {{"data.tbn"}, Action::Run, "data.tbn"},
        // Qt's own options and their values are not the file.
        {{"-platform", "offscreen", "m.csv"}, Action::Run, "m.csv"},
        {{"-style", "fusion", "-reverse", "m.csv"}, Action::Run, "m.csv"},
        {{"--", "-odd name.txt"}, Action::Run, "-odd name.txt"},
        // --help wins wherever it stands, even after a mistake.
        {{"a.tbn", "b.tbn", "--help"}, Action::Help, ""},
        {{"a.tbn", "--help"}, Action::Help, ""},
        {{"--version", "--bogus"}, Action::Version, ""},
        {{"a.tbn", "b.tbn"}, Action::Usage, ""},
        {{"--bogus"}, Action::Usage, ""},
        {{"--screenshot"}, Action::Usage, ""},
    };
    for (const Case& c : cases) {
        const StartOptions got = ParseStartOptions(c.args);
        const std::string where = c.args.empty() ? "(none)" : c.args.front();
        EXPECT_EQ(got.action, c.action) << where;
        EXPECT_EQ(got.file, c.action == Action::Run ? c.file : got.file) << where;
        EXPECT_EQ(got.error.empty(), c.action != Action::Usage) << where;
    }
    const StartOptions shots = ParseStartOptions({"--screenshot", "docs/guide/guide.shots"});
    EXPECT_EQ(shots.action, Action::Screenshot);
    EXPECT_EQ(shots.screenshot_script, "docs/guide/guide.shots");
}

TEST(ScreenshotScript, ReadsStepsAndTheirTexts) {
    const ScreenshotScript script = ParseScreenshotScript(
        "# a comment\n"
        "size 900 600\r\n"
        "\n"
        "caption 2 Abs (AU)\n"
        "answer two Konc | Abs\n"
        "shot result reg.png 800 500\n");
    ASSERT_EQ(script.error, "");
    ASSERT_EQ(script.steps.size(), 4u);
    EXPECT_EQ(script.steps[0].line, 2);
    EXPECT_EQ(script.steps[1].line, 4);
    EXPECT_EQ(script.steps[1].rest, "2 Abs (AU)");
    EXPECT_EQ(SplitChoice(script.steps[2].rest.substr(3)),
              (std::vector<std::string>{"Konc", "Abs"}));
    EXPECT_EQ(script.steps[3].words.size(), 4u);
}

// A bad line stops the whole script before anything is played, and names its line.
TEST(ScreenshotScript, RefusesBadLinesByNumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"jump 3", "line 2: unknown step jump"},
        {"size 900", "line 2: size: wrong number of words"},
        {"size 900 wide", "line 2: size needs W H"},
        {"language de", "line 2: language is sv or en"},
        {"separator ;", "line 2: separator is , or ."},
        {"row 0 1 2", "line 2: row needs a number from 1 on first"},
        {"answer maybe", "line 2: unknown answer maybe"},
        {"answer two Konc", "line 2: answer two needs X|Y"},
        {"answer import all", "line 2: answer import is titles or plain"},
        {"shot main a.png 10 10", "line 2: only a result window takes W H, both numbers"},
        {"shot result a.png 10", "line 2: shot needs both W and H"},
        {"close now", "line 2: close: wrong number of words"},
    };
    for (const auto& [line, error] : cases) {
        const ScreenshotScript script = ParseScreenshotScript(std::string("run a\n") + line);
        EXPECT_EQ(script.error, error) << line;
        EXPECT_TRUE(script.steps.empty()) << line;
    }
}

}  // namespace
}  // namespace tabulon
