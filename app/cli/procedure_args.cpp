// Parsing and resolving the arguments of the procedure commands.
#include "procedure_args.h"

#include <iostream>

#include "base/language.h"
#include "numeric/number_text.h"
#include "worksheet/column_queries.h"
#include "worksheet/worksheet_file.h"

namespace tabulon::cli {
namespace {

std::vector<std::string> SplitCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : text) {
        if (c == ',') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

// The columns a command will read, for the first-line check: each named one, a caption that
// names none matched against the first line (where a forgotten --titles left it), or else
// the only data column. Names that match nothing are left for ResolveColumns to refuse.
std::vector<int> ColumnsToRead(const Worksheet& sheet, const std::vector<std::string>& specs) {
    std::vector<int> columns;
    for (const std::string& spec : specs) {
        int c = ResolveColumn(sheet, spec);
        for (int k = Worksheet::kFixedColumns; c == 0 && k < sheet.columnCount(); ++k) {
            if (sheet.cell(k, Worksheet::kFixedRows) == spec) c = k;
        }
        if (c != 0) columns.push_back(c);
    }
    int only = 0;
    if (specs.empty() && SingleDataColumn(sheet, only)) columns.push_back(only);
    return columns;
}

// The refusal for a first line of captions read as data, in the words of the conversion
// error the procedure would otherwise raise, with where it is and what to do.
std::string HeaderLineText(std::string_view cell, int column) {
    const std::string c = std::to_string(column - 1);
    return ConversionError(cell).what() +
           ChooseText(" (row 1, column " + c + "); is the first line a header? Use --titles.",
                      " (rad 1, kolumn " + c + "); är första raden en rubrikrad? Använd --titles.");
}

}  // namespace

std::optional<ProcedureArgs> ParseProcedureArgs(const std::vector<std::string>& args,
                                                const std::set<std::string>& option_keys,
                                                std::string& error) {
    ProcedureArgs out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool has_value = i + 1 < args.size();
        if (a == "--json") {
            out.json = true;
        } else if (a == "--titles") {
            out.titles = true;
        } else if (a == "--column" && has_value) {
            out.columns.push_back(args[++i]);
        } else if (a == "--columns" && has_value) {
            for (const std::string& c : SplitCommas(args[++i])) out.columns.push_back(c);
        } else if (a == "--level" && has_value) {
            out.level = args[++i];
        } else if (a == "--graph" && has_value) {
            out.graph = args[++i];
        } else if (a == "--size" && has_value) {
            const std::string& size = args[++i];
            const auto x = size.find('x');
            auto w = x == std::string::npos ? std::nullopt : ParseInteger(size.substr(0, x));
            auto h = x == std::string::npos ? std::nullopt : ParseInteger(size.substr(x + 1));
            if (!w || !h || *w < 16 || *h < 16 || *w > 10000 || *h > 10000) {
                error = "--size takes WxH, each from 16 to 10000";
                return std::nullopt;
            }
            out.graph_width = *w;
            out.graph_height = *h;
        } else if (a.rfind("--", 0) == 0 && option_keys.count(a.substr(2)) && has_value) {
            out.options[a.substr(2)] = args[++i];
        } else if (a.rfind("--", 0) == 0) {
            error = "unknown or incomplete option " + a;
            return std::nullopt;
        } else if (out.file.empty()) {
            out.file = a;
        } else {
            error = "more than one file: " + a;
            return std::nullopt;
        }
    }
    if (out.file.empty()) {
        error = "no worksheet file";
        return std::nullopt;
    }
    for (const std::string& c : out.columns) {
        if (c.empty()) {
            error = "an empty column name";
            return std::nullopt;
        }
    }
    return out;
}

std::optional<Worksheet> LoadProcedureSheet(const ProcedureArgs& args, std::string& error) {
    TextImportOptions import;
    import.column_captions = args.titles;
    LoadResult loaded = LoadWorksheet(args.file, import);
    if (!loaded.ok) {
        error = loaded.error;
        return std::nullopt;
    }
    // Only a text or .csv file can hold captions where values belong; checked here, once for
    // every command, before any of them reads a value.
    const bool text_file =
        loaded.kind == WorksheetFileKind::Text || loaded.kind == WorksheetFileKind::Csv;
    if (text_file && !args.titles) {
        for (int c : ColumnsToRead(loaded.sheet, args.columns)) {
            const std::string_view cell = loaded.sheet.cell(c, Worksheet::kFixedRows);
            if (!cell.empty() && !ParseNumber(cell, DecimalSeparator())) {
                error = HeaderLineText(cell, c);
                return std::nullopt;
            }
        }
    }
    return std::move(loaded.sheet);
}

int ResolveColumn(const Worksheet& sheet, const std::string& spec) {
    for (int c = Worksheet::kFixedColumns; c < sheet.columnCount(); ++c) {
        if (sheet.cell(c, 0) == spec) return c;
    }
    for (int c = Worksheet::kFixedColumns; c < sheet.columnCount(); ++c) {
        if (sheet.cell(c, 1) == spec) return c;
    }
    return 0;
}

std::optional<std::vector<int>> ResolveColumns(const Worksheet& sheet, const ProcedureArgs& args) {
    std::vector<int> columns;
    for (const std::string& spec : args.columns) {
        const int c = ResolveColumn(sheet, spec);
        if (c == 0) {
            std::cerr << ChooseText("No column is named ", "Ingen kolumn heter ") << spec << '\n';
            return std::nullopt;
        }
        columns.push_back(c);
    }
    return columns;
}

std::optional<double> ParseLevel(const std::string& text) {
    if (auto v = ParseNumber(text, '.')) return static_cast<double>(*v);
    if (auto v = ParseNumber(text, ',')) return static_cast<double>(*v);
    return std::nullopt;
}

int ProcedureUsage(const std::string& name, const std::string& usage, const std::string& error) {
    if (!error.empty()) std::cerr << "tabulon-cli " << name << ": " << error << '\n';
    std::cerr << "usage: tabulon-cli " << name << ' ' << usage << '\n';
    return kExitUsage;
}

}  // namespace tabulon::cli
