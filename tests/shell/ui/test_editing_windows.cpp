// The sort window and the paste special window as the real dialogs show them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "base/language.h"
#include "shell/ui/paste_special_dialog.h"
#include "shell/ui/qt_dialogs.h"
#include "shell/ui/sort_dialog.h"
#include "support/modal_window.h"

namespace tabulon::ui {
namespace {

using tabulon::testing::kLabels;
using tabulon::testing::WhenShown;

TEST(SortWindow, ADoubleClickChoosesAndTheOrderIsKeptForTheNextSort) {
    ScopedTextSettings en(Language::English, '.');
    QtDialogs dialogs;
    WhenShown<SortDialog>([](SortDialog& w) {
        EXPECT_TRUE(w.ascendingButton()->isChecked());  // Stigande at first
        EXPECT_EQ(w.ascendingButton()->text(), "Ascending");
        w.descendingButton()->setChecked(true);
        QListWidget* list = w.ListBox1();
        const QRect item = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, item.center());
    });
    auto choice = dialogs.ChooseSort(kLabels);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->column_label, "2: Vikt");
    EXPECT_FALSE(choice->ascending);

    WhenShown<SortDialog>([](SortDialog& w) {
        EXPECT_TRUE(w.descendingButton()->isChecked());
        w.ListBox1()->item(2)->setSelected(true);
        w.reject();  // Cancel after selecting is no choice
    });
    EXPECT_FALSE(dialogs.ChooseSort(kLabels).has_value());
}

TEST(PasteSpecialWindow, SpaceIsPreselectedForATextWithoutTabsAndClosingStillPastes) {
    ScopedTextSettings sv(Language::Swedish, ',');
    QtDialogs dialogs;
    WhenShown<PasteSpecialDialog>([](PasteSpecialDialog& w) {
        EXPECT_EQ(w.windowTitle(), "Klistra in special");
        EXPECT_TRUE(w.separatorButton(PasteSeparator::Space)->isChecked());
        EXPECT_TRUE(w.autoButton()->isChecked());
        EXPECT_FALSE(w.columnCount()->isVisibleTo(&w));  // the number only with Specificera
        w.specifyButton()->setChecked(true);
        EXPECT_TRUE(w.columnCount()->isVisibleTo(&w));
        EXPECT_EQ(w.columnCount()->value(), 2);
        w.columnCount()->setValue(3);
        w.rowHeadings()->setChecked(true);
        w.reject();  // the close box: the settings count all the same
    });
    PasteSpecialOptions expected;
    expected.specify_columns = true;
    expected.columns = 3;
    expected.row_headings = true;
    expected.separator = PasteSeparator::Space;
    EXPECT_EQ(dialogs.PasteSpecial(false), expected);

    // Next time the window shows them again; a text with tabs keeps the separator chosen.
    WhenShown<PasteSpecialDialog>([](PasteSpecialDialog& w) {
        EXPECT_EQ(w.options().columns, 3);
        w.separatorButton(PasteSeparator::Comma)->setChecked(true);
        w.accept();
    });
    EXPECT_EQ(dialogs.PasteSpecial(true).separator, PasteSeparator::Comma);
    WhenShown<PasteSpecialDialog>([](PasteSpecialDialog& w) { w.accept(); });
    EXPECT_EQ(dialogs.PasteSpecial(true).separator, PasteSeparator::Comma);
}

}  // namespace
}  // namespace tabulon::ui
