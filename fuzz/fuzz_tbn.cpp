// Fuzz target: the .tbn reader, with the round trip through its writer (fuzz_checks.h).
#include <cstdio>
#include <cstdlib>

#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (const char* failure = tabulon::fuzz::CheckTbnInput(data, size)) {
        std::fprintf(stderr, "%s\n", failure);
        std::abort();
    }
    return 0;
}
