// What every procedure command of tabulon-cli takes: a worksheet file, the columns by
// number or caption, a level, --json, --graph OUT [--size WxH], and its own options.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "graphs/canvas.h"
#include "worksheet/worksheet.h"

namespace tabulon::cli {

struct ProcedureArgs {
    std::string file;
    std::vector<std::string> columns;  // as given: numbers ("3") or captions ("Vikt")
    bool titles = false;  // --titles: a text or .csv file's first line holds the captions
    std::optional<std::string> level;
    bool json = false;
    std::optional<std::string> graph;
    int graph_width = 640;
    int graph_height = 480;
    std::map<std::string, std::string> options;  // the command's own --KEY VALUE pairs
};

// Parses FILE [--titles] [--column C | --columns A,B,...] [--level L] [--json] [--graph OUT]
// [--size WxH] and the `option_keys` given (each takes one value). nullopt with `error` set on
// misuse.
std::optional<ProcedureArgs> ParseProcedureArgs(const std::vector<std::string>& args,
                                                const std::set<std::string>& option_keys,
                                                std::string& error);

// Reads the worksheet file of `args`: a text or .csv file with its first line as the column
// captions when --titles is given, else values only (a .tbn file carries its captions and
// ignores --titles). nullopt with the message in `error` when the reader refuses the file, or
// when a text or .csv file read without --titles has a first line that is not numbers in a
// column the command reads: those named, or else the only data column.
std::optional<Worksheet> LoadProcedureSheet(const ProcedureArgs& args, std::string& error);

// The column a spec names: its number (the text of row 0) or else its caption; 0 if none.
int ResolveColumn(const Worksheet& sheet, const std::string& spec);

// Resolves every column of `args`; on a name that matches nothing, prints the refusal in
// the current language and returns nullopt.
std::optional<std::vector<int>> ResolveColumns(const Worksheet& sheet, const ProcedureArgs& args);

// A level given as text ("95", "99,9" or "99.9"); nullopt when it is not a number.
std::optional<double> ParseLevel(const std::string& text);

// Writes a graph drawn by `render` to OUT (.svg, .png or .pdf) at the given size, through the
// same drawing routine as the window. false with the reason in `error`.
bool WriteGraphFile(const std::function<void(Canvas&, int, int)>& render, const std::string& out,
                    int width, int height, std::string& error);

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

// Prints "usage: tabulon-cli NAME USAGE" (and `error` when given) to stderr; returns 2.
int ProcedureUsage(const std::string& name, const std::string& usage, const std::string& error);

}  // namespace tabulon::cli
