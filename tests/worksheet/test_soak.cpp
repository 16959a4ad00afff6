// A long random session on one worksheet: typing, Ångra, Sortera, Klistra in, rows in and
// out, Byt rader mot kolumner, Spara and Öppna, with a fixed seed. After every step the
// sheet must equal a plain model kept beside it: a grid of texts whose commands follow the
// written rules step by step (the literal swap-and-bubble sort, whole-sheet snapshots for
// Ångra), so a fault in any command or in taking it back shows at the step that made it.
#include <cstdlib>
#include <deque>

#include "base/random.h"
#include "file_test_folder.h"
#include "worksheet/change_list.h"
#include "worksheet/editing.h"
#include "worksheet/paste.h"
#include "worksheet/worksheet_file.h"

namespace tabulon::testing {
namespace {

using Grid = std::vector<std::vector<std::string>>;  // [column][row]

struct Model {
    Grid cells;
    std::deque<Grid> undo;  // newest at the back, at most the undo list's limit
    int last_column = -1, last_row = -1;

    int columns() const { return static_cast<int>(cells.size()); }
    int rows() const { return static_cast<int>(cells[0].size()); }
    void record() {
        undo.push_back(cells);
        if (undo.size() > static_cast<std::size_t>(TChangeList::kDefaultLimit)) undo.pop_front();
        last_column = last_row = -1;
    }
    void renumber() {
        for (int c = 2; c < columns(); ++c) cells[c][0] = std::to_string(c - 1);
        for (int r = 2; r < rows(); ++r) cells[0][r] = std::to_string(r - 1);
    }
    void grow(int columns_wanted, int rows_wanted) {
        const int r = std::max(rows(), rows_wanted);
        while (columns() < columns_wanted) cells.emplace_back();
        for (auto& column : cells) column.resize(r);
        renumber();
    }
};

Grid CellsOf(const Worksheet& sheet) {
    Grid grid(sheet.columnCount());
    for (int c = 0; c < sheet.columnCount(); ++c) {
        for (int r = 0; r < sheet.rowCount(); ++r) grid[c].emplace_back(sheet.cell(c, r));
    }
    return grid;
}

bool IsNumber(const std::string& text, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && *end == '\0';
}

bool ModelRefusesSort(const Grid& g, int column) {
    double v;
    for (std::size_t r = 2; r < g[column].size(); ++r) {
        if (!g[column][r].empty() && !IsNumber(g[column][r], v)) return true;
    }
    return false;
}

// Sortera as written: empties swapped below the filled rows, then bubble passes that swap
// only on a strict inequality. Called only when the column holds numbers alone.
void ModelSort(Grid& g, int column, bool ascending) {
    const int rows = static_cast<int>(g[0].size());
    int last = rows - 1;
    while (last >= 2 && g[column][last].empty()) --last;
    if (last <= 2) return;
    auto swap_rows = [&](int a, int b) {
        for (std::size_t c = 1; c < g.size(); ++c) std::swap(g[c][a], g[c][b]);
    };
    for (int r = 2; r < last; ++r) {
        if (!g[column][r].empty()) continue;
        swap_rows(r, last);
        --last;
        while (last > 2 && g[column][last].empty()) --last;
    }
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (int r = 2; r < last; ++r) {
            double a, b;
            IsNumber(g[column][r], a);
            IsNumber(g[column][r + 1], b);
            if (ascending ? a > b : a < b) {
                swap_rows(r, r + 1);
                swapped = true;
            }
        }
    }
}

class Soak : public FileTestFolder {};

TEST_F(Soak, TenThousandStepsKeepTheSheetEqualToThePlainModel) {
    Xoshiro256 random(20261207);
    auto pick = [&](int n) { return static_cast<int>(random.Next() % static_cast<unsigned>(n)); };
    auto text = [&]() -> std::string {
        switch (pick(6)) {
            case 0:
                return "";
            case 1:
                return "abc";
            case 2:
                return std::to_string(pick(5));  // many equal values, for stability
            default:
                return std::to_string(pick(200) - 100) + "." + std::to_string(pick(10));
        }
    };
    Worksheet sheet = Worksheet::StartSheet();
    sheet.resize(8, 14);
    sheet.renumber();
    UndoHistory history;
    Model model{CellsOf(sheet)};
    const std::string file = Path("soak.tbn");
    int commands = 0, undone = 0, reloads = 0, sorts = 0, grown = 0;

    for (int step = 0; step < 10000; ++step) {
        const int op = pick(100);
        // Data cells, captions included; a paste may reach two beyond the edge.
        const int c = 1 + pick(model.columns() - 1), r = 1 + pick(model.rows() - 1);
        std::string what;
        if (op < 40) {
            what = "edit";
            const std::string next = text();
            history.recordEdit(c, r, std::string(sheet.cell(c, r)), next);
            sheet.setCell(c, r, next);
            if (next != model.cells[c][r] && (c != model.last_column || r != model.last_row)) {
                model.record();
            }
            model.last_column = c, model.last_row = r;
            model.cells[c][r] = next;
        } else if (op < 55) {
            what = "undo";
            if (auto change = history.undo()) {
                if (change->isCommand())
                    change->command->Restore(sheet);
                else
                    sheet.setCell(change->column, change->row, change->text);
                ++undone;
            }
            if (!model.undo.empty()) {
                model.cells = model.undo.back();
                model.undo.pop_back();
            }
            model.last_column = model.last_row = -1;
        } else if (op < 67) {
            what = "sort";
            const int column = 2 + pick(model.columns() - 2);
            const bool ascending = pick(2) == 0;
            const bool refused = ModelRefusesSort(model.cells, column);
            ASSERT_EQ(SortRefusal(sheet, column, '.').empty(), !refused) << "step " << step;
            if (!refused) {
                Grid sorted = model.cells;
                ModelSort(sorted, column, ascending);
                if (auto undo = SortRows(sheet, column, ascending, '.')) {
                    history.recordCommand(std::move(undo));
                    model.record();
                    ++commands;
                    ++sorts;
                }
                model.cells = sorted;
            }
        } else if (op < 82) {
            what = "paste";
            const int block_rows = 1 + pick(3), block_columns = 1 + pick(3);
            const bool room = model.columns() < 30 && model.rows() < 120;
            const int left = room ? c + pick(3) : c, top = room ? r + pick(3) : r;
            std::string clip;
            Grid block(block_columns, std::vector<std::string>(block_rows));
            for (int i = 0; i < block_rows; ++i) {
                for (int j = 0; j < block_columns; ++j) {
                    block[j][i] = pick(4) == 0 ? "" : std::to_string(pick(50)) + ".5";
                    clip += (j ? "\t" : "") + block[j][i];
                }
                clip += "\r\n";
            }
            const PastePlan plan = PlanPaste(clip, left, top, '.');
            ASSERT_TRUE(PasteRefusal(sheet, plan).empty());
            if (auto undo = WritePlan(sheet, plan)) {
                history.recordCommand(std::move(undo));
                model.record();
                grown += left + block_columns > model.columns() || top + block_rows > model.rows();
                model.grow(left + block_columns, top + block_rows);
                for (int j = 0; j < block_columns; ++j) {
                    for (int i = 0; i < block_rows; ++i)
                        model.cells[left + j][top + i] = block[j][i];
                }
                ++commands;
            }
        } else if (op < 88) {
            what = "insert row";
            const int row = 2 + pick(model.rows() - 2);
            auto undo = InsertRowAt(sheet, row);
            ASSERT_TRUE(undo) << "step " << step;
            history.recordCommand(std::move(undo));
            model.record();
            for (int k = 1; k < model.columns(); ++k) {
                model.cells[k].insert(model.cells[k].begin() + row, "");
            }
            model.cells[0].emplace_back();
            model.renumber();
            ++commands;
        } else if (op < 94) {
            what = "remove row";
            if (model.rows() <= 4) continue;
            const int row = 2 + pick(model.rows() - 2);
            auto undo = RemoveRows(sheet, {row});
            ASSERT_TRUE(undo) << "step " << step;
            history.recordCommand(std::move(undo));
            model.record();
            for (int k = 1; k < model.columns(); ++k)
                model.cells[k].erase(model.cells[k].begin() + row);
            model.cells[0].pop_back();
            ++commands;
        } else if (op < 96) {
            what = "transpose";
            auto undo = TransposeSheet(sheet);
            ASSERT_TRUE(undo) << "step " << step;
            history.recordCommand(std::move(undo));
            model.record();
            const int n = std::max(model.columns(), model.rows());
            Grid t(model.rows(), std::vector<std::string>(model.columns()));
            for (int i = 1; i < n; ++i) {
                for (int j = 1; j < n; ++j) {
                    if (i < model.columns() && j < model.rows()) t[j][i] = model.cells[i][j];
                }
            }
            model.cells = t;
            model.renumber();
            ++commands;
        } else {
            what = "save and open";
            ASSERT_TRUE(SaveWorksheet(sheet, file).ok) << "step " << step;
            LoadResult loaded = LoadWorksheet(file);
            ASSERT_TRUE(loaded.ok) << loaded.error;
            ASSERT_TRUE(loaded.sheet == sheet) << "step " << step;
            sheet = std::move(loaded.sheet);
            history.clear();
            model.undo.clear();
            model.last_column = model.last_row = -1;
            ++reloads;
        }
        ASSERT_EQ(CellsOf(sheet), model.cells) << "step " << step << ": " << what;
    }
    // The session must have exercised what it claims to.
    EXPECT_GT(commands, 1500);
    EXPECT_GT(undone, 800);
    EXPECT_GT(reloads, 200);
    EXPECT_GT(sorts, 300);
    EXPECT_GT(grown, 50);
}

}  // namespace
}  // namespace tabulon::testing
