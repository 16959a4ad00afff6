// Default.par: the 20-byte record and where it is kept.
#include "shell/grid_settings.h"

#include <fstream>
#include <gtest/gtest.h>
#include <random>

namespace tabulon {
namespace {

std::filesystem::path FreshDir() {
    std::random_device rd;
    auto dir = std::filesystem::temp_directory_path() / ("tabulon-par-" + std::to_string(rd()));
    std::filesystem::create_directories(dir);
    return dir;
}

TEST(GridSettings, RecordIsLittleEndianWithTheFontSlotZero) {
    GridSettings s{0x00112233, 0x00FFFFFF, 0, -1, 4};
    const auto bytes = EncodeGridSettings(s);
    const unsigned char expected[20] = {0x33, 0x22, 0x11, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0,
                                        0,    0,    0xFF, 0xFF, 0xFF, 0xFF, 4, 0, 0, 0};
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), expected));
    EXPECT_EQ(DecodeGridSettings(bytes), s);
}

TEST(GridSettingsStore, RoundTripAndShortFilesAreIgnored) {
    const auto dir = FreshDir();
    GridSettingsStore store(dir, dir / "user");
    EXPECT_FALSE(store.load());
    GridSettings s;
    s.decimals = 5;
    ASSERT_TRUE(store.save(s));
    EXPECT_EQ(std::filesystem::file_size(dir / "Default.par"), 20u);
    EXPECT_EQ(store.load(), s);
    std::ofstream(dir / "Default.par", std::ios::binary | std::ios::trunc) << "short";
    EXPECT_FALSE(store.load());
    std::filesystem::remove_all(dir);
}

TEST(GridSettingsStore, AnUnwritableStartFolderFallsBackToTheUserFolder) {
    const auto dir = FreshDir();
    GridSettingsStore store(dir / "missing", dir / "user");
    GridSettings s;
    s.significant_digits = 3;
    ASSERT_TRUE(store.save(s));
    EXPECT_TRUE(std::filesystem::exists(dir / "user" / "Default.par"));
    EXPECT_EQ(store.load(), s);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tabulon
