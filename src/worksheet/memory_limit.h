// Whether a worksheet of a given size fits in the memory the machine can still give, asked
// before a reader or a command allocates it: a short file can describe a sheet of billions
// of cells, and the answer then must be a message, not a crash.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tabulon {

// The bytes the machine can give without swapping (MemAvailable), or all of its memory
// where that is not known.
std::uint64_t AvailableMemory();
// Test seam: pretend the machine has this much available (nullopt: ask the machine).
void SetAvailableMemoryForTesting(std::optional<std::uint64_t> bytes);

// A sheet of columns x rows cells, each empty cell taking its fixed size, leaves a tenth of
// the available memory for the texts and the program.
bool SheetFitsInMemory(std::uint64_t columns, std::uint64_t rows);
// "Not enough memory for a worksheet of c columns and r rows (about X MB, Y MB available)".
std::string NotEnoughMemoryText(std::uint64_t columns, std::uint64_t rows);

}  // namespace tabulon
