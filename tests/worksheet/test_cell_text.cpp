// CellText: inline and heap texts through construction, copies, moves, assignment and
// in-place changes, and the worksheet that stores them.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "worksheet/cell_text.h"
#include "worksheet/worksheet.h"

namespace tabulon {
namespace {

// A text of `n` bytes that differs at every position, so a lost or shifted byte shows.
std::string Pattern(std::size_t n, char first = 'a') {
    std::string text(n, ' ');
    for (std::size_t i = 0; i < n; ++i) text[i] = static_cast<char>(first + i % 26);
    return text;
}

// Lengths on both sides of the inline limit of 15 bytes.
constexpr std::size_t kLengths[] = {0, 1, 14, 15, 16, 17, 1000};

TEST(CellText, HoldsTheTextItWasMadeFromAndReadsNoFurther) {
    for (const std::size_t n : kLengths) {
        SCOPED_TRACE(n);
        const std::string text = Pattern(n);
        // Readers pass how far they may read; the bytes after the text must not leak into
        // the cell, whether 16 bytes may be read (the fast way) or fewer (the plain copy).
        const std::string buffer = text + "XXXXXXXXXXXXXXXXX";
        const char* const begin = buffer.data();
        const char* const end = begin + n;
        for (const CellText& cell :
             {CellText(text), CellText(begin, end), CellText(begin, end, begin + buffer.size()),
              CellText(begin, end, end)}) {
            EXPECT_EQ(cell.size(), n);
            EXPECT_EQ(cell.empty(), text.empty());
            EXPECT_EQ(cell.view(), text);
            EXPECT_EQ(cell.str(), text);
        }
    }
}

// Copies own their bytes, moves hand a heap block over, self-assignment and assignment from
// a view into the cell's own bytes keep the text, one character changes in place, and a
// cleared cell can be reused.
TEST(CellText, EveryOperationKeepsTheBytesAtEveryLength) {
    for (const std::size_t n : kLengths) {
        SCOPED_TRACE(n);
        const std::string text = Pattern(n);
        CellText original(text);
        CellText copy(original);
        CellText assigned(std::string_view("something else entirely, on the heap"));
        assigned = original;
        EXPECT_EQ(copy, original);
        EXPECT_EQ(assigned, original);
        copy.setChar(n, '!');  // past the end: nothing
        EXPECT_EQ(copy.view(), text);

        CellText source(text);
        const char* const bytes = source.data();
        CellText moved(std::move(source));
        EXPECT_EQ(moved.view(), text);
        EXPECT_TRUE(source.empty());  // NOLINT(bugprone-use-after-move): the documented state
        if (n > CellText::kInlineCapacity) {
            EXPECT_EQ(moved.data(), bytes);  // no copy
        }
        CellText target(std::string_view("x"));
        target = std::move(moved);
        EXPECT_EQ(target.view(), text);
        EXPECT_TRUE(moved.empty());  // NOLINT(bugprone-use-after-move)
        CellText& same = target;
        target = same;
        target = std::move(same);
        EXPECT_EQ(target.view(), text);

        if (!text.empty()) {
            copy.setChar(0, '#');
            assigned.setChar(n - 1, '#');
            EXPECT_EQ(original.view(), text);  // a heap copy has a block of its own
            EXPECT_EQ(copy.view(), "#" + text.substr(1));
            EXPECT_EQ(assigned.view(), text.substr(0, n - 1) + "#");
            target = target.view().substr(1);
            EXPECT_EQ(target.view(), text.substr(1));
        }
        target.clear();
        EXPECT_TRUE(target.empty());
        EXPECT_EQ(target, "");
        target = std::string_view("1,5");
        EXPECT_EQ(target, "1,5");
    }
}

// The length lives in its own byte, not in a terminator: bytes that look like the heap tag
// or like a terminator are still text.
TEST(CellText, IsSixteenBytesStartsEmptyAndTakesAnyByteValue) {
    EXPECT_EQ(sizeof(CellText), 16u);
    EXPECT_TRUE(CellText().empty());
    EXPECT_EQ(CellText().view(), "");
    const std::string all_ff(15, '\xFF');
    const std::string with_nul("a\0b", 3);
    EXPECT_EQ(CellText(all_ff).view(), all_ff);
    EXPECT_EQ(CellText(with_nul).size(), 3u);
    EXPECT_EQ(CellText(with_nul).view(), with_nul);
    EXPECT_FALSE(CellText(with_nul) == "a");  // const char* stops at the NUL: "a" only
}

TEST(CellText, EqualityAgreesWithTheTexts) {
    // worked by hand
    const struct {
        std::string_view left, right;
        bool equal;
    } cases[] = {
        {"", "", true},
        {"1,5", "1,5", true},
        {"1,5", "1.5", false},
        {"1,5", "1,50", false},
        {"abcdefghijklmno", "abcdefghijklmnp", false},
        {"abcdefghijklmnop", "abcdefghijklmnop", true},
        {"abcdefghijklmnop", "abcdefghijklmno", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.left << " == " << c.right);
        const CellText left(c.left);
        const std::string right(c.right);
        EXPECT_EQ(left == CellText(c.right), c.equal);
        EXPECT_EQ(left == c.right, c.equal);
        EXPECT_EQ(c.right == left, c.equal);
        EXPECT_EQ(left == right.c_str(), c.equal);
        EXPECT_EQ(left != CellText(c.right), !c.equal);
    }
}

TEST(CellText, SurvivesTheMovesOfAGrowingColumn) {
    std::vector<CellText> column;
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < 200; ++i) {
        expected.push_back(Pattern(i % 40, static_cast<char>('A' + i % 20)));
        column.emplace_back(expected.back().data(), expected.back().data() + i % 40);
    }
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(column[i].view(), expected[i]);
}

TEST(CellText, WorksheetCopiesOwnTheirLongTexts) {
    const std::string long_text = Pattern(100);
    Worksheet sheet(4, 4);
    sheet.setCell(2, 2, long_text);
    sheet.setCell(3, 3, "7,25");
    const Worksheet copy = sheet;
    sheet.setCell(2, 2, "short");
    sheet.mutableColumnCells(3)[3].setChar(0, '8');
    EXPECT_EQ(copy.cell(2, 2), long_text);
    EXPECT_EQ(copy.cell(3, 3), "7,25");
    EXPECT_EQ(sheet.cell(2, 2), "short");
    EXPECT_EQ(sheet.cell(3, 3), "8,25");
    EXPECT_FALSE(copy == sheet);
}

}  // namespace
}  // namespace tabulon
