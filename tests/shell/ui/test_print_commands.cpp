// Arkiv > Skriv ut through the real menu: the worksheet printed into a PDF file and read back.
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <algorithm>

#include "graphs/ui/graph_output.h"
#include "shell/ui/print_commands.h"
#include "support/main_window_fixture.h"
#include "support/pdf_text.h"

namespace tabulon::testing {
namespace {

class PrintCommands : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_TRUE(PdfToolsPresent())
            << "pdfinfo and pdftotext (poppler-utils) are needed; tools/deps installs them";
        // A4 with half-inch margins: a printable area of 7.27 x 10.69 inches.
        QPrinter& printer = ui::WorksheetPrinter(*window);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch));
        // Data columns 1..16 (grid 2..17), rows 1..100, cell = column * 1000 + row.
        grid().editSheet([](Worksheet& s) {
            s.setCell(2, 1, "Vikt");
            for (int c = 2; c < 18; ++c) {
                for (int r = 2; r < 102; ++r) s.setCell(c, r, std::to_string(c * 1000 + r));
            }
        });
    }

    std::string pdf() const { return (start.path() / "sheet.pdf").string(); }
};

std::vector<std::string> Numbers(int from, int to) {
    std::vector<std::string> out;
    for (int n = from; n <= to; ++n) out.push_back(std::to_string(n));
    return out;
}

bool Contains(const std::vector<std::vector<std::string>>& words, const std::string& word) {
    return std::any_of(words.begin(), words.end(), [&](const auto& line) {
        return std::find(line.begin(), line.end(), word) != line.end();
    });
}

TEST_F(PrintCommands, AWideLongSheetPrintsItsPagesInOrderWithTheColumnNumbersOnEach) {
    // The sizes below are the screen's: a 28-pixel row-number column, 64-pixel columns and
    // 24-pixel rows at 96 an inch.
    ASSERT_EQ(grid().logicalDpiY(), 96);
    ASSERT_EQ(grid().rowHeightPixels(), 24);
    ui::PdfFilePrinterChooser chooser(QString::fromStdString(pdf()));
    ui::SetWorksheetPrinterChooser(*window, &chooser);
    window->Execute("arkiv.skriv_ut");

    // Worked by hand: the row numbers take 0.29 inch and then 2/3-inch columns, 10 of them
    // to a 7.26-inch page (an 11th would end at 7.96): grid columns 0..10 and 11..17. Rows of 1/4 inch under a 3/8-inch headline line: 41 to a
    // 10.69-inch page (0.375 + 42 * 0.25 = 10.875 would pass it): the caption row and 100
    // data rows make bands of 41, 41 and 19 rows, each on two pages.
    ASSERT_EQ(PdfPageCount(pdf()), 6);
    struct Page {
        std::vector<std::string> headline;
        std::string first_cell;  // the data column's first cell on the page
        std::string absent;      // a cell of another page
    };
    const std::vector<Page> pages{
        {Numbers(1, 9), "2002,00", "11002,00"},     // rows 1..40 (with the captions), left
        {Numbers(10, 16), "11002,00", "2002,00"},   // the same rows, right
        {Numbers(1, 9), "2042,00", "2041,00"},      // rows 41..81, left
        {Numbers(10, 16), "17042,00", "17041,00"},  // right
        {Numbers(1, 9), "2083,00", "2082,00"},      // rows 82..100, left
        {Numbers(10, 16), "17101,00", "2101,00"},   // right
    };
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE(n);
        const auto words = PdfPageWords(pdf(), n);
        ASSERT_FALSE(words.empty());
        EXPECT_EQ(words.front(), pages[n - 1].headline);  // every page begins with them
        EXPECT_TRUE(Contains(words, pages[n - 1].first_cell));
        EXPECT_FALSE(Contains(words, pages[n - 1].absent));
        EXPECT_EQ(Contains(words, "Vikt"), n == 1);  // the captions are the first row
    }
}

TEST_F(PrintCommands, PrintsTheChosenPagesAndNothingWhenCancelled) {
    QPrinter& printer = ui::WorksheetPrinter(*window);
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(3, 4);
    ui::PdfFilePrinterChooser chooser(QString::fromStdString(pdf()));
    ui::SetWorksheetPrinterChooser(*window, &chooser);
    window->Execute("arkiv.skriv_ut");
    ASSERT_EQ(PdfPageCount(pdf()), 2);
    EXPECT_EQ(PdfPageWords(pdf(), 1).front(), Numbers(1, 9));
    EXPECT_TRUE(Contains(PdfPageWords(pdf(), 2), "17042,00"));

    const std::string never = (start.path() / "never.pdf").string();
    ui::PdfFilePrinterChooser cancel(QString::fromStdString(never), false);
    ui::SetWorksheetPrinterChooser(*window, &cancel);
    window->Execute("arkiv.skriv_ut");
    EXPECT_EQ(cancel.timesAsked(), 1);
    EXPECT_FALSE(std::filesystem::exists(never));
    ui::SetWorksheetPrinterChooser(*window, nullptr);
}

}  // namespace
}  // namespace tabulon::testing
