// The screenshot scripts that make the pictures of the README and the user guide: one step a
// line, played on the real main window with scripted answers to its questions, so a picture
// is made again by the program rather than touched up by hand.
//
//   size W H                  the main window's size
//   language sv|en            Set Language
//   separator , | .           the decimal separator typed numbers use
//   caption C TEXT            the caption of data column C (1 = the first data column)
//   row R V1 V2 ...           data row R from data column 1 on
//   open FILE                 Arkiv > Öppna of FILE (relative to the script)
//   answer list A|B           the next column choice (one or more labels)
//   answer two X|Y            the next two-list choice (x, then y)
//   answer input TEXT         the next input box or question with an edit field
//   answer yes | answer no    the next yes/no question
//   answer import titles|plain  the next text import dialog
//   run KEY                   a main menu command ("endim.statistikdata")
//   trigger NAME              the menu item NAME of the newest result window ("LOD1")
//   shot main FILE            a picture of the main window (FILE relative to the script)
//   shot result FILE [W H]    a picture of the newest result window, at W x H
//   close                     closes every result window
//
// Blank lines and lines starting with # are skipped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tabulon {

struct ScriptStep {
    int line = 0;                    // 1-based, for messages
    std::string command;             // the first word
    std::vector<std::string> words;  // the words after it
    std::string rest;                // everything after the first word, trimmed
};

struct ScreenshotScript {
    std::vector<ScriptStep> steps;
    std::string error;  // "line N: ..." for the first bad line; steps are then empty
};

ScreenshotScript ParseScreenshotScript(std::string_view text);

// The words of `text` split at '|', each trimmed ("Konc | Abs" -> "Konc", "Abs").
std::vector<std::string> SplitChoice(std::string_view text);

}  // namespace tabulon
