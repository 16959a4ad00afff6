// The table of a print job and its layout over pages.
#include "graphs/print_grid.h"

#include <algorithm>
#include <cmath>

namespace tabulon {
namespace {

int Pixels(double inches, double dpi) {
    return static_cast<int>(std::lround(inches * dpi));
}

}  // namespace

bool PrintRowFormat::HasHeadlines() const {
    return std::any_of(columns.begin(), columns.end(),
                       [](const PrintColumn& c) { return !c.headline.empty(); });
}

void PrintGrid::Clear() {
    m_row_count = 0;
    m_separator_thickness = kDefaultSeparatorThickness;
    m_title.clear();
    m_formats.assign(1, PrintRowFormat{});
    m_formats.front().columns.assign(kDefaultColCount, PrintColumn{});
    m_cells.clear();
    m_source = nullptr;
}

void PrintGrid::SetRowCount(int rows) {
    m_row_count = std::max(0, rows);
}

void PrintGrid::SetDefaultColCount(int count) {
    m_formats.front().columns.resize(static_cast<std::size_t>(std::max(0, count)));
}

void PrintGrid::SetDefaultColWidth(double inches) {
    for (PrintColumn& c : m_formats.front().columns) c.width = inches;
}

void PrintGrid::SetDefaultColDistance(double inches) {
    for (PrintColumn& c : m_formats.front().columns) c.distance = inches;
}

void PrintGrid::SetDefaultRowHeight(double inches) {
    m_formats.front().row_height = inches;
}

void PrintGrid::SetDefaultHeadLineHeight(double inches) {
    m_formats.front().headline_height = inches;
}

void PrintGrid::SetDefaultFont(const FontSpec& font) {
    m_formats.front().font = font;
}

void PrintGrid::SetDefaultHeadlineFont(const FontSpec& font) {
    m_formats.front().headline_font = font;
}

void PrintGrid::SetSeparatorThickness(int thousandths) {
    m_separator_thickness = std::clamp(thousandths, 1, kMaxSeparatorThickness);
}

PrintRowFormat& PrintGrid::AddRowFormat(int first_row) {
    first_row = std::max(0, first_row);
    auto at = std::find_if(m_formats.begin(), m_formats.end(),
                           [&](const PrintRowFormat& f) { return f.first_row >= first_row; });
    if (at != m_formats.end() && at->first_row == first_row) return *at;
    PrintRowFormat copy = FormatOf(first_row);
    copy.first_row = first_row;
    return *m_formats.insert(at, std::move(copy));
}

const PrintRowFormat& PrintGrid::FormatOf(int row) const {
    auto after = std::upper_bound(m_formats.begin(), m_formats.end(), row,
                                  [](int r, const PrintRowFormat& f) { return r < f.first_row; });
    return after == m_formats.begin() ? m_formats.front() : *std::prev(after);
}

void PrintGrid::SetCell(int column, int row, std::string text) {
    if (column < 0 || row < 0) return;
    if (m_cells.size() <= static_cast<std::size_t>(row)) m_cells.resize(row + 1);
    auto& cells = m_cells[static_cast<std::size_t>(row)];
    if (cells.size() <= static_cast<std::size_t>(column)) cells.resize(column + 1);
    cells[static_cast<std::size_t>(column)] = std::move(text);
}

std::string PrintGrid::Cell(int column, int row) const {
    if (m_source) return m_source(column, row);
    if (column < 0 || row < 0 || static_cast<std::size_t>(row) >= m_cells.size()) return {};
    const auto& cells = m_cells[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)]
                                                           : std::string();
}

PrintLayout PrintGrid::LayOut(const PrintPage& page) const {
    PrintLayout layout;
    layout.m_grid = this;
    layout.m_page = page;
    const double dpi = page.dpi;

    // Across: each format's columns, a column that would reach the page's right edge
    // starting the next horizontal page. A column wider than the page keeps a page of its
    // own rather than leaving an empty one before it.
    std::vector<int> horizontal_pages;
    for (const PrintRowFormat& format : m_formats) {
        std::vector<PrintLayout::ColumnPlace> places;
        int page_number = 1;
        int x = 0;
        bool page_used = false;
        for (const PrintColumn& column : format.columns) {
            const int distance = Pixels(column.distance, dpi);
            const int width = Pixels(column.width, dpi);
            if (page_used && x + distance + width >= page.width) {
                ++page_number;
                x = 0;
            }
            places.push_back({page_number, x + distance, x + distance + width});
            x += distance + width;
            page_used = true;
        }
        horizontal_pages.push_back(page_number);
        layout.m_columns.push_back(std::move(places));
    }

    // Down: a new page when the next row (with its headline line, at a format's first row)
    // would reach the page's bottom; the top of a continued page is kept for the headlines.
    // A page that holds no row yet takes the row however tall it is, so no page stays empty.
    layout.m_rows.resize(static_cast<std::size_t>(m_row_count));
    layout.m_format_of_row.resize(static_cast<std::size_t>(m_row_count));
    int page_number = 1;
    int bottom = 0;
    bool page_used = false;
    std::size_t format_index = 0;
    for (int r = 0; r < m_row_count; ++r) {
        while (format_index + 1 < m_formats.size() && m_formats[format_index + 1].first_row <= r) {
            ++format_index;
        }
        const PrintRowFormat& format = m_formats[format_index];
        const int row_height = Pixels(format.row_height, dpi);
        const int headline_height = Pixels(format.headline_height, dpi);
        PrintLayout::RowPlace& place = layout.m_rows[static_cast<std::size_t>(r)];
        if (r == format.first_row && format.HasHeadlines()) {
            if (page_used && bottom + headline_height + row_height >= page.height) {
                ++page_number;
                bottom = 0;
                page_used = false;
            }
            place.headline_top = bottom;
            place.headline_bottom = bottom + headline_height;
            bottom += headline_height;
        } else if (page_used && bottom + row_height >= page.height) {
            ++page_number;
            bottom = headline_height;
        }
        place.page = page_number;
        place.top = bottom;
        place.bottom = bottom + row_height;
        bottom += row_height;
        page_used = true;
        layout.m_format_of_row[static_cast<std::size_t>(r)] = static_cast<int>(format_index);

        if (page_number > static_cast<int>(layout.m_bands.size())) {
            layout.m_bands.push_back({r, r, 1, 1});
        }
        PrintLayout::Band& band = layout.m_bands.back();
        band.last_row = r;
        band.horizontal_pages = std::max(band.horizontal_pages, horizontal_pages[format_index]);
    }
    int next_page = 1;
    for (PrintLayout::Band& band : layout.m_bands) {
        band.first_page = next_page;
        next_page += band.horizontal_pages;
    }
    layout.m_page_count = next_page - 1;
    return layout;
}

PrintedPage PrintLayout::Page(int number) const {
    PrintedPage out;
    auto band = std::find_if(m_bands.begin(), m_bands.end(), [&](const Band& b) {
        return number >= b.first_page && number < b.first_page + b.horizontal_pages;
    });
    if (band == m_bands.end() || m_grid == nullptr) return out;
    out.number = number;
    out.vertical_band = static_cast<int>(band - m_bands.begin()) + 1;
    out.horizontal_band = number - band->first_page + 1;
    const auto& formats = m_grid->RowFormats();
    const int thickness = std::max(1, Pixels(m_grid->SeparatorThickness() / 1000.0, m_page.dpi));

    for (int r = band->first_row; r <= band->last_row; ++r) {
        const int f = m_format_of_row[static_cast<std::size_t>(r)];
        const PrintRowFormat& format = formats[static_cast<std::size_t>(f)];
        const std::vector<ColumnPlace>& columns = m_columns[static_cast<std::size_t>(f)];
        const RowPlace& place = m_rows[static_cast<std::size_t>(r)];
        const bool own_headline = place.headline_bottom > place.headline_top;
        if ((r == band->first_row || own_headline) && format.HasHeadlines()) {
            // A continued page repeats the headlines in the space kept at its top.
            const int top = own_headline ? place.headline_top : 0;
            const int bottom =
                own_headline ? place.headline_bottom : Pixels(format.headline_height, m_page.dpi);
            int left = -1;
            int right = -1;
            for (std::size_t c = 0; c < columns.size(); ++c) {
                if (columns[c].page != out.horizontal_band) continue;
                out.cells.push_back({static_cast<int>(c), r,
                                     Rect{columns[c].left, top, columns[c].right, bottom},
                                     format.columns[c].headline, format.columns[c].align, true,
                                     &format.headline_font});
                if (left < 0) left = columns[c].left;
                right = columns[c].right;
            }
            if (left >= 0) out.separators.push_back({left, bottom - thickness, right, bottom});
        }
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (columns[c].page != out.horizontal_band) continue;
            out.cells.push_back({static_cast<int>(c), r,
                                 Rect{columns[c].left, place.top, columns[c].right, place.bottom},
                                 m_grid->Cell(static_cast<int>(c), r), format.columns[c].align,
                                 false, &format.font});
        }
    }
    return out;
}

PrintGrid TextTablePrintGrid(const std::vector<std::vector<std::string>>& rows,
                             const std::vector<std::string>& headlines, const FontSpec& font,
                             double column_width) {
    PrintGrid grid;
    std::size_t columns = headlines.size();
    for (const auto& row : rows) columns = std::max(columns, row.size());
    grid.SetDefaultColCount(static_cast<int>(columns));
    grid.SetDefaultColWidth(column_width);
    grid.SetDefaultFont(font);
    grid.SetDefaultHeadlineFont(font);
    for (std::size_t c = 0; c < headlines.size(); ++c) {
        grid.FirstFormat().columns[c].headline = headlines[c];
    }
    grid.SetRowCount(static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            grid.SetCell(static_cast<int>(c), static_cast<int>(r), rows[r][c]);
        }
    }
    return grid;
}

void DrawPrintedCell(Canvas& canvas, const PrintedCell& cell) {
    if (cell.text.empty()) return;
    if (cell.font) canvas.SetFont(*cell.font);
    const int height = canvas.TextHeight(cell.text);
    const int y = (cell.rect.top + cell.rect.bottom) / 2 - height / 2;
    switch (cell.align) {
        case PrintAlign::Left:
            canvas.SetTextAlign({HAlign::Left, VAlign::Top});
            canvas.DrawText({cell.rect.left, y}, cell.text);
            break;
        case PrintAlign::Centre:
            canvas.SetTextAlign({HAlign::Center, VAlign::Top});
            canvas.DrawText({(cell.rect.left + cell.rect.right) / 2, y}, cell.text);
            break;
        case PrintAlign::Right:
            canvas.SetTextAlign({HAlign::Right, VAlign::Top});
            canvas.DrawText({cell.rect.right, y}, cell.text);
            break;
    }
}

void DrawPrintedPage(Canvas& canvas, const PrintedPage& page, const PrintCellHandler& owner) {
    canvas.SetPen({colors::kBlack, 1, PenStyle::Clear});
    canvas.SetBrush({colors::kBlack, BrushStyle::Solid});
    for (const Rect& line : page.separators) canvas.DrawRectangle(line);
    for (const PrintedCell& cell : page.cells) {
        if (owner) {
            owner(canvas, cell);
        } else {
            DrawPrintedCell(canvas, cell);
        }
    }
}

}  // namespace tabulon
