// The menu tree's captions and the enabling rules of its top menus.
#include "shell/menu_tree.h"

#include <gtest/gtest.h>
#include <set>

#include "base/language.h"

namespace tabulon {
namespace {

const MenuItemDef& Item(std::string_view key) {
    for (const MenuItemDef& item : MenuTree()) {
        if (item.key == key) return item;
    }
    throw std::runtime_error("no item " + std::string(key));
}

bool Enabled(std::string_view top, std::string_view key, const Worksheet& sheet, bool model = false) {
    for (const MenuSwitch& s : EnablingOnOpen(top, sheet, model)) {
        if (s.key == key) return s.enabled;
    }
    throw std::runtime_error("not switched: " + std::string(key));
}

TEST(MenuTree, KeysAreUniqueAndParentsComeFirst) {
    std::set<std::string_view> seen;
    for (const MenuItemDef& item : MenuTree()) {
        EXPECT_TRUE(seen.insert(item.key).second) << item.key;
        const auto parent = MenuParentKey(item.key);
        if (!parent.empty()) {
            EXPECT_TRUE(seen.count(parent)) << item.key;
        }
    }
}

TEST(MenuTree, CaptionsByLanguage) {
    EXPECT_EQ(MenuCaption(Item("redigera.decimaler"), Language::None), "Decimaler");
    EXPECT_EQ(MenuCaption(Item("redigera.decimaler"), Language::Swedish), "Antal decimaler");
    EXPECT_EQ(MenuCaption(Item("redigera.decimaler"), Language::English), "Number of decimals");
    EXPECT_EQ(MenuCaption(Item("tredim.xyz_grafik"), Language::Swedish), "xyz-frafik");
    EXPECT_EQ(MenuCaption(Item("endim"), Language::English), "1-Dim");
    EXPECT_EQ(MenuCaption(Item("installningar.decimaler"), Language::English), "No of decimals");
    EXPECT_EQ(Item("arkiv.oppna").shortcut, 'O');
}

TEST(MenuEnabling, EmptyCaptionsOnlyAndDataSheets) {
    Worksheet sheet = Worksheet::StartSheet();
    sheet.setCell(3, 1, "Vikt");
    EXPECT_FALSE(Enabled("arkiv", "arkiv.spara_som", sheet));
    EXPECT_FALSE(Enabled("endim", "berakna.bilda_produkter", sheet));
    sheet.setCell(3, 2, "1");
    EXPECT_TRUE(Enabled("arkiv", "arkiv.skriv_ut", sheet));
    EXPECT_TRUE(Enabled("berakna", "berakna.funktioner", sheet));
    EXPECT_TRUE(Enabled("endim", "endim.parade.ttest", sheet));
    EXPECT_TRUE(Enabled("tvadim", "tvadim.samma_x", sheet));
    // Arithmetic items are switched by 1-Dim only.
    for (const MenuSwitch& s : EnablingOnOpen("berakna", sheet, false)) {
        EXPECT_NE(s.key, "berakna.kombinerad_aritmetik");
    }
    EXPECT_FALSE(Enabled("tredim", "tredim.xyz_grafik", sheet));
    sheet.setCell(10, 40, "1");
    sheet.setCell(21, 101, "1");
    EXPECT_TRUE(Enabled("tredim", "tredim.xyz_grafik", sheet));
    EXPECT_FALSE(Enabled("ndim", "ndim.visa_modell", sheet));
    EXPECT_TRUE(Enabled("ndim", "ndim.anvand_modell", sheet, true));
}

TEST(ChooseText, FollowsTheLanguageAndIsEmptyBeforeOneIsChosen) {
    {
        ScopedTextSettings none(Language::None, '.');
        EXPECT_EQ(ChooseText("Yes", "Ja"), "");
    }
    ScopedTextSettings sv(Language::Swedish, ',');
    EXPECT_EQ(ChooseText("Yes", "Ja"), "Ja");
    CurrentTextSettings().language = Language::English;
    EXPECT_EQ(ChooseText("Yes", "Ja"), "Yes");
}

}  // namespace
}  // namespace tabulon
