// The print table's layout down and across pages, its headlines, row formats, thickness and
// cell drawing; and the worksheet as Arkiv > Skriv ut lays it out.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "graphs/print_grid.h"
#include "graphs/recording_canvas.h"
#include "graphs/worksheet_print.h"

namespace tabulon {
namespace {

// 100 pixels an inch: a 3-inch column is 300 pixels, a 0.4-inch row 40, a headline 30.
constexpr PrintPage kPage{1000, 1000, 100};

// Four default columns of 3 inches and `rows` rows, every cell named "c<col>r<row>".
PrintGrid FourColumns(int rows) {
    PrintGrid grid;
    grid.SetDefaultColCount(4);
    for (int c = 0; c < 4; ++c) grid.FirstFormat().columns[c].headline = "H" + std::to_string(c);
    grid.SetRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < 4; ++c) {
            grid.SetCell(c, r, "c" + std::to_string(c) + "r" + std::to_string(r));
        }
    }
    return grid;
}

std::vector<std::string> Headlines(const PrintedPage& page) {
    std::vector<std::string> out;
    for (const PrintedCell& cell : page.cells) {
        if (cell.headline) out.push_back(cell.text);
    }
    return out;
}

TEST(PrintGrid, TilesRowsDownThenColumnsAcrossWithHeadlinesOnEveryPage) {
    const PrintGrid grid = FourColumns(30);
    const PrintLayout layout = grid.LayOut(kPage);

    // Worked by hand: columns 0..2 end at 300, 600, 900; column 3 would end at 1200 and starts
    // page 2 at the left edge.
    const auto& columns = layout.Columns(0);
    EXPECT_EQ(columns[2].page, 1);
    EXPECT_EQ(columns[2].right, 900);
    EXPECT_EQ(columns[3].page, 2);
    EXPECT_EQ(columns[3].left, 0);
    // Headline 0..30, then row k from 30 + 40k: row 23 ends at 990; row 24 would reach 1030
    // and opens page 2 below the 30 pixels kept for the headlines.
    EXPECT_EQ(layout.Row(0).headline_bottom, 30);
    EXPECT_EQ(layout.Row(23).page, 1);
    EXPECT_EQ(layout.Row(23).bottom, 990);
    EXPECT_EQ(layout.Row(24).page, 2);
    EXPECT_EQ(layout.Row(24).top, 30);

    ASSERT_EQ(layout.PageCount(), 4);
    // Every horizontal page of the first rows, then those of the next rows.
    const std::vector<std::pair<int, int>> order{{1, 1}, {1, 2}, {2, 1}, {2, 2}};
    const std::vector<std::vector<std::string>> headlines{
        {"H0", "H1", "H2"}, {"H3"}, {"H0", "H1", "H2"}, {"H3"}};
    const std::vector<std::string> first_text{"c0r0", "c3r0", "c0r24", "c3r24"};
    for (int n = 1; n <= 4; ++n) {
        const PrintedPage page = layout.Page(n);
        SCOPED_TRACE(n);
        EXPECT_EQ((std::pair{page.vertical_band, page.horizontal_band}), order[n - 1]);
        EXPECT_EQ(Headlines(page), headlines[n - 1]);
        ASSERT_FALSE(page.cells.empty());
        EXPECT_TRUE(page.cells.front().headline);  // the page begins with its headline line
        EXPECT_EQ(page.cells.front().rect.top, 0);
        EXPECT_EQ(page.cells[headlines[n - 1].size()].text, first_text[n - 1]);
        // The separator, 10 thousandths of an inch = 1 pixel, closes the headline line.
        ASSERT_EQ(page.separators.size(), 1u);
        EXPECT_EQ(page.separators[0].bottom - page.separators[0].top, 1);
        EXPECT_EQ(page.separators[0].bottom, 30);
    }
    EXPECT_TRUE(layout.Page(5).cells.empty());
}

TEST(PrintGrid, ARowThatWouldReachThePageBottomGoesToTheNextPage) {
    const PrintGrid grid = FourColumns(30);
    // Row 23 would end exactly at the bottom edge of a 990-pixel page.
    EXPECT_EQ(grid.LayOut({1000, 990, 100}).Row(23).page, 2);
    EXPECT_EQ(grid.LayOut({1000, 991, 100}).Row(23).page, 1);
}

TEST(PrintGrid, OversizedRowsAndColumnsLeaveNoEmptyPage) {
    PrintGrid grid = FourColumns(3);
    grid.SetDefaultColWidth(20);   // 2000 pixels: each column wider than the page
    grid.SetDefaultRowHeight(12);  // 1200 pixels: each row taller than the page
    const PrintLayout layout = grid.LayOut(kPage);
    EXPECT_EQ(layout.Columns(0)[0].page, 1);
    EXPECT_EQ(layout.Columns(0)[3].page, 4);
    EXPECT_EQ(layout.Row(0).page, 1);
    EXPECT_EQ(layout.Row(2).page, 3);
    EXPECT_EQ(layout.PageCount(), 12);
}

TEST(PrintGrid, ANewRowFormatBringsItsOwnHeadlineLine) {
    PrintGrid grid = FourColumns(30);
    PrintRowFormat& second = grid.AddRowFormat(10);
    second.columns.resize(2);
    second.columns[0].headline = "Källa";
    second.columns[1].headline = "";
    second.row_height = 0.5;
    EXPECT_EQ(grid.FormatOf(9).columns.size(), 4u);
    EXPECT_EQ(grid.FormatOf(10).columns[0].headline, "Källa");
    EXPECT_EQ(&grid.AddRowFormat(10), &grid.RowFormats()[1]);  // the same format, not another

    const PrintLayout layout = grid.LayOut(kPage);
    // Worked by hand: row 9 ends at 30 + 400 = 430; the new headline line 430..460, row 10
    // 460..510 at 50 pixels a row.
    EXPECT_EQ(layout.Row(10).headline_top, 430);
    EXPECT_EQ(layout.Row(10).top, 460);
    EXPECT_EQ(layout.Row(10).bottom, 510);
    const PrintedPage first = layout.Page(1);
    EXPECT_EQ(Headlines(first), (std::vector<std::string>{"H0", "H1", "H2", "Källa", ""}));
    EXPECT_EQ(first.separators.size(), 2u);
    // Rows 10.. have two columns, both on the first horizontal page: the second page of the
    // first rows shows column 3 of rows 0..9 only.
    const PrintedPage second_page = layout.Page(2);
    EXPECT_EQ(second_page.cells.back().text, "c3r9");

    // A format starting where its headline and first row no longer fit begins a new page
    // with the headline at the top.
    PrintGrid low = FourColumns(30);
    low.AddRowFormat(23).columns[0].headline = "Ny";
    const PrintLayout low_layout = low.LayOut(kPage);
    EXPECT_EQ(low_layout.Row(23).page, 2);
    EXPECT_EQ(low_layout.Row(23).headline_top, 0);
    EXPECT_EQ(low_layout.Row(23).top, 30);
}

TEST(PrintGrid, SeparatorThicknessIsKeptWithinOneToFiveHundred) {
    PrintGrid grid;
    const std::vector<std::pair<int, int>> cases{{1000, 500}, {-5, 1}, {0, 1}, {30, 30}};
    for (const auto& [set, kept] : cases) {
        grid.SetSeparatorThickness(set);
        EXPECT_EQ(grid.SeparatorThickness(), kept) << set;
    }
    grid.Clear();
    EXPECT_EQ(grid.SeparatorThickness(), 10);
    EXPECT_EQ(grid.DefaultColCount(), 6);
    EXPECT_EQ(grid.RowCount(), 0);
    EXPECT_EQ(grid.LayOut(kPage).PageCount(), 0);
}

TEST(PrintGrid, CellsAreDrawnByAlignmentOrByTheOwner) {
    struct Case {
        PrintAlign align;
        HAlign drawn;
        int x;
    };
    // Cell 100..300 across, 40..80 down; the recording canvas's text is 12 high, so its top
    // is at 60 - 6.
    const std::vector<Case> cases{{PrintAlign::Left, HAlign::Left, 100},
                                  {PrintAlign::Centre, HAlign::Center, 200},
                                  {PrintAlign::Right, HAlign::Right, 300}};
    for (const Case& c : cases) {
        RecordingCanvas canvas(6, 12);
        PrintedPage page;
        page.cells.push_back({0, 0, Rect{100, 40, 300, 80}, "7,5", c.align, false, nullptr});
        DrawPrintedPage(canvas, page);
        const auto texts = canvas.OfKind(PrimitiveKind::Text);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].points[0], (Point{c.x, 54}));
        EXPECT_EQ(texts[0].align.h, c.drawn);
    }

    const PrintGrid grid = FourColumns(2);
    const PrintedPage page = grid.LayOut(kPage).Page(1);
    RecordingCanvas canvas;
    std::vector<std::pair<std::string, bool>> seen;
    DrawPrintedPage(canvas, page, [&](Canvas&, const PrintedCell& cell) {
        seen.emplace_back(cell.text, cell.headline);
    });
    EXPECT_TRUE(canvas.OfKind(PrimitiveKind::Text).empty());
    EXPECT_EQ(canvas.OfKind(PrimitiveKind::Rectangle).size(), 1u);  // the separator
    ASSERT_EQ(seen.size(), 9u);  // three headlines, two rows of three columns
    EXPECT_EQ(seen[0], (std::pair<std::string, bool>{"H0", true}));
    EXPECT_EQ(seen[3], (std::pair<std::string, bool>{"c0r0", false}));
}

TEST(PrintGrid, TextTableTakesItsHeadlinesAndCells) {
    const PrintGrid grid = TextTablePrintGrid({{"A", "1"}, {"B", "2", "x"}}, {"Grupp", "Medel"},
                                              FontSpec{"Serif", 10}, 2.0);
    EXPECT_EQ(grid.DefaultColCount(), 3);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.RowFormats()[0].columns[1].headline, "Medel");
    EXPECT_EQ(grid.RowFormats()[0].columns[2].width, 2.0);
    EXPECT_EQ(grid.Cell(2, 1), "x");
    EXPECT_EQ(grid.Cell(2, 0), "");
}

// A worksheet wider and longer than a page: 12 data columns, 60 data rows.
TEST(WorksheetPrint, AWideLongSheetPrintsBandByBandWithTheColumnNumbersOnEveryPage) {
    Worksheet sheet = Worksheet::StartSheet();
    sheet.setCell(2, 1, "Vikt");
    for (int c = 2; c < 14; ++c) {
        for (int r = 2; r < 62; ++r) sheet.setCell(c, r, std::to_string(c * 1000 + r));
    }
    sheet.setCell(5, 3, "abc");  // the grid shows a text among the numbers as blank
    SheetPrintStyle style;
    style.decimals = 1;
    style.decimal_separator = ',';
    const PrintGrid grid = WorksheetPrintGrid(sheet, style);
    EXPECT_EQ(grid.DefaultColCount(), 14);
    EXPECT_EQ(grid.RowCount(), 61);  // captions and 60 data rows
    EXPECT_EQ(grid.SeparatorThickness(), 30);
    EXPECT_EQ(grid.Cell(2, 0), "Vikt");
    EXPECT_EQ(grid.Cell(0, 1), "1");
    EXPECT_EQ(grid.Cell(2, 1), "2002,0");
    EXPECT_EQ(grid.Cell(5, 2), "");

    // 64 screen pixels at 96 an inch are 200 pixels at 300 an inch: 8 columns to a page
    // (the ninth would end at 1800). Rows of 24/96 inch are 75 pixels, the headline 113
    // (112.5 rounded): 22 rows on a page of 1800 (113 + 22 * 75 = 1763; a 23rd would end at
    // 1838).
    const PrintLayout layout = grid.LayOut({1700, 1800, 300});
    ASSERT_EQ(layout.Bands().size(), 3u);  // rows 0..21, 22..43, 44..60
    EXPECT_EQ(layout.Bands()[1].first_row, 22);
    ASSERT_EQ(layout.PageCount(), 6);
    for (int n = 1; n <= 6; ++n) {
        const PrintedPage page = layout.Page(n);
        SCOPED_TRACE(n);
        EXPECT_EQ(page.vertical_band, (n + 1) / 2);
        EXPECT_EQ(page.horizontal_band, n % 2 == 1 ? 1 : 2);
        std::vector<std::string> want;
        for (int c = n % 2 == 1 ? 0 : 8; c < (n % 2 == 1 ? 8 : 14); ++c) {
            want.push_back(std::string(sheet.cell(c, 0)));
        }
        EXPECT_EQ(Headlines(page), want);
        EXPECT_TRUE(page.cells.front().headline);
    }
}

TEST(WorksheetPrint, AnEmptySheetPrintsTheNumbersAndCaptionsOnly) {
    const PrintGrid grid = WorksheetPrintGrid(Worksheet::StartSheet(), SheetPrintStyle{});
    EXPECT_EQ(grid.DefaultColCount(), 2);
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.LayOut(kPage).PageCount(), 1);
}

}  // namespace
}  // namespace tabulon
