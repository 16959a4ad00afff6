// Writing a factorial design into the worksheet.
#include "design/design_sheet.h"

#include <numeric>
#include <optional>

#include "numeric/number_text.h"

namespace tabulon {
namespace {

constexpr int kResponse = Worksheet::kFixedColumns;  // "Respons"
constexpr int kFirstDesign = kResponse + 1;
constexpr int kFirstRow = Worksheet::kFixedRows;

class SheetAndNotesUndo : public SheetUndo {
public:
    SheetAndNotesUndo(std::unique_ptr<ColumnsUndo> columns, std::string notes)
        : m_columns(std::move(columns)), m_notes(std::move(notes)) {}
    void Restore(Worksheet& sheet) override {
        m_columns->Restore(sheet);
        sheet.setNotes(std::move(m_notes));
    }
    std::size_t Bytes() const override { return m_columns->Bytes() + m_notes.size(); }

private:
    std::unique_ptr<ColumnsUndo> m_columns;
    std::string m_notes;
};

std::optional<Extended> Value(std::string_view text, char separator) {
    if (auto v = ParseNumber(text, separator)) return v;
    return ParseNumber(text, separator == ',' ? '.' : ',');
}

}  // namespace

std::string DefaultVariableName(int i) {
    return std::string(1, static_cast<char>(65 + i));
}

std::vector<std::string> DesignCaptions(const FactorialDesign& design,
                                        const std::vector<std::string>& names) {
    std::vector<std::string> captions;
    for (const std::vector<int>& term : design.terms) {
        std::string caption;
        for (int v : term) {
            if (!caption.empty()) caption += '*';
            caption += v < static_cast<int>(names.size()) ? names[v] : DefaultVariableName(v);
        }
        captions.push_back(std::move(caption));
    }
    return captions;
}

void WriteDesign(Worksheet& sheet, const FactorialDesign& design,
                 const std::vector<std::string>& names, const std::vector<LevelValues>& values,
                 char decimal_separator) {
    ResetWorksheet(sheet, Worksheet::kStartColumns - 1, Worksheet::kStartRows - 1);
    sheet.setNotes({});
    const int columns = std::max(sheet.columnCount(), kFirstDesign + design.columns());
    const int rows = std::max(sheet.rowCount(), kFirstRow + design.runs);
    if (columns != sheet.columnCount() || rows != sheet.rowCount()) {
        sheet.resize(columns, rows);
        sheet.renumber();
    }
    sheet.setCell(kResponse, 1, "Respons");
    const std::vector<std::string> captions = DesignCaptions(design, names);
    for (int c = 0; c < design.columns(); ++c) sheet.setCell(kFirstDesign + c, 1, captions[c]);
    for (int i = 0; i < design.runs; ++i) {
        sheet.setCell(1, kFirstRow + i, "Exp " + std::to_string(i + 1));
    }
    ShowDesignLevels(sheet, design);
    ShowDesignValues(sheet, design, values, decimal_separator);
}

void ShowDesignLevels(Worksheet& sheet, const FactorialDesign& design) {
    static const std::string kLevels[] = {"-1", "0", "1"};
    for (int c = 0; c < design.columns() && kFirstDesign + c < sheet.columnCount(); ++c) {
        for (int i = 0; i < design.runs; ++i) {
            sheet.setCell(kFirstDesign + c, kFirstRow + i, kLevels[design.at(i, c) + 1]);
        }
    }
}

void ShowDesignValues(Worksheet& sheet, const FactorialDesign& design,
                      const std::vector<LevelValues>& values, char decimal_separator) {
    const int k = std::min<int>(design.variables, static_cast<int>(values.size()));
    for (int v = 0; v < k && kFirstDesign + v < sheet.columnCount(); ++v) {
        const LevelValues& level = values[v];
        for (int i = 0; i < design.runs; ++i) {
            const std::string_view text = sheet.cell(kFirstDesign + v, kFirstRow + i);
            const std::string* replacement = text == "1"    ? &level[2]
                                             : text == "-1" ? &level[0]
                                             : text == "0"  ? &level[1]
                                                            : nullptr;
            if (replacement) sheet.setCell(kFirstDesign + v, kFirstRow + i, *replacement);
        }
    }
    for (int c = design.variables; c < design.columns(); ++c) {
        if (kFirstDesign + c >= sheet.columnCount()) break;
        for (int i = 0; i < design.runs; ++i) {
            const int row = kFirstRow + i;
            if (sheet.isEmpty(kFirstDesign + c, row)) continue;
            std::optional<Extended> product = 1;
            for (int v : design.terms[c]) {
                const auto x = Value(sheet.cell(kFirstDesign + v, row), decimal_separator);
                product = x && product ? std::optional<Extended>(*product * *x) : std::nullopt;
            }
            if (product) {
                sheet.setCell(kFirstDesign + c, row, FormatShortest(*product, decimal_separator));
            }
        }
    }
}

std::unique_ptr<SheetUndo> WholeSheetUndo(const Worksheet& sheet) {
    std::vector<int> all(static_cast<std::size_t>(sheet.columnCount()));
    std::iota(all.begin(), all.end(), 0);
    return std::make_unique<SheetAndNotesUndo>(ColumnsUndo::Before(sheet, std::move(all)),
                                               sheet.notes());
}

}  // namespace tabulon
