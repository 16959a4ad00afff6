// What the user answers in a graph's axis scale dialog and caption dialog.
#pragma once

#include <string>

#include "graphs/font_spec.h"

namespace tabulon {

// The axis scale dialog: the three edits as texts and the "automatic" check box.
struct ScaleChoice {
    std::string maximum;
    std::string minimum;
    std::string step;
    bool automatic = false;
    std::string title = {};  // the caption when a window names the axis; empty: "Välj skala"

    bool operator==(const ScaleChoice&) const = default;
};

// The caption dialog: a text to place on a graph and the font it is drawn in.
struct CaptionChoice {
    std::string text;
    FontSpec font;

    bool operator==(const CaptionChoice&) const = default;
};

}  // namespace tabulon
