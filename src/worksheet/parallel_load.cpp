// Loading big worksheet files on several cores: thread counts, running the threads and
// finding the lines of a text in parallel.
#include "worksheet/parallel_load.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <exception>
#include <thread>

namespace tabulon {

unsigned LoadThreadCount(std::size_t bytes) {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t useful = std::max<std::size_t>(1, bytes / kLoadBytesPerThread);
    return static_cast<unsigned>(std::min<std::size_t>(cores, useful));
}

void RunInThreads(unsigned count, const std::function<void(unsigned)>& job) {
    if (count <= 1) {
        job(0);
        return;
    }
    std::vector<std::exception_ptr> failures(count);
    auto guarded = [&](unsigned index) {
        try {
            job(index);
        } catch (...) {
            failures[index] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(count - 1);
    try {
        for (unsigned i = 1; i < count; ++i) threads.emplace_back(guarded, i);
    } catch (...) {
        // No thread to be had: the jobs left run here, one after the other.
        for (unsigned i = static_cast<unsigned>(threads.size()) + 1; i < count; ++i) guarded(i);
    }
    guarded(0);
    for (std::thread& thread : threads) thread.join();
    for (const std::exception_ptr& failure : failures) {
        if (failure) std::rethrow_exception(failure);
    }
}

namespace {

// The cells of fields [first_field, end_field) of every line, one column per field: the
// share of one thread. Each thread fills whole columns from top to bottom, so that every
// cell is written once, by the thread that also takes the page faults of its memory.
struct ColumnShare {
    std::vector<CellColumn> columns;
    bool too_wide = false;  // a line with more fields than a sheet may have columns
};

void FillColumns(std::string_view text_view, const std::vector<LineSpan>& lines,
                 const DelimitedLayout& layout, std::size_t first_field, std::size_t end_field,
                 ColumnShare& out) {
    using field_scan::Field;
    constexpr std::size_t kLimit = static_cast<std::size_t>(kMaxSheetCount) - 2;
    auto& columns = out.columns;
    const char* const text = text_view.data();
    const char* const limit = text + text_view.size();
    const char foreign = layout.separator == ',' ? '.' : ',';
    std::size_t row = layout.first_row;
    auto add_column = [&] {
        auto& column = columns.emplace_back();
        column.reserve(layout.rows);
        AdviseLargeFill(column.data(), layout.rows * sizeof(CellText));
        column.resize(row);
    };
    const bool data_rows_from_start = row >= 2;
    for (const LineSpan& line : lines) {
        const char* const end = text + line.end;
        const char* const p =
            field_scan::SkipFields(text + line.begin, end, limit, layout.delimiter, first_field);
        std::size_t filled = 0;
        const bool data_row = data_rows_from_start || row >= 2;
        if (p && first_field < end_field) {
            field_scan::ForEachField(
                p, end, limit, layout.delimiter, layout.separator, foreign,
                [&](const Field& field) {
                    const std::size_t c = layout.first_column + first_field + filled;
                    if (filled == columns.size()) {
                        if (c >= kLimit) {
                            out.too_wide = true;
                            return false;
                        }
                        add_column();  // a line wider than all before it
                    }
                    CellText& cell = columns[filled++].emplace_back(field.begin, field.end, limit);
                    if (data_row && c >= 2 && field.first_foreign && !field.has_separator) {
                        cell.setChar(static_cast<std::size_t>(field.first_foreign - field.begin),
                                     layout.separator);
                    }
                    return first_field + filled < end_field;
                });
            if (out.too_wide) return;
        }
        for (; filled < columns.size(); ++filled) columns[filled].emplace_back();
        ++row;
    }
    for (auto& column : columns) column.resize(layout.rows);
}

}  // namespace

std::size_t WidestLine(std::string_view text, const std::vector<LineSpan>& lines, char delimiter,
                       unsigned threads) {
    threads = static_cast<unsigned>(
        std::clamp<std::size_t>(lines.size() / 4096, 1, std::max(1u, threads)));
    std::vector<std::size_t> widest(threads, 0);
    RunInThreads(threads, [&](unsigned t) {
        const std::size_t first = lines.size() * t / threads;
        const std::size_t last = lines.size() * (t + 1) / threads;
        std::size_t most = 0;
        for (std::size_t i = first; i < last; ++i) {
            const char* begin = text.data() + lines[i].begin;
            const char* end = text.data() + lines[i].end;
            most = std::max<std::size_t>(
                most, static_cast<std::size_t>(std::count(begin, end, delimiter)));
        }
        widest[t] = most;
    });
    return lines.empty() ? 0 : 1 + *std::max_element(widest.begin(), widest.end());
}

bool BuildDelimitedColumns(std::string_view text, const std::vector<LineSpan>& lines,
                           const DelimitedLayout& layout, unsigned threads,
                           std::vector<CellColumn>& columns) {
    // Threads take equal ranges of the fields the first lines have; the last one also takes
    // whatever lies beyond, so a wider line further down is never lost, only less shared.
    std::size_t sample_fields = 1;
    for (std::size_t i = 0; i < lines.size() && i < 64; ++i) {
        const std::string_view line = text.substr(lines[i].begin, lines[i].end - lines[i].begin);
        sample_fields = std::max<std::size_t>(
            sample_fields,
            1 + static_cast<std::size_t>(std::count(line.begin(), line.end(), layout.delimiter)));
    }
    threads = std::max(1u, threads);
    const auto fill_threads = static_cast<unsigned>(std::min<std::size_t>(threads, sample_fields));
    // A thread the fields leave idle (a file of one column) makes the columns before the
    // data, millions of row numbers and empty cells, while the others fill theirs.
    const bool spare = threads > fill_threads;
    std::vector<ColumnShare> shares(fill_threads);
    columns.assign(layout.first_column, {});
    RunInThreads(fill_threads + (spare ? 1 : 0), [&](unsigned t) {
        if (t == (spare ? fill_threads : 0)) {
            columns[0] = Worksheet::RowNumberColumn(layout.rows);
            for (std::size_t c = 1; c < columns.size(); ++c) {
                columns[c].reserve(layout.rows);
                AdviseLargeFill(columns[c].data(), layout.rows * sizeof(CellText));
                columns[c].resize(layout.rows);
            }
        }
        if (t == fill_threads) return;
        const std::size_t first_field = sample_fields * t / fill_threads;
        const std::size_t end_field =
            t + 1 == fill_threads ? std::size_t(-1) : sample_fields * (t + 1) / fill_threads;
        FillColumns(text, lines, layout, first_field, end_field, shares[t]);
    });
    for (ColumnShare& share : shares) {
        if (share.too_wide) return false;
        for (auto& column : share.columns) columns.push_back(std::move(column));
    }
    return true;
}

namespace {

// The lines of a part of a text that starts after an LF (or at the start): every CR, every
// LF that does not end a CR LF pair, and an unended last line.
std::size_t CountLinesOfPart(const char* p, const char* end) {
    std::size_t lines = 0;
    bool after_cr = false;
    for (const char* block = p; block < end; block += 64) {
        const auto n = static_cast<std::size_t>(end - block) < 64
                           ? static_cast<std::size_t>(end - block)
                           : std::size_t{64};
        const field_scan::BlockMasks masks =
            end - block >= 64 ? field_scan::MaskBlock(block, n, '\r', '\n', '\n')
                              : field_scan::MaskBlockBytes(block, n, '\r', '\n', '\n');
        const std::uint64_t paired = (masks.delimiters << 1) | (after_cr ? 1u : 0u);
        lines += static_cast<std::size_t>(std::popcount(masks.delimiters) +
                                          std::popcount(masks.separators & ~paired));
        after_cr = n == 64 && (masks.delimiters >> 63) != 0;
    }
    if (p < end && end[-1] != '\n' && end[-1] != '\r') ++lines;
    return lines;
}

}  // namespace

std::vector<LineSpan> SplitLines(std::string_view text, unsigned threads) {
    threads = std::max(1u, threads);
    // Part k starts after the first LF at or past k/threads of the text: an LF always ends
    // a line, whatever came before it.
    std::vector<std::size_t> starts(threads + 1, text.size());
    starts[0] = 0;
    for (unsigned k = 1; k < threads; ++k) {
        const std::size_t from = std::max(starts[k - 1], text.size() / threads * k);
        const void* lf = from < text.size()
                             ? std::memchr(text.data() + from, '\n', text.size() - from)
                             : nullptr;
        starts[k] = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - text.data()) + 1
                       : text.size();
    }
    // Counted first, then written once into their place: a million lines gathered part by
    // part and joined would fault in their memory three times over.
    std::vector<std::size_t> first_line(threads + 1, 0);
    RunInThreads(threads, [&](unsigned k) {
        first_line[k + 1] = CountLinesOfPart(text.data() + starts[k], text.data() + starts[k + 1]);
    });
    for (unsigned k = 0; k < threads; ++k) first_line[k + 1] += first_line[k];
    std::vector<LineSpan> lines;
    lines.reserve(first_line[threads]);
    AdviseLargeFill(lines.data(), first_line[threads] * sizeof(LineSpan));
    lines.resize(first_line[threads]);
    RunInThreads(threads, [&](unsigned k) {
        const char* const base = text.data();
        LineSpan* out = lines.data() + first_line[k];
        LineSpan* const out_end = lines.data() + first_line[k + 1];
        field_scan::ForEachLine(base + starts[k], base + starts[k + 1],
                                static_cast<std::size_t>(out_end - out),
                                [&](const char* begin, const char* end) {
                                    *out++ = {static_cast<std::size_t>(begin - base),
                                              static_cast<std::size_t>(end - base)};
                                });
    });
    return lines;
}

}  // namespace tabulon
