// A fuzz target for one of the checks of model_checks.h, settings_checks.h, paste_checks.h
// and expression_checks.h; the build names it in TABULON_FUZZ_CHECK.
#include <cstdio>
#include <cstdlib>

#include "expression_checks.h"
#include "model_checks.h"
#include "paste_checks.h"
#include "settings_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (const char* failure = tabulon::fuzz::TABULON_FUZZ_CHECK(data, size)) {
        std::fprintf(stderr, "%s\n", failure);
        std::abort();
    }
    return 0;
}
