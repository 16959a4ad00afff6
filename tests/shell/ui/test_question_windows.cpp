// The shared question windows and the clipboard component.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "graphs/ui/clipboard_component.h"
#include "shell/ui/question_windows.h"
#include "worksheet/worksheet.h"

namespace tabulon::ui {
namespace {

// Runs `act` on the dialog once its modal loop is running.
template <typename Dialog, typename Act>
int ExecWith(Dialog& dialog, Act act) {
    QTimer::singleShot(0, &dialog, [&] { act(dialog); });
    return dialog.exec();
}

TEST(TQuestYesNo, ButtonsFollowItsOwnLanguageAndTheCloseBoxMeansNo) {
    TQuestYesNo sv("Spara data?", Language::Swedish, Qt::yellow, QFont());
    EXPECT_EQ(sv.windowTitle(), "Fråga");
    EXPECT_EQ(sv.yesButton()->text(), "Ja");
    EXPECT_EQ(sv.noButton()->text(), "Nej");
    EXPECT_EQ(ExecWith(sv, [](QDialog& d) { d.close(); }), QDialog::Rejected);
    EXPECT_EQ(ExecWith(sv, [](TQuestYesNo& d) { d.yesButton()->click(); }), QDialog::Accepted);

    TQuestYesNo en("Save data?", Language::English, Qt::yellow, QFont());
    EXPECT_EQ(en.windowTitle(), "Question");
    EXPECT_EQ(en.yesButton()->text(), "Yes");
}

TEST(TQuestForm, CancelStillReturnsTheTypedText) {
    TQuestForm form("Antal?", "1", Qt::green, QFont());
    const int result = ExecWith(form, [](TQuestForm& d) {
        d.edit()->setText("42");
        d.reject();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(form.answer(), "42");
}

TEST(TFactorQuest, StartsEmptyAndEnterMovesToOkBeforeClosing) {
    TFactorQuest ask("Antal faktorer?");
    EXPECT_EQ(ask.windowTitle(), "Antal faktorer?");
    EXPECT_TRUE(ask.text().isEmpty());
    bool still_open_after_first_enter = false;
    const int result = ExecWith(ask, [&](TFactorQuest& d) {
        QTest::keyClicks(d.edit(), "3");
        QTest::keyClick(d.edit(), Qt::Key_Return);
        still_open_after_first_enter = d.isVisible();
        d.okButton()->click();
    });
    EXPECT_TRUE(still_open_after_first_enter);
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(ask.text(), "3");
}

TEST(TClipboardComponent, TextGrowsPastItsFirstBufferAndAppendsALinkedSheet) {
    TClipboardComponent clip;
    clip.setFormat(ClipboardFormat::cbText);
    const std::string long_text(250, 'x');
    clip.appendText(long_text);
    clip.appendText("\n");
    Worksheet sheet(3, 2);
    sheet.setCell(2, 0, "1");
    sheet.setCell(1, 1, "cap");
    clip.linkGrid(&sheet);
    clip.copy();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), long_text + "\n\t\t1\n\tcap\t\n");
    EXPECT_TRUE(clip.text().empty());  // the buffer starts afresh
}

TEST(TClipboardComponent, APictureGoesOnTheClipboardAsSvgAndPng) {
    TClipboardComponent::CopyPicture([](QPainter& p) { p.drawLine(0, 0, 50, 40); }, {120, 80});
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_TRUE(mime->hasFormat("image/svg+xml"));
    EXPECT_TRUE(mime->data("image/svg+xml").contains("<svg"));
    EXPECT_TRUE(mime->hasFormat("image/png"));
    const QImage image = qvariant_cast<QImage>(mime->imageData());
    EXPECT_EQ(image.size(), QSize(120, 80));

    TClipboardComponent clip;
    clip.setFormat(ClipboardFormat::cbBitmap);
    clip.setPictureWidth(40);
    clip.canvas()->fillRect(0, 0, 40, 300, Qt::red);
    clip.copy();
    const QImage bitmap = qvariant_cast<QImage>(QApplication::clipboard()->mimeData()->imageData());
    EXPECT_EQ(bitmap.size(), QSize(40, 300));
    EXPECT_EQ(bitmap.pixelColor(20, 150), QColor(Qt::red));
}

}  // namespace
}  // namespace tabulon::ui
