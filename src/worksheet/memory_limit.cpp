#include "worksheet/memory_limit.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <limits>
#include <string>

#include "base/language.h"
#include "worksheet/cell_text.h"

namespace tabulon {
namespace {

// 0: not set.
std::atomic<std::uint64_t> g_pretended{0};

std::optional<std::uint64_t> MemAvailable() {
    std::ifstream in("/proc/meminfo");
    std::string key;
    std::uint64_t kilobytes = 0;
    std::string unit;
    while (in >> key >> kilobytes >> unit) {
        if (key == "MemAvailable:") return kilobytes * 1024;
    }
    return std::nullopt;
}

std::uint64_t Megabytes(std::uint64_t bytes) {
    return (bytes + (1u << 20) - 1) >> 20;
}

// The bytes the cells of such a sheet take before any text is in them; saturates.
std::uint64_t SheetBytes(std::uint64_t columns, std::uint64_t rows) {
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    if (columns != 0 && rows > kMax / columns) return kMax;
    const std::uint64_t cells = columns * rows;
    return cells > kMax / sizeof(CellText) ? kMax : cells * sizeof(CellText);
}

}  // namespace

std::uint64_t AvailableMemory() {
    if (const std::uint64_t pretended = g_pretended.load()) return pretended;
    if (const auto available = MemAvailable()) return *available;
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long page_size = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || page_size <= 0) return std::numeric_limits<std::uint64_t>::max();
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(page_size);
}

void SetAvailableMemoryForTesting(std::optional<std::uint64_t> bytes) {
    g_pretended.store(bytes.value_or(0));
}

bool SheetFitsInMemory(std::uint64_t columns, std::uint64_t rows) {
    return SheetBytes(columns, rows) <= AvailableMemory() / 10 * 9;
}

std::string NotEnoughMemoryText(std::uint64_t columns, std::uint64_t rows) {
    const std::string c = std::to_string(columns);
    const std::string r = std::to_string(rows);
    const std::string need = std::to_string(Megabytes(SheetBytes(columns, rows)));
    const std::string have = std::to_string(Megabytes(AvailableMemory()));
    return ChooseText("Not enough memory for a worksheet of " + c + " columns and " + r +
                          " rows (about " + need + " MB, " + have + " MB available)",
                      "Det finns inte minne nog för ett arbetsblad med " + c + " kolumner och " +
                          r + " rader (cirka " + need + " MB, " + have + " MB lediga)");
}

}  // namespace tabulon
