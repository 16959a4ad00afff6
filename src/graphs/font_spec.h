// A font as the windows, the graphs and the settings file describe it, without Qt.
#pragma once

#include <cstdint>
#include <string>

namespace tabulon {

struct FontSpec {
    std::string family;
    int point_size = 12;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    std::uint32_t color = 0;  // 0x00BBGGRR

    bool operator==(const FontSpec&) const = default;
};

}  // namespace tabulon
