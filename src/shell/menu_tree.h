// The main menu: every item with its captions in both languages, and which items a top
// menu enables when it is opened.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/language.h"
#include "worksheet/worksheet.h"

namespace tabulon {

struct MenuItemDef {
    std::string_view key;      // dotted path, e.g. "arkiv.avsluta"
    std::string_view caption;  // the caption the window is built with (Swedish)
    std::string_view swedish;  // the Swedish caption after a language choice; "" = caption
    std::string_view english;  // "" = the same as caption
    char shortcut = 0;         // Ctrl + this letter
    bool never_visible = false;
};

// Top menus first come in menu-bar order; children follow their parent.
std::span<const MenuItemDef> MenuTree();

// The key of the parent menu ("" for a top menu).
std::string_view MenuParentKey(std::string_view key);

// The caption SetLanguage puts in for `language` (None keeps the start-up caption).
std::string_view MenuCaption(const MenuItemDef& item, Language language);

struct MenuSwitch {
    std::string_view key;
    bool enabled = false;
};

// The items a top menu switches when it is opened, given the worksheet.
std::vector<MenuSwitch> EnablingOnOpen(std::string_view top_key, const Worksheet& sheet,
                                       bool model_present);

}  // namespace tabulon
