// Default.par: the worksheet's display settings, one 20-byte little-endian record.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace tabulon {

// Colours are 0x00BBGGRR values.
inline constexpr std::uint32_t kColorYellow = 0x0000FFFF;
inline constexpr std::uint32_t kColorWhite = 0x00FFFFFF;

struct GridSettings {
    std::uint32_t fixed_color = kColorYellow;
    std::uint32_t cell_color = kColorWhite;
    std::uint32_t font_slot = 0;  // kept for the layout; the grid font is not stored here
    std::int32_t decimals = 2;
    std::int32_t significant_digits = 0;

    bool operator==(const GridSettings&) const = default;
};

inline constexpr std::size_t kGridSettingsSize = 20;
inline constexpr const char* kGridSettingsFileName = "Default.par";

std::array<unsigned char, kGridSettingsSize> EncodeGridSettings(const GridSettings& settings);
GridSettings DecodeGridSettings(const std::array<unsigned char, kGridSettingsSize>& bytes);

// Where Default.par lives: in the start directory, unless that directory cannot be written,
// in which case the per-user configuration directory takes its place.
class GridSettingsStore {
public:
    GridSettingsStore(std::filesystem::path start_directory,
                      std::filesystem::path user_config_directory);

    // The first record of the file in use; nullopt when there is none or it is short.
    std::optional<GridSettings> load() const;
    // Writes the record; false when neither place can be written.
    bool save(const GridSettings& settings) const;

    std::filesystem::path primaryPath() const;
    std::filesystem::path fallbackPath() const;

private:
    std::filesystem::path m_start;
    std::filesystem::path m_user;
};

}  // namespace tabulon
