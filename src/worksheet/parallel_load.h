// Loading big worksheet files on several cores: how many threads a load gets, running them,
// the lines of a text found in parallel, and word-at-a-time field scanning.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "worksheet/file_io.h"
#include "worksheet/worksheet.h"

namespace tabulon {

// Below this many bytes per thread a thread costs more to start than it saves.
inline constexpr std::size_t kLoadBytesPerThread = std::size_t{1} << 20;

// Threads for a load of `bytes`: one for small files, never more than the machine's cores.
unsigned LoadThreadCount(std::size_t bytes);

// Runs job(0) .. job(count - 1), job(0) on the calling thread and the others on threads of
// their own, and waits for all. The first exception a job throws (for example bad_alloc) is
// thrown again here once every thread has ended.
void RunInThreads(unsigned count, const std::function<void(unsigned)>& job);

// One line of a text: [begin, end) without its terminator, as offsets into the text.
struct LineSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// The lines in the sense of LineCursor, found by `threads` threads over parts of the text
// that each start after an LF (so no part splits a CR LF pair).
std::vector<LineSpan> SplitLines(std::string_view text, unsigned threads);

// Where the cells of a delimited text (tab-separated, or .csv without quotes) go: line i
// to row first_row + i, field f to column first_column + f; every column gets `rows` cells.
// In data cells (row and column 2 and up) the decimal separator is adjusted to `separator`.
struct DelimitedLayout {
    char delimiter = '\t';
    std::size_t rows = 0;
    std::size_t first_row = 2;
    std::size_t first_column = 2;
    char separator = '.';
};

// The columns of the sheet up to the widest line's last field (the leading columns included:
// column 0 numbered as Worksheet::RowNumberColumn numbers it, the others empty), built by up
// to `threads` threads that each fill whole columns of a range of
// fields from top to bottom: every cell is written once, by the thread that also takes the
// page faults of its memory. False when a line has more fields than a sheet may have.
// The fields of the widest line (delimiters + 1), counted on `threads` cores before any
// column is allocated.
std::size_t WidestLine(std::string_view text, const std::vector<LineSpan>& lines, char delimiter,
                       unsigned threads);

bool BuildDelimitedColumns(std::string_view text, const std::vector<LineSpan>& lines,
                           const DelimitedLayout& layout, unsigned threads,
                           std::vector<CellColumn>& columns);

// The readers with the thread count chosen by the caller instead of by the file size, so
// that a threaded load can be held against a one-thread load of the same text.
LoadResult ParseTextFileInThreads(std::string_view text, const TextImportOptions& options,
                                  unsigned threads);
// A text without quotes is read like a tab-separated one; with `threads` 0 every text goes
// through the general reader (quotes and all), which ParseQuotedCsv is.
LoadResult ParseCsvFileInThreads(std::string_view text, const TextImportOptions& options,
                                 unsigned threads);
LoadResult ParseQuotedCsv(std::string_view text, const TextImportOptions& options);
LoadResult ParseWorksheetFileInThreads(std::string_view text, unsigned threads);

namespace field_scan {

// Fields are found 64 bytes at a time: where the delimiters, separators and foreign separators are
// in a block, as one bit per byte. Walking the bits of a mask costs a cycle or two per field;
// scanning field by field would wait on each field's end before the next search could start.
struct BlockMasks {
    std::uint64_t delimiters = 0;
    std::uint64_t separators = 0;
    std::uint64_t foreigns = 0;
};

// The masks of the `n` bytes (at most 64) at `p`, one byte at a time.
inline BlockMasks MaskBlockBytes(const char* p, std::size_t n, char delimiter, char separator,
                                 char foreign) {
    BlockMasks masks;
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint64_t bit = std::uint64_t{1} << i;
        if (p[i] == delimiter) masks.delimiters |= bit;
        if (p[i] == separator) masks.separators |= bit;
        if (p[i] == foreign) masks.foreigns |= bit;
    }
    return masks;
}

// The same, sixteen bytes to a comparison where the machine has SSE2; then all 64 bytes at
// `p` must be readable, whatever `n` is.
inline BlockMasks MaskBlock(const char* p, std::size_t n, char delimiter, char separator,
                            char foreign) {
#if defined(__SSE2__)
    const __m128i tab = _mm_set1_epi8(delimiter);
    const __m128i sep = _mm_set1_epi8(separator);
    const __m128i fgn = _mm_set1_epi8(foreign);
    BlockMasks masks;
    for (int k = 0; k < 4; ++k) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
        auto bits = [&](__m128i pattern) {
            return static_cast<std::uint64_t>(
                       static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, pattern))))
                   << (16 * k);
        };
        masks.delimiters |= bits(tab);
        masks.separators |= bits(sep);
        masks.foreigns |= bits(fgn);
    }
    if (n < 64) {
        const std::uint64_t keep = (std::uint64_t{1} << n) - 1;
        masks.delimiters &= keep;
        masks.separators &= keep;
        masks.foreigns &= keep;
    }
    return masks;
#else
    return MaskBlockBytes(p, n, delimiter, separator, foreign);
#endif
}

// Bits [from, to) of a word, 0 <= from <= to <= 64.
inline std::uint64_t BitRange(std::size_t from, std::size_t to) {
    const std::uint64_t below_to = to >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << to) - 1;
    const std::uint64_t below_from =
        from >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << from) - 1;
    return below_to & ~below_from;
}

// One field of a delimited line: [begin, end), its first `foreign` byte (nullptr when
// none) and whether it holds a `separator`.
struct Field {
    const char* begin;
    const char* end;
    const char* first_foreign;
    bool has_separator;
};

// Calls emit(field) for the fields of the line [p, end) in order, until emit returns false
// or the line ends. Bytes up to `limit` (at or past `end`) may be read.
template <class Emit>
void ForEachField(const char* p, const char* end, const char* limit, char delimiter, char separator,
                  char foreign, Emit&& emit) {
    Field field{p, end, nullptr, false};
    for (const char* block = p; block < end; block += 64) {
        const auto n = static_cast<std::size_t>(end - block) < 64
                           ? static_cast<std::size_t>(end - block)
                           : std::size_t{64};
        const BlockMasks masks = limit - block >= 64
                                     ? MaskBlock(block, n, delimiter, separator, foreign)
                                     : MaskBlockBytes(block, n, delimiter, separator, foreign);
        std::size_t from = field.begin > block ? static_cast<std::size_t>(field.begin - block) : 0;
        auto take = [&](std::size_t to) {
            const std::uint64_t range = BitRange(from, to);
            if (!field.first_foreign && (masks.foreigns & range)) {
                field.first_foreign = block + std::countr_zero(masks.foreigns & range);
            }
            field.has_separator |= (masks.separators & range) != 0;
        };
        for (std::uint64_t hits = masks.delimiters; hits; hits &= hits - 1) {
            const auto at = static_cast<std::size_t>(std::countr_zero(hits));
            take(at);
            field.end = block + at;
            if (!emit(static_cast<const Field&>(field))) return;
            field = Field{block + at + 1, end, nullptr, false};
            from = at + 1;
        }
        take(n);
    }
    field.end = end;
    emit(static_cast<const Field&>(field));
}

// The start of field `count` (from 0) of the line [p, end), or nullptr when the line has
// fewer fields. `limit` as for ForEachField.
inline const char* SkipFields(const char* p, const char* end, const char* limit, char delimiter,
                              std::size_t count) {
    if (count == 0) return p;
    for (const char* block = p; block < end; block += 64) {
        const auto n = static_cast<std::size_t>(end - block) < 64
                           ? static_cast<std::size_t>(end - block)
                           : std::size_t{64};
        // Only the delimiters matter: the separators asked for are delimiters too.
        std::uint64_t hits =
            limit - block >= 64
                ? MaskBlock(block, n, delimiter, delimiter, delimiter).delimiters
                : MaskBlockBytes(block, n, delimiter, delimiter, delimiter).delimiters;
        for (; hits; hits &= hits - 1) {
            if (--count == 0) return block + std::countr_zero(hits) + 1;
        }
    }
    return nullptr;
}

// Calls emit(begin, end) for up to `count` lines from `p` on, in the sense of LineCursor
// (CR LF, LF and a lone CR end a line; nothing after the last terminator is no line), and
// returns where the text after the last of them starts. Short lines are the rule in a
// worksheet file (one cell each), where a library call per line would cost more than the
// line.
template <class Emit>
const char* ForEachLine(const char* p, const char* end, std::size_t count, Emit&& emit) {
    const char* line = p;
    bool after_cr = false;  // the block before ended with a CR
    for (const char* block = p; block < end && count > 0; block += 64) {
        const auto n = static_cast<std::size_t>(end - block) < 64
                           ? static_cast<std::size_t>(end - block)
                           : std::size_t{64};
        const BlockMasks masks = end - block >= 64 ? MaskBlock(block, n, '\r', '\n', '\n')
                                                   : MaskBlockBytes(block, n, '\r', '\n', '\n');
        const std::uint64_t crs = masks.delimiters;
        const std::uint64_t lfs = masks.separators;
        // An LF right after a CR belongs to that CR's line end.
        const std::uint64_t paired = (crs << 1) | (after_cr ? 1u : 0u);
        for (std::uint64_t ends = crs | (lfs & ~paired); ends; ends &= ends - 1) {
            const char* at = block + std::countr_zero(ends);
            emit(line, at);
            line = at + 1;
            if (*at == '\r' && line < end && *line == '\n') ++line;
            if (--count == 0) return line;
        }
        after_cr = n == 64 && (crs >> 63) != 0;
    }
    if (count > 0 && line < end) {
        emit(line, end);
        line = end;
    }
    return line;
}

}  // namespace field_scan
}  // namespace tabulon
