// Fuzz target: the text import, with the round trip through its writer (fuzz_checks.h).
#include <cstdio>
#include <cstdlib>

#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (const char* failure = tabulon::fuzz::CheckTxtInput(data, size)) {
        std::fprintf(stderr, "%s\n", failure);
        std::abort();
    }
    return 0;
}
