// The worksheet grid as the user meets it: typing, leaving a cell, undo, display formats,
// Enter, Delete, dragging and moving columns.
#include <QAbstractItemModelTester>
#include <QHeaderView>

#include "support/main_window_fixture.h"

namespace tabulon::testing {
namespace {

using NumberGrid = MainWindowTest;

TEST_F(NumberGrid, TypingWritesTheCellAndSetsDataChanged) {
    goTo(3, 4);
    type("12,5");
    EXPECT_EQ(sheet().cell(3, 4), "12,5");
    EXPECT_TRUE(window->state().DataChanged);
    key(Qt::Key_Down);
    EXPECT_EQ(grid().row(), 5);
    EXPECT_EQ(shown(3, 4), "12,50");
}

TEST_F(NumberGrid, LeavingACellThatIsNotANumberIsRefused) {
    goTo(2, 2);
    type("abc");
    key(Qt::Key_Down);
    EXPECT_EQ(grid().row(), 2);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0], "Not a number");
    EXPECT_EQ(shown(2, 2), "");  // shows blank, keeps its text
    EXPECT_EQ(sheet().cell(2, 2), "abc");

    // A click on another cell is refused the same way.
    const QRect target = grid().visualRect(grid().sheetModel()->indexOf(4, 6));
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, target.center());
    EXPECT_EQ(grid().col(), 2);
    EXPECT_EQ(dialogs.messages().size(), 2u);

    // The handler, when assigned, decides instead of the message.
    grid().OnNumberError = [](ui::TNumberGrid&, int, int, bool& accept) { accept = true; };
    key(Qt::Key_Down);
    EXPECT_EQ(grid().row(), 3);
    EXPECT_EQ(dialogs.messages().size(), 2u);
}

TEST_F(NumberGrid, LeavingTidiesTheNumberToTheLocaleSeparator) {
    goTo(2, 2);
    type("2.5");
    key(Qt::Key_Down);
    EXPECT_EQ(sheet().cell(2, 2), "2,5");
    goTo(2, 3);
    type("1e3");
    key(Qt::Key_Up);
    EXPECT_EQ(sheet().cell(2, 3), "1000");
    goTo(2, 4);
    type("1.50");
    key(Qt::Key_Right);
    EXPECT_EQ(sheet().cell(2, 4), "1,5");
}

TEST_F(NumberGrid, OneUndoTakesBackAWholeRunOfKeystrokes) {
    grid().setCellText(2, 2, "7");
    goTo(2, 2);
    type("12345678901234567890");  // twenty keystrokes
    EXPECT_EQ(sheet().cell(2, 2), "12345678901234567890");
    window->Execute("redigera.angra");
    EXPECT_EQ(sheet().cell(2, 2), "7");
    EXPECT_EQ(grid().undoCount(), 0);
    window->Execute("redigera.angra");  // an empty list does nothing
    EXPECT_EQ(sheet().cell(2, 2), "7");
}

TEST_F(NumberGrid, LeavingAndComingBackStartsANewRecord) {
    goTo(2, 2);
    type("1");
    key(Qt::Key_Down);
    key(Qt::Key_Up);
    type("2");
    EXPECT_EQ(grid().undoCount(), 2);
    window->Execute("redigera.angra");
    EXPECT_EQ(sheet().cell(2, 2), "1");
}

TEST_F(NumberGrid, UndoMemoryBoundsTheRecordsKept) {
    grid().setUndoMemory(3);
    for (int r = 2; r < 7; ++r) {
        goTo(2, r);
        type(QString::number(r));
    }
    goTo(5, 5);
    EXPECT_EQ(grid().undoCount(), 3);
    for (int i = 0; i < 5; ++i) window->Execute("redigera.angra");
    EXPECT_EQ(sheet().cell(2, 2), "2");  // the two oldest edits are out of reach
    EXPECT_EQ(sheet().cell(2, 3), "3");
    EXPECT_EQ(sheet().cell(2, 4), "");
    EXPECT_EQ(sheet().cell(2, 6), "");
    grid().setUndoMemory(1);
    EXPECT_EQ(grid().UndoMemory(), 1);
}

TEST_F(NumberGrid, DisplayFollowsDecimalsOrSignificantDigits) {
    grid().setCellText(2, 2, "7");
    grid().setCellText(2, 3, "0,012345");
    grid().setCellText(2, 4, "5");
    grid().setCellText(2, 5, "1,5");
    grid().setCellText(2, 6, "123456");
    EXPECT_EQ(shown(2, 2), "7,00");
    EXPECT_EQ(sheet().cell(2, 2), "7");
    dialogs.input("3");
    window->Execute("installningar.signifikanta");
    EXPECT_EQ(grid().Decimals(), 0);
    EXPECT_EQ(shown(2, 3), "0,0123");
    EXPECT_EQ(shown(2, 4), "5,00");
    dialogs.input("4");
    window->Execute("installningar.signifikanta");
    EXPECT_EQ(shown(2, 5), "1,500");
    EXPECT_EQ(shown(2, 6), "123500");
    dialogs.input("1");
    window->Execute("installningar.decimaler");
    EXPECT_EQ(shown(2, 6), "123456,0");  // a positive Decimals always wins
}

TEST_F(NumberGrid, EnterMovesDownAndStaysOnTheLastRow) {
    goTo(2, 2);
    key(Qt::Key_Return);
    EXPECT_EQ(grid().row(), 3);
    type("4");
    key(Qt::Key_Return);  // commits the editor and moves on
    EXPECT_EQ(sheet().cell(2, 3), "4");
    EXPECT_EQ(grid().row(), 4);
    goTo(2, 101);
    key(Qt::Key_Return);
    EXPECT_EQ(grid().row(), 101);
}

TEST_F(NumberGrid, DeleteEmptiesTheSelectionAndCountsAsAChange) {
    grid().setCellText(2, 2, "1");
    grid().setCellText(3, 3, "2");
    grid().setCellText(4, 4, "3");
    window->state().DataChanged = false;
    goTo(2, 2);
    grid().setSelection({2, 2, 3, 3});
    key(Qt::Key_Delete);
    EXPECT_EQ(sheet().cell(2, 2), "");
    EXPECT_EQ(sheet().cell(3, 3), "");
    EXPECT_EQ(sheet().cell(4, 4), "3");
    EXPECT_TRUE(window->state().DataChanged);
}

TEST_F(NumberGrid, ADragOfLessThanFourPixelsKeepsTheSelection) {
    const QModelIndex start_cell = grid().sheetModel()->indexOf(3, 3);
    const QPoint p = grid().visualRect(start_cell).center();
    QTest::mousePress(grid().viewport(), Qt::LeftButton, {}, p);
    QMouseEvent small(QEvent::MouseMove, p + QPoint(3, 3), grid().viewport()->mapToGlobal(p),
                      Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid().viewport(), &small);
    EXPECT_EQ(grid().selection(), (ui::GridRect{3, 3, 3, 3}));
    const QPoint far = grid().visualRect(grid().sheetModel()->indexOf(5, 6)).center();
    QMouseEvent big(QEvent::MouseMove, far, grid().viewport()->mapToGlobal(far), Qt::NoButton,
                    Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid().viewport(), &big);
    QTest::mouseRelease(grid().viewport(), Qt::LeftButton, {}, far);
    EXPECT_EQ(grid().selection(), (ui::GridRect{3, 3, 5, 6}));
}

TEST_F(NumberGrid, MovingAColumnCarriesItsCellsAndRenumbers) {
    grid().setCellText(2, 1, "A");
    grid().setCellText(2, 2, "1");
    grid().setCellText(4, 1, "C");
    grid().horizontalHeader()->moveSection(0, 2);  // column 2 dragged to where 4 was
    EXPECT_EQ(sheet().cell(4, 1), "A");
    EXPECT_EQ(sheet().cell(4, 2), "1");
    EXPECT_EQ(sheet().cell(3, 1), "C");
    EXPECT_EQ(sheet().cell(4, 0), "3");  // numbers stay in order
    EXPECT_EQ(sheet().cell(2, 0), "1");
    EXPECT_EQ(grid().horizontalHeader()->visualIndex(0), 0);  // the view order is reset
    grid().verticalHeader()->moveSection(0, 5);
    EXPECT_EQ(sheet().cell(4, 7), "1");
    EXPECT_EQ(sheet().cell(0, 7), "6");
}

TEST_F(NumberGrid, ModelPassesQtsConsistencyChecks) {
    QAbstractItemModelTester tester(grid().sheetModel(),
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    grid().setCellText(3, 3, "1");
    grid().setSheet(Worksheet(5, 7));
    EXPECT_EQ(grid().sheetModel()->rowCount(), 5);
    EXPECT_EQ(grid().sheetModel()->columnCount(), 3);
}

}  // namespace
}  // namespace tabulon::testing
