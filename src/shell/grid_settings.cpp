// Reading and writing Default.par.
#include "shell/grid_settings.h"

#include <unistd.h>

#include <fstream>
#include <system_error>

#include "worksheet/file_io.h"

namespace tabulon {
namespace {

void Put32(unsigned char* out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<unsigned char>((v >> (8 * i)) & 0xFF);
}

std::uint32_t Get32(const unsigned char* in) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(in[i]) << (8 * i);
    return v;
}

std::optional<GridSettings> ReadRecord(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::array<unsigned char, kGridSettingsSize> bytes{};
    in.read(reinterpret_cast<char*>(bytes.data()), bytes.size());
    if (in.gcount() != static_cast<std::streamsize>(bytes.size())) return std::nullopt;
    return DecodeGridSettings(bytes);
}

// Replaced in one step: a full disk or a crash while saving must not leave a short record,
// which the next start would have to throw away with every setting in it.
bool WriteRecord(const std::filesystem::path& path, const GridSettings& settings) {
    const auto bytes = EncodeGridSettings(settings);
    std::string error;
    return WriteFileAtomically(
        path.string(), std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
        error);
}

bool DirectoryWritable(const std::filesystem::path& dir) {
    return !dir.empty() && ::access(dir.c_str(), W_OK) == 0;
}

}  // namespace

std::array<unsigned char, kGridSettingsSize> EncodeGridSettings(const GridSettings& s) {
    std::array<unsigned char, kGridSettingsSize> bytes{};
    Put32(&bytes[0], s.fixed_color);
    Put32(&bytes[4], s.cell_color);
    Put32(&bytes[8], s.font_slot);
    Put32(&bytes[12], static_cast<std::uint32_t>(s.decimals));
    Put32(&bytes[16], static_cast<std::uint32_t>(s.significant_digits));
    return bytes;
}

GridSettings DecodeGridSettings(const std::array<unsigned char, kGridSettingsSize>& bytes) {
    GridSettings s;
    s.fixed_color = Get32(&bytes[0]);
    s.cell_color = Get32(&bytes[4]);
    s.font_slot = Get32(&bytes[8]);
    s.decimals = static_cast<std::int32_t>(Get32(&bytes[12]));
    s.significant_digits = static_cast<std::int32_t>(Get32(&bytes[16]));
    return s;
}

GridSettingsStore::GridSettingsStore(std::filesystem::path start_directory,
                                     std::filesystem::path user_config_directory)
    : m_start(std::move(start_directory)), m_user(std::move(user_config_directory)) {}

std::filesystem::path GridSettingsStore::primaryPath() const {
    return m_start / kGridSettingsFileName;
}

std::filesystem::path GridSettingsStore::fallbackPath() const {
    return m_user / kGridSettingsFileName;
}

std::optional<GridSettings> GridSettingsStore::load() const {
    // Read from where a save would write; the other place is a second chance (a read-only
    // start directory shipped with its own Default.par, say).
    const bool primary_first = DirectoryWritable(m_start) || m_user.empty();
    const auto first = primary_first ? primaryPath() : fallbackPath();
    const auto second = primary_first ? fallbackPath() : primaryPath();
    if (auto s = ReadRecord(first)) return s;
    if (m_user.empty() && !primary_first) return std::nullopt;
    return ReadRecord(second);
}

bool GridSettingsStore::save(const GridSettings& settings) const {
    if (DirectoryWritable(m_start) && WriteRecord(primaryPath(), settings)) return true;
    if (m_user.empty()) return false;
    std::error_code ec;
    std::filesystem::create_directories(m_user, ec);
    return WriteRecord(fallbackPath(), settings);
}

}  // namespace tabulon
