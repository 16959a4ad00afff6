// CellText: inline and heap texts through construction, copies, moves, assignment and
// in-place changes, and the worksheet that stores them.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "worksheet/cell_text.h"
#include "worksheet/text_helpers.h"
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
class CellTextLength : public testing::TestWithParam<std::size_t> {};

INSTANTIATE_TEST_SUITE_P(InlineAndHeap, CellTextLength,
                         testing::Values(0, 1, 14, 15, 16, 17, 1000));

TEST_P(CellTextLength, HoldsTheTextItWasMadeFrom) {
    const std::string text = Pattern(GetParam());
    const CellText from_view(text);
    const CellText from_range(text.data(), text.data() + text.size());
    for (const CellText* cell : {&from_view, &from_range}) {
        EXPECT_EQ(cell->size(), text.size());
        EXPECT_EQ(cell->empty(), text.empty());
        EXPECT_EQ(cell->view(), text);
        EXPECT_EQ(cell->str(), text);
        EXPECT_EQ(std::string_view(*cell), text);
    }
}

// Readers pass how far they may read; the bytes after the text must not leak into the cell,
// whether 16 bytes may be read (the fast way) or fewer (the plain copy).
TEST_P(CellTextLength, ReadsNoMoreThanTheTextFromABoundedRange) {
    const std::string text = Pattern(GetParam());
    const std::string buffer = text + "XXXXXXXXXXXXXXXXX";  // 17 bytes that must not show
    const char* const begin = buffer.data();
    const char* const end = begin + text.size();
    for (const char* readable_end : {begin + buffer.size(), end}) {
        const CellText cell(begin, end, readable_end);
        EXPECT_EQ(cell.size(), text.size());
        EXPECT_EQ(cell.view(), text);
        EXPECT_EQ(cell, CellText(text));  // what the plain constructor makes
    }
}

TEST_P(CellTextLength, CopiesAreEqualAndIndependent) {
    const std::string text = Pattern(GetParam());
    CellText original(text);
    CellText copy(original);
    CellText assigned(std::string_view("something else entirely, on the heap"));
    assigned = original;
    EXPECT_EQ(copy, original);
    EXPECT_EQ(assigned, original);
    if (text.empty()) return;
    // A heap copy has a block of its own: changing the copy leaves the original alone.
    copy.setChar(0, '#');
    assigned.setChar(text.size() - 1, '#');
    EXPECT_EQ(original.view(), text);
    EXPECT_EQ(copy.view(), "#" + text.substr(1));
    EXPECT_EQ(assigned.view(), text.substr(0, text.size() - 1) + "#");
}

TEST_P(CellTextLength, MovesLeaveTheSourceEmpty) {
    const std::string text = Pattern(GetParam());
    CellText source(text);
    const char* const bytes = source.data();
    CellText moved(std::move(source));
    EXPECT_EQ(moved.view(), text);
    EXPECT_TRUE(source.empty());  // NOLINT(bugprone-use-after-move): the documented state
    if (text.size() > CellText::kInlineCapacity) {
        EXPECT_EQ(moved.data(), bytes);  // the heap block changed hands, no copy
    }

    CellText target(std::string_view("x"));
    target = std::move(moved);
    EXPECT_EQ(target.view(), text);
    EXPECT_TRUE(moved.empty());  // NOLINT(bugprone-use-after-move)
}

TEST_P(CellTextLength, SelfAssignmentKeepsTheText) {
    const std::string text = Pattern(GetParam());
    CellText cell(text);
    CellText& same = cell;
    cell = same;
    EXPECT_EQ(cell.view(), text);
    cell = std::move(same);
    EXPECT_EQ(cell.view(), text);
    // A view into the cell's own bytes, shorter by one from the front.
    if (!text.empty()) {
        cell = cell.view().substr(1);
        EXPECT_EQ(cell.view(), text.substr(1));
    }
}

TEST_P(CellTextLength, ChangesOneCharacterInPlace) {
    const std::string text = Pattern(GetParam());
    CellText cell(text);
    cell.setChar(text.size(), '!');  // past the end: nothing
    EXPECT_EQ(cell.view(), text);
    if (text.empty()) return;
    const std::size_t middle = text.size() / 2;
    cell.setChar(middle, '!');
    std::string expected = text;
    expected[middle] = '!';
    EXPECT_EQ(cell.view(), expected);
    EXPECT_EQ(cell.size(), text.size());
}

TEST_P(CellTextLength, ClearEmptiesAndTheCellCanBeReused) {
    CellText cell(Pattern(GetParam()));
    cell.clear();
    EXPECT_TRUE(cell.empty());
    EXPECT_EQ(cell, "");
    cell = std::string_view("1,5");
    EXPECT_EQ(cell, "1,5");
}

TEST(CellText, IsSixteenBytesAndStartsEmpty) {
    EXPECT_EQ(sizeof(CellText), 16u);
    const CellText cell;
    EXPECT_TRUE(cell.empty());
    EXPECT_EQ(cell.size(), 0u);
    EXPECT_EQ(cell.view(), "");
}

// The length lives in its own byte, not in a terminator: bytes that look like the heap tag
// or like a terminator are still text.
TEST(CellText, AnyByteValueIsText) {
    const std::string all_ff(15, '\xFF');
    const std::string with_nul("a\0b", 3);
    EXPECT_EQ(CellText(all_ff).view(), all_ff);
    EXPECT_EQ(CellText(all_ff).size(), 15u);
    EXPECT_EQ(CellText(with_nul).size(), 3u);
    EXPECT_EQ(CellText(with_nul).view(), with_nul);
    EXPECT_FALSE(CellText(with_nul) == "a");  // const char* stops at the NUL: "a" only
}

struct EqualityCase {
    std::string_view left;
    std::string_view right;
    bool equal;  // worked by hand
};

class CellTextEquality : public testing::TestWithParam<EqualityCase> {};

INSTANTIATE_TEST_SUITE_P(
    Cases, CellTextEquality,
    testing::Values(EqualityCase{"", "", true}, EqualityCase{"1,5", "1,5", true},
                    EqualityCase{"1,5", "1.5", false}, EqualityCase{"1,5", "1,50", false},
                    EqualityCase{"abcdefghijklmno", "abcdefghijklmnp", false},
                    EqualityCase{"abcdefghijklmnop", "abcdefghijklmnop", true},
                    EqualityCase{"abcdefghijklmnop", "abcdefghijklmno", false}));

TEST_P(CellTextEquality, AgreesWithTheTexts) {
    const EqualityCase& c = GetParam();
    const CellText left(c.left);
    const CellText right(c.right);
    const std::string right_string(c.right);
    EXPECT_EQ(left == right, c.equal);
    EXPECT_EQ(left == c.right, c.equal);
    EXPECT_EQ(c.right == left, c.equal);
    EXPECT_EQ(left == right_string.c_str(), c.equal);
    EXPECT_EQ(left != right, !c.equal);
}

TEST(CellText, SurvivesTheMovesOfAGrowingColumn) {
    std::vector<CellText> column;
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < 200; ++i) {
        expected.push_back(Pattern(i % 40, static_cast<char>('A' + i % 20)));
        const std::string& text = expected.back();
        column.emplace_back(text.data(), text.data() + text.size());
    }
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(column[i].view(), expected[i]);
}

struct SeparatorCase {
    std::string_view text;
    char separator;
    std::string_view adjusted;  // worked by hand: the first foreign separator, when no own one
    bool changed;
};

class CellTextSeparator : public testing::TestWithParam<SeparatorCase> {};

INSTANTIATE_TEST_SUITE_P(
    Cases, CellTextSeparator,
    testing::Values(SeparatorCase{"1.5", ',', "1,5", true}, SeparatorCase{"1,5", ',', "1,5", false},
                    SeparatorCase{"1,5", '.', "1.5", true},
                    SeparatorCase{"1.5,2", ',', "1.5,2", false},
                    SeparatorCase{"12345678901234.5", ',', "12345678901234,5", true},
                    SeparatorCase{"", ',', "", false}));

TEST_P(CellTextSeparator, AdjustsTheDecimalSeparatorInPlace) {
    const SeparatorCase& c = GetParam();
    CellText cell(c.text);
    EXPECT_EQ(AdjustDecimalSeparatorInPlace(cell, c.separator), c.changed);
    EXPECT_EQ(cell.view(), c.adjusted);
    std::string as_string(c.text);  // the std::string overload agrees
    EXPECT_EQ(AdjustDecimalSeparatorInPlace(as_string, c.separator), c.changed);
    EXPECT_EQ(as_string, c.adjusted);
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
