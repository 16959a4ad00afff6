// Memory about to be filled in bulk.
#pragma once

#include <cstddef>

namespace tabulon {

// A hint that the memory from `begin` on is large, fresh and about to be filled: the system
// may back it with huge pages, which takes most of the page-fault cost out of a big load.
// Only the 2 MB-aligned interior is advised; failure is harmless and ignored.
void AdviseLargeFill(const void* begin, std::size_t size);

}  // namespace tabulon
