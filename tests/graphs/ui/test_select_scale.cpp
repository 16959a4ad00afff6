// The scale dialog: filled from the caller's texts, read back as typed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "graphs/ui/select_scale.h"
#include "shell/ui/qt_dialogs.h"

namespace tabulon::ui {
namespace {

TEST(TSelectScale, ShowsTheCurrentScaleAndGivesBackTheEdits) {
    TSelectScale dialog({"12,5", "0", "2,5", false});
    EXPECT_EQ(dialog.windowTitle(), "Välj skala");
    EXPECT_EQ(dialog.Edit1->text(), "12,5");
    EXPECT_EQ(dialog.Edit2->text(), "0");
    EXPECT_EQ(dialog.Edit3->text(), "2,5");
    EXPECT_FALSE(dialog.CheckBox1->isChecked());
    EXPECT_EQ(dialog.CheckBox1->text(), "Automatisk skalning");
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
    EXPECT_TRUE(labels.contains("Skalmax"));
    EXPECT_TRUE(labels.contains("Skalmin"));
    EXPECT_TRUE(labels.contains("Skalindelning"));

    dialog.Edit1->setText("20");
    dialog.CheckBox1->setChecked(true);
    EXPECT_EQ(dialog.choice(), (ScaleChoice{"20", "0", "2,5", true}));
}

TEST(QtDialogsSelectScale, OkGivesTheEditsAndCancelNothing) {
    QtDialogs dialogs;
    const auto answer_with = [](bool accept) {
        QTimer::singleShot(0, [accept] {
            auto* dialog = qobject_cast<TSelectScale*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            dialog->Edit3->setText("5");
            accept ? dialog->accept() : dialog->reject();
        });
    };
    answer_with(true);
    EXPECT_EQ(dialogs.SelectScale({"10", "0", "1", false}), (ScaleChoice{"10", "0", "5", false}));
    answer_with(false);
    EXPECT_EQ(dialogs.SelectScale({"10", "0", "1", false}), std::nullopt);
}

}  // namespace
}  // namespace tabulon::ui
