// The column choice windows as the real dialogs show them.
#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "base/language.h"
#include "shell/ui/qt_dialogs.h"
#include "shell/ui/column_choice_dialogs.h"
#include "support/modal_window.h"

namespace tabulon::ui {
namespace {

using tabulon::testing::kLabels;
using tabulon::testing::WhenShown;

TEST(ColumnChoiceWindow, ADoubleClickChoosesButCancelAfterSelectingDoesNot) {
    ScopedTextSettings sv(Language::Swedish, ',');
    QtDialogs dialogs;
    WhenShown<ColumnChoiceDialog>([](ColumnChoiceDialog& w) {
        QListWidget* list = w.ListBox1();
        const QRect item = list->visualItemRect(list->item(1));
        // A double click is a second click on an item already pressed once.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, item.center());
    });
    auto chosen = dialogs.ChooseFromList("Välj kolumn", kLabels, false);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, std::vector<std::string>{"2: Vikt"});

    WhenShown<ColumnChoiceDialog>([](ColumnChoiceDialog& w) {
        w.ListBox1()->item(2)->setSelected(true);
        w.reject();
    });
    EXPECT_FALSE(dialogs.ChooseFromList("Välj kolumn", kLabels, false).has_value());

    WhenShown<ColumnChoiceDialog>([](ColumnChoiceDialog& w) {
        EXPECT_EQ(w.windowTitle(), "Välj kolumn(er)");
        w.ListBox1()->item(0)->setSelected(true);
        w.ListBox1()->item(2)->setSelected(true);
        w.accept();
    });
    chosen = dialogs.ChooseFromList("Välj kolumn(er)", kLabels, true);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, (std::vector<std::string>{"1: ", "3: Längd"}));
}

TEST(DualListWindow, TakesOneLabelFromEachListInTheCurrentLanguage) {
    ScopedTextSettings en(Language::English, '.');
    QtDialogs dialogs;
    WhenShown<TDualListDlg>([](TDualListDlg& w) {
        EXPECT_EQ(w.windowTitle(), "Choose columns");
        w.leftList()->item(2)->setSelected(true);
        w.rightList()->item(0)->setSelected(true);
        w.accept();
    });
    auto pair = dialogs.ChooseTwoFromLists(kLabels);
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->first, "3: Längd");
    EXPECT_EQ(pair->second, "1: ");
}

TEST(TextImportWindow, KeepsItsBoxesBetweenUses) {
    ScopedTextSettings sv(Language::Swedish, ',');
    QtDialogs dialogs;
    WhenShown<TextImportDialog>([](TextImportDialog& w) {
        EXPECT_EQ(w.columnCaptions()->text(), "Kolumnrubriker");
        EXPECT_FALSE(w.columnCaptions()->isChecked());
        w.columnCaptions()->setChecked(true);
        w.accept();
    });
    auto first = dialogs.AskTextImport();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->column_captions);
    EXPECT_FALSE(first->row_captions);
    WhenShown<TextImportDialog>([](TextImportDialog& w) {
        EXPECT_TRUE(w.columnCaptions()->isChecked());
        w.reject();
    });
    EXPECT_FALSE(dialogs.AskTextImport().has_value());
}

}  // namespace
}  // namespace tabulon::ui
