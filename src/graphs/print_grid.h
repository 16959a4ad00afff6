// PrintGrid: a table of texts laid out for printing. Rows run down the page and columns across
// it; a table too long or too wide is tiled over as many pages as it needs, the headlines
// repeated at the top of every page. Lengths are inches until a page gives them pixels, so
// the layout and the drawing are worked out here without a printer.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "graphs/canvas.h"
#include "graphs/font_spec.h"

namespace tabulon {

enum class PrintAlign { Left, Centre, Right };

struct PrintColumn {
    PrintAlign align = PrintAlign::Left;
    double width = 3.0;     // inches
    double distance = 0.0;  // inches of space before the column
    std::string headline;
};

// A row format holds from its first row up to the next format's first row.
struct PrintRowFormat {
    int first_row = 0;
    double row_height = 0.4;       // inches
    double headline_height = 0.3;  // inches
    FontSpec font;
    FontSpec headline_font;
    std::vector<PrintColumn> columns;

    // Some column has a headline text: the format's first row is preceded by a headline line.
    bool HasHeadlines() const;
};

// The printable area of one sheet in device pixels, and the resolution that turns inches
// into pixels (the vertical one, used both ways).
struct PrintPage {
    int width = 0;
    int height = 0;
    double dpi = 0;
};

// A cell as it lands on a page. A headline carries the row it stands above.
struct PrintedCell {
    int column = 0;
    int row = 0;
    Rect rect;
    std::string text;
    PrintAlign align = PrintAlign::Left;
    bool headline = false;
    const FontSpec* font = nullptr;
};

struct PrintedPage {
    int number = 0;                  // from 1, in printing order
    int vertical_band = 0;           // from 1: which rows
    int horizontal_band = 0;         // from 1: which columns
    std::vector<PrintedCell> cells;  // in drawing order: each headline line before its row
    std::vector<Rect> separators;    // the filled lines under the headline lines
};

class PrintLayout;

class PrintGrid {
public:
    static constexpr int kDefaultColCount = 6;
    static constexpr int kDefaultSeparatorThickness = 10;
    static constexpr int kMaxSeparatorThickness = 500;

    // A cell's text from elsewhere (a worksheet shown as it is on screen), instead of the
    // texts set with SetCell; it must last as long as the grid is printed.
    using CellSource = std::function<std::string(int column, int row)>;

    PrintGrid() { Clear(); }

    // One row format for row 0 with six columns, row height 0.4, column width 3.0,
    // distance 0; thickness 10; no texts.
    void Clear();

    int RowCount() const { return m_row_count; }
    void SetRowCount(int rows);

    // The Default... settings change the first row format, which every format added later
    // starts from.
    int DefaultColCount() const { return static_cast<int>(m_formats.front().columns.size()); }
    void SetDefaultColCount(int count);
    void SetDefaultColWidth(double inches);
    void SetDefaultColDistance(double inches);
    void SetDefaultRowHeight(double inches);
    void SetDefaultHeadLineHeight(double inches);
    void SetDefaultFont(const FontSpec& font);
    void SetDefaultHeadlineFont(const FontSpec& font);

    // Thousandths of an inch; kept within 1 to 500.
    int SeparatorThickness() const { return m_separator_thickness; }
    void SetSeparatorThickness(int thousandths);

    // The print job's name in the queue; never printed.
    const std::string& Title() const { return m_title; }
    void SetTitle(std::string title) { m_title = std::move(title); }

    // A new format from `first_row` on (replacing one that starts there), a copy of the
    // format in force at that row until changed through the reference.
    PrintRowFormat& AddRowFormat(int first_row);
    const std::vector<PrintRowFormat>& RowFormats() const { return m_formats; }
    PrintRowFormat& FirstFormat() { return m_formats.front(); }
    // The format in force at `row`.
    const PrintRowFormat& FormatOf(int row) const;

    void SetCell(int column, int row, std::string text);
    std::string Cell(int column, int row) const;
    void SetCellSource(CellSource source) { m_source = std::move(source); }

    // Where every row and column lands on pages of `page`.
    PrintLayout LayOut(const PrintPage& page) const;

private:
    int m_row_count = 0;
    int m_separator_thickness = kDefaultSeparatorThickness;
    std::string m_title;
    std::vector<PrintRowFormat> m_formats;          // ordered by first row; the first starts at 0
    std::vector<std::vector<std::string>> m_cells;  // [row][column]
    CellSource m_source;
};

// The table placed on pages: rows down the vertical pages, each format's columns across the
// horizontal ones. Pages are numbered band by band: every horizontal page of the first rows,
// then those of the next rows.
class PrintLayout {
public:
    struct RowPlace {
        int page = 1;  // vertical band
        int top = 0;
        int bottom = 0;
        // The headline line placed right above this row (the first row of a format with
        // headlines); both 0 when none.
        int headline_top = 0;
        int headline_bottom = 0;
    };
    struct ColumnPlace {
        int page = 1;  // horizontal band
        int left = 0;
        int right = 0;
    };
    struct Band {
        int first_row = 0;
        int last_row = 0;
        int horizontal_pages = 1;
        int first_page = 1;  // the page number of its first horizontal page
    };

    int PageCount() const { return m_page_count; }
    const std::vector<Band>& Bands() const { return m_bands; }
    const RowPlace& Row(int row) const { return m_rows.at(static_cast<std::size_t>(row)); }
    // The columns of the format at index `format` of the grid's RowFormats().
    const std::vector<ColumnPlace>& Columns(int format) const {
        return m_columns.at(static_cast<std::size_t>(format));
    }

    // What page `number` (from 1) holds; an empty page for a number out of range.
    PrintedPage Page(int number) const;

private:
    friend class PrintGrid;
    const PrintGrid* m_grid = nullptr;
    PrintPage m_page;
    std::vector<RowPlace> m_rows;
    std::vector<std::vector<ColumnPlace>> m_columns;  // per row format
    std::vector<int> m_format_of_row;
    std::vector<Band> m_bands;
    int m_page_count = 0;
};

// A window's table ready to print: `rows` of cell texts (rows[r][c]) under one headline per
// column, every column `column_width` inches wide, cells and headlines in `font`. As many
// columns as the longest of `headlines` and the rows. Change widths or alignment through
// FirstFormat() before printing when the table needs it.
PrintGrid TextTablePrintGrid(const std::vector<std::vector<std::string>>& rows,
                             const std::vector<std::string>& headlines, const FontSpec& font,
                             double column_width = 1.5);

// Draws one cell the default way: the text centred vertically in its rectangle and,
// across, from the left edge, centred, or ending at the right edge.
void DrawPrintedCell(Canvas& canvas, const PrintedCell& cell);

// The owner drawing of a table: draws a cell instead of the default.
using PrintCellHandler = std::function<void(Canvas& canvas, const PrintedCell& cell)>;

// Draws one laid-out page: separators, then every cell by `owner` when given, else the
// default way.
void DrawPrintedPage(Canvas& canvas, const PrintedPage& page, const PrintCellHandler& owner = {});

}  // namespace tabulon
