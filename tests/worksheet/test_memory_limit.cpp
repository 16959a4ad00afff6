// A short file or a small paste can describe a sheet of billions of cells; every reader and
// every command that grows the sheet refuses it with a message before allocating anything.
#include <gtest/gtest.h>

#include <functional>

#include "base/language.h"
#include "worksheet/csv_file.h"
#include "worksheet/editing.h"
#include "worksheet/memory_limit.h"
#include "worksheet/paste.h"
#include "worksheet/text_file.h"
#include "worksheet/worksheet_file.h"

namespace tabulon {
namespace {

std::string Repeat(std::string_view piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

// The worksheet file of an empty sheet of c x r cells.
std::string EmptyTbn(int columns, int rows) {
    std::string text, error;
    EXPECT_TRUE(FormatWorksheetFile(Worksheet(columns, rows), text, error)) << error;
    return text;
}

TEST(MemoryLimit, ReadersRefuseASheetLargerThanTheMemoryBeforeAllocating) {
    ScopedTextSettings english(Language::English, '.');
    // One line of 3000 tabs over 3000 short lines: 9 million cells, 144 MB of empty cells,
    // from a file of 9 kB.
    const std::string wide = Repeat("\t", 3000) + "\n" + Repeat("1\n", 3000);
    const struct {
        const char* name;
        std::function<LoadResult()> read;
        const char* size;  // columns and rows the message names
        std::uint64_t too_little;  // bytes that cannot hold the sheet
    } cases[] = {
        {"text", [&] { return ParseTextFile(wide, {}); }, "3003 columns and 3003 rows", 64 << 20},
        {"csv", [&] { return ParseCsvFile(Repeat(",", 3000) + "\n" + Repeat("1\n", 3000), {}); },
         "3003 columns and 3003 rows", 64 << 20},
        {"quoted csv",
         [&] { return ParseCsvFile("\"a\"" + Repeat(",", 3000) + "\n" + Repeat("1\n", 3000), {}); },
         "3003 columns and 3003 rows", 64 << 20},
        // A worksheet file holds a line per cell, so it describes only what its own size
        // nearly pays for: 1 million cells are 16 MB in memory from a 2 MB file.
        {"worksheet", [&] { return ParseWorksheetFile(EmptyTbn(1000, 1000)); },
         "1000 columns and 1000 rows", 8 << 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetAvailableMemoryForTesting(c.too_little);
        const LoadResult refused = c.read();
        EXPECT_FALSE(refused.ok);
        EXPECT_EQ(
            refused.error.rfind(std::string("Not enough memory for a worksheet of ") + c.size, 0),
            0u)
            << refused.error;
        // The same file reads where the memory is there.
        SetAvailableMemoryForTesting(std::uint64_t(4) << 30);
        EXPECT_TRUE(c.read().ok);
    }
    SetAvailableMemoryForTesting(std::nullopt);
}

TEST(MemoryLimit, APasteOrACountBeyondTheMemoryIsRefused) {
    ScopedTextSettings swedish(Language::Swedish, ',');
    SetAvailableMemoryForTesting(std::uint64_t(1) << 20);  // 1 MB: 58,982 empty cells
    Worksheet sheet = Worksheet::StartSheet();
    const Worksheet before = sheet;
    const PastePlan plan = PlanPaste("1\t2", 2, 5000, ',');
    EXPECT_EQ(PasteRefusal(sheet, plan),
              "Arbetsbladet skulle bli för stort: 22 kolumner och 5001 rader");
    EXPECT_FALSE(FitsInSheet(22, 5000));
    EXPECT_TRUE(FitsInSheet(22, 2000));
    EXPECT_EQ(sheet, before);
    // A clipboard of many short lines is measured before it is planned: the plan carries
    // the message and not one cell, in either paste.
    const std::string lines = Repeat("1\n", 100'000);
    PasteSpecialOptions wrap;
    wrap.specify_columns = true;
    wrap.separator = PasteSeparator::Space;
    const struct {
        const char* name;
        std::function<PastePlan()> plan;
        const char* refusal;
    } pastes[] = {
        {"paste", [&] { return PlanPaste(lines, 2, 2, ','); },
         "Arbetsbladet skulle bli för stort: 3 kolumner och 100002 rader"},
        {"paste special", [&] { return PlanPasteSpecial(lines, wrap, 2, 2, ','); },
         "Arbetsbladet skulle bli för stort: 4 kolumner och 50002 rader"},
    };
    for (const auto& p : pastes) {
        SCOPED_TRACE(p.name);
        const PastePlan refused = p.plan();
        EXPECT_EQ(refused.cells.capacity(), 0u);
        EXPECT_FALSE(refused.empty());
        EXPECT_EQ(PasteRefusal(sheet, refused), p.refusal);
        EXPECT_EQ(WritePlan(sheet, refused), nullptr);
        EXPECT_EQ(sheet, before);
    }
    SetAvailableMemoryForTesting(std::uint64_t(1) << 30);
    for (const auto& p : pastes) {
        const PastePlan planned = p.plan();
        EXPECT_TRUE(planned.refusal.empty()) << p.name;
        EXPECT_EQ(planned.cells.size(), 100'000u) << p.name;
    }
    SetAvailableMemoryForTesting(std::nullopt);
    // The machine's own answer is some memory, and a sheet of start size fits in it.
    EXPECT_GT(AvailableMemory(), 0u);
    EXPECT_TRUE(FitsInSheet(22, 102));
}

}  // namespace
}  // namespace tabulon
