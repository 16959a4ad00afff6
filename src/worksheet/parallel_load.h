// Loading big worksheet files on several cores: how many threads a load gets, running them,
// the lines of a text found in parallel, and word-at-a-time field scanning.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string_view>
#include <vector>

#include "worksheet/file_io.h"

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

// The readers with the thread count chosen by the caller instead of by the file size, so
// that a threaded load can be held against a one-thread load of the same text.
LoadResult ParseTextFileInThreads(std::string_view text, const TextImportOptions& options,
                                  unsigned threads);

namespace field_scan {

// Eight bytes at a time: fields are short, so a library call per field costs more than the
// search, and a byte loop tests three characters per byte.
inline constexpr bool kWordScan = std::endian::native == std::endian::little;

inline std::uint64_t Broadcast(char c) {
    return 0x0101010101010101ULL * static_cast<unsigned char>(c);
}

// The high bit of every byte of `x` that is zero, and no other bit (no borrows between
// bytes, so counting the bits counts the bytes).
inline std::uint64_t ZeroBytes(std::uint64_t x) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// The high bits of the first `n` bytes (n from 0 to 8).
inline std::uint64_t FirstBytes(std::size_t n) {
    return n >= 8 ? 0x8080808080808080ULL
                  : ((std::uint64_t{1} << (8 * n)) - 1) & 0x8080808080808080ULL;
}

inline std::size_t ByteIndex(std::uint64_t high_bits) {
    return static_cast<std::size_t>(std::countr_zero(high_bits)) / 8;
}

inline std::uint64_t Load(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    return word;
}

// One field of a tab-separated line: where it ends (at a tab or at `end`), its first
// `foreign` byte (nullptr when none) and whether it holds a `separator`. Bytes up to
// `limit` (at or past `end`) may be read.
struct Field {
    const char* end;
    const char* first_foreign;
    bool has_separator;
};

inline Field ScanField(const char* p, const char* end, const char* limit, char separator,
                       char foreign) {
    Field field{end, nullptr, false};
    if constexpr (kWordScan) {
        const std::uint64_t tab = Broadcast('\t');
        const std::uint64_t sep = Broadcast(separator);
        const std::uint64_t fgn = Broadcast(foreign);
        while (p < end && limit - p >= 8) {
            const std::size_t valid = static_cast<std::size_t>(end - p) < 8
                                          ? static_cast<std::size_t>(end - p)
                                          : std::size_t{8};
            const std::uint64_t word = Load(p);
            const std::uint64_t tabs = ZeroBytes(word ^ tab) & FirstBytes(valid);
            const std::size_t used = tabs ? ByteIndex(tabs) : valid;
            const std::uint64_t in_field = FirstBytes(used);
            if (!field.first_foreign) {
                const std::uint64_t f = ZeroBytes(word ^ fgn) & in_field;
                if (f) field.first_foreign = p + ByteIndex(f);
            }
            field.has_separator |= (ZeroBytes(word ^ sep) & in_field) != 0;
            if (used < 8) {
                field.end = p + used;
                return field;
            }
            p += 8;
        }
    }
    for (; p < end && *p != '\t'; ++p) {
        if (*p == foreign && !field.first_foreign) field.first_foreign = p;
        field.has_separator |= *p == separator;
    }
    field.end = p;
    return field;
}

// The start of field `count` (from 0) of the line [p, end), or nullptr when the line has
// fewer fields. `limit` as for ScanField.
inline const char* SkipFields(const char* p, const char* end, const char* limit,
                              std::size_t count) {
    if (count == 0) return p;
    if constexpr (kWordScan) {
        const std::uint64_t tab = Broadcast('\t');
        while (p < end && limit - p >= 8) {
            const std::size_t valid = static_cast<std::size_t>(end - p) < 8
                                          ? static_cast<std::size_t>(end - p)
                                          : std::size_t{8};
            std::uint64_t tabs = ZeroBytes(Load(p) ^ tab) & FirstBytes(valid);
            const auto found = static_cast<std::size_t>(std::popcount(tabs));
            if (found >= count) {
                for (std::size_t i = 1; i < count; ++i) tabs &= tabs - 1;
                return p + ByteIndex(tabs) + 1;
            }
            count -= found;
            p += valid;
        }
    }
    for (; p < end; ++p) {
        if (*p == '\t' && --count == 0) return p + 1;
    }
    return nullptr;
}

}  // namespace field_scan
}  // namespace tabulon
