// Replays the fuzz corpus of every reader: the worksheet files are either refused with the
// format message or come back unchanged through the reader's own writer, and the model
// files, settings records, pastes and formulas pass the checks their fuzz targets make.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../../fuzz/expression_checks.h"
#include "../../fuzz/fuzz_checks.h"
#include "../../fuzz/model_checks.h"
#include "../../fuzz/paste_checks.h"
#include "../../fuzz/settings_checks.h"

namespace tabulon {
namespace {

TEST(FuzzCorpus, EveryFileIsRefusedCleanlyOrRoundTrips) {
    using Check = const char* (*)(const std::uint8_t*, std::size_t);
    for (const auto& [name, check] :
         {std::pair<const char*, Check>{"tbn", &fuzz::CheckTbnInput},
          {"txt", &fuzz::CheckTxtInput},
          {"csv", &fuzz::CheckCsvInput},
          {"mdl", &fuzz::CheckModelInput},
          {"par", &fuzz::CheckGridSettingsInput},
          {"paste", &fuzz::CheckPasteInput},
          {"expression", &fuzz::CheckExpressionInput},
          {"arithmetic", &fuzz::CheckArithmeticInput}}) {
        SCOPED_TRACE(name);
        const std::filesystem::path folder =
            std::filesystem::path(TABULON_TEST_DATA_DIR) / "fuzz" / name;
        ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.is_regular_file()) files.push_back(entry.path());
        }
        std::sort(files.begin(), files.end());
        ASSERT_GE(files.size(), 5u);  // the seeds at least
        for (const auto& file : files) {
            std::ifstream in(file, std::ios::binary);
            const std::string bytes(std::istreambuf_iterator<char>(in), {});
            const char* failure =
                check(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            EXPECT_EQ(failure, nullptr) << file << ": " << failure;
        }
    }
}

// The seeds that stand for the refusals: they must stay refused, not merely not crash.
TEST(FuzzCorpus, TheRefusalSeedsAreRefused) {
    const std::filesystem::path data = std::filesystem::path(TABULON_TEST_DATA_DIR) / "fuzz";
    auto text_of = [&](const char* name) {
        std::ifstream in(data / name, std::ios::binary);
        std::string bytes(std::istreambuf_iterator<char>(in), {});
        return bytes.empty() ? bytes : bytes.substr(1);  // byte 0 holds the settings
    };
    for (const char* name : {"tbn/huge_counts", "tbn/negative", "tbn/too_few"}) {
        EXPECT_FALSE(ParseWorksheetFile(text_of(name)).ok) << name;
    }
    for (const char* name : {"csv/unterminated", "csv/after_quote"}) {
        EXPECT_FALSE(ParseCsvFile(text_of(name), {}).ok) << name;
    }
    for (const char* name : {"mdl/count_too_large", "mdl/too_few_lines", "mdl/not_a_number"}) {
        std::ifstream in(data / name, std::ios::binary);
        const std::string bytes(std::istreambuf_iterator<char>(in), {});
        EXPECT_FALSE(ParseModelFile(bytes).model) << name;
    }
}

}  // namespace
}  // namespace tabulon
