// The worksheet grid as the user meets it: typing, leaving a cell, undo, display formats,
// Enter, Delete, dragging and moving columns.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <vector>

#include "support/main_window_fixture.h"
#include "worksheet/sheet_undo.h"

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

// A command and the typing around it are taken back by Ångra one step each, newest first.
TEST_F(NumberGrid, AngraTakesBackACommandBetweenCellEdits) {
    goTo(2, 2);
    type("5");
    key(Qt::Key_Down);
    const Worksheet typed = sheet();
    window->state().DataChanged = false;
    grid().editSheet(ColumnsUndo::Before(sheet(), {2}), [](Worksheet& s) {
        s.setCell(2, 2, "9");
        s.resize(s.columnCount() + 3, s.rowCount());
    });
    goTo(3, 3);
    type("7");
    window->action("redigera.angra")->trigger();
    EXPECT_EQ(sheet().cell(3, 3), "");
    window->action("redigera.angra")->trigger();
    EXPECT_EQ(sheet(), typed);
    EXPECT_TRUE(window->state().DataChanged);
    window->action("redigera.angra")->trigger();
    EXPECT_EQ(sheet().cell(2, 2), "");
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

// One keystroke of a typing script: a text typed character by character, or one key.
struct Stroke {
    QString text;
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers mods = Qt::NoModifier;
};
Stroke Keys(const char* text) {
    return {QString::fromUtf8(text)};
}
Stroke Press(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    return {{}, k, mods};
}

struct TypingCase {
    const char* name;
    const char* before;  // the cell's text before the editor opens
    std::vector<Stroke> strokes;
    const char* after;  // worked by hand from where the caret and selection stand
};
void PrintTo(const TypingCase& c, std::ostream* os) {
    *os << c.name;
}

class CellEditing : public MainWindowTest {
protected:
    void run(const std::vector<Stroke>& strokes) {
        for (const Stroke& s : strokes) {
            if (s.key == Qt::Key_unknown) {
                type(s.text);
            } else {
                key(s.key, s.mods);
            }
        }
    }
    QLineEdit* editor(int column, int row) {
        return qobject_cast<QLineEdit*>(
            grid().indexWidget(grid().sheetModel()->indexOf(column, row)));
    }
};

class TypingInACell : public CellEditing, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(TypingInACell, KeepsTheCaretAndSelectionWhereTheUserLeftThem) {
    const TypingCase& c = GetParam();
    grid().setCellText(3, 4, c.before);
    window->state().DataChanged = false;
    goTo(3, 4);
    run(c.strokes);
    QLineEdit* edit = editor(3, 4);
    ASSERT_NE(edit, nullptr) << "the editor closed";
    EXPECT_EQ(edit->text().toStdString(), c.after);
    EXPECT_EQ(sheet().cell(3, 4), c.after);  // every keystroke reaches the sheet
    EXPECT_TRUE(window->state().DataChanged);
    EXPECT_EQ(grid().undoCount(), 1);  // the whole run is one record
    window->Execute("redigera.angra");
    EXPECT_EQ(sheet().cell(3, 4), c.before);
}

INSTANTIATE_TEST_SUITE_P(
    Strokes, TypingInACell,
    ::testing::Values(
        TypingCase{"LeftInsideTheText", "", {Keys("12"), Press(Qt::Key_Left), Keys("34")}, "1342"},
        TypingCase{"HomeThenTyping", "", {Keys("123"), Press(Qt::Key_Home), Keys("04")}, "04123"},
        TypingCase{"TypingOverASelection",
                   "",
                   {Keys("12345"), Press(Qt::Key_Left), Press(Qt::Key_Left, Qt::ShiftModifier),
                    Press(Qt::Key_Left, Qt::ShiftModifier), Keys("98")},
                   "12985"},
        TypingCase{"SignInFrontOfAStoredNumber",
                   "2,5",
                   {Press(Qt::Key_F2), Press(Qt::Key_Home), Keys("-1")},
                   "-12,5"},
        TypingCase{"BackspaceInTheMiddle",
                   "",
                   {Keys("1234"), Press(Qt::Key_Left), Press(Qt::Key_Left),
                    Press(Qt::Key_Backspace), Keys(",")},
                   "1,34"}),
    [](const ::testing::TestParamInfo<TypingCase>& info) { return std::string(info.param.name); });

// Ctrl+Z in the open editor and Redigera > Ångra are one command: the same records, the same
// cells, and the editor left open on its cell shows the text the undo brought back.
class UndoWhileEditing : public CellEditing, public ::testing::WithParamInterface<bool> {};

TEST_P(UndoWhileEditing, UndoesAsAngraDoes) {
    const bool by_key = GetParam();
    int menu_commands = 0;
    QObject::connect(window->action("redigera.angra"), &QAction::triggered,
                     [&] { ++menu_commands; });
    auto undo = [&] {
        if (by_key) {
            const int before = menu_commands;
            key(Qt::Key_Z, Qt::ControlModifier);
            EXPECT_EQ(menu_commands, before + 1) << "Ctrl+Z did not reach Redigera > Ångra";
        } else {
            window->Execute("redigera.angra");
        }
    };
    grid().setCellText(2, 3, "7");
    goTo(2, 2);
    type("1");
    key(Qt::Key_Down);
    type("89");
    key(Qt::Key_Left);
    type("5");
    ASSERT_EQ(sheet().cell(2, 3), "859");
    ASSERT_EQ(grid().undoCount(), 2);

    undo();  // the run in the open cell: back to the text from before it
    EXPECT_EQ(sheet().cell(2, 3), "7");
    EXPECT_EQ(grid().undoCount(), 1);
    ASSERT_NE(editor(2, 3), nullptr);
    EXPECT_EQ(editor(2, 3)->text().toStdString(), "7");
    type("6");  // a new run after an undo
    EXPECT_EQ(sheet().cell(2, 3), "76");
    EXPECT_EQ(grid().undoCount(), 2);

    undo();  // "76" back to "7"
    undo();  // the record of the cell above: the cursor goes there
    EXPECT_EQ(sheet().cell(2, 3), "7");
    EXPECT_EQ(sheet().cell(2, 2), "");
    EXPECT_EQ(grid().undoCount(), 0);
    EXPECT_EQ(grid().row(), 2);
    EXPECT_EQ(editor(2, 3), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), &grid());
    EXPECT_TRUE(dialogs.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Triggers, UndoWhileEditing, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "CtrlZ" : "Menu");
                         });

// Without a window command bound to Ctrl+Z the key still undoes the grid's records, not the
// editor's own history.
TEST(NumberGridAlone, CtrlZInTheEditorUndoesTheGridsRecords) {
    ScopedTextSettings text(Language::None, ',');
    ui::TNumberGrid grid;
    grid.show();
    grid.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
    grid.setCellText(2, 2, "4");
    grid.setFocus();
    grid.setCursorCell(2, 2);
    QTest::keyClick(&grid, Qt::Key_1);
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, &grid);
    QTest::keyClick(editor, Qt::Key_2);
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(grid.sheet().cell(2, 2), "4");
    EXPECT_EQ(grid.undoCount(), 0);
    EXPECT_EQ(qobject_cast<QLineEdit*>(editor)->text().toStdString(), "4");
}

}  // namespace
}  // namespace tabulon::testing
