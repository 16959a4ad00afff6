// A main window on the offscreen platform with scripted dialogs, a fresh start directory
// and the language and separator a test states.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/language.h"
#include "shell/scripted_dialogs.h"
#include "shell/ui/main_window.h"
#include "worksheet/ui/number_grid.h"
#include "worksheet/ui/worksheet_model.h"

namespace tabulon::testing {

// A folder of its own under the system's temporary folder, removed afterwards.
class TempDir {
public:
    TempDir() {
        std::random_device rd;
        m_path = std::filesystem::temp_directory_path() /
                 ("tabulon-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(m_path);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::filesystem::path& path() const { return m_path; }
    bool empty() const { return std::filesystem::is_empty(m_path); }

private:
    std::filesystem::path m_path;
};

class MainWindowTest : public ::testing::Test {
protected:
    explicit MainWindowTest(char separator = ',') : m_text(Language::None, separator) {}

    void SetUp() override { open(); }

    void TearDown() override {
        if (window) {
            // Leave without the save question whatever the test did.
            window->state().DataChanged = false;
            window->close();
        }
        EXPECT_TRUE(dialogs.mismatches().empty())
            << "unexpected question: " << dialogs.mismatches().front();
    }

    void open() {
        window = std::make_unique<ui::MainWindow>(dialogs, start.path(), config.path() / "cfg");
        window->show();
        QApplication::processEvents();
    }

    ui::TNumberGrid& grid() { return *window->NumberGrid1(); }
    const Worksheet& sheet() { return grid().sheet(); }

    // Types into whatever has the keyboard focus inside the grid, as a user would.
    void type(const QString& text) {
        for (QChar ch : text) {
            QWidget* target = QApplication::focusWidget();
            if (!target || !grid().isAncestorOf(target)) target = &grid();
            QTest::keyClicks(target, QString(ch));
        }
    }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        if (!target || !(target == &grid() || grid().isAncestorOf(target))) target = &grid();
        QTest::keyClick(target, k, mods);
        QApplication::processEvents();  // the editor commits on a queued call
    }
    void goTo(int column, int row) {
        grid().setFocus();
        grid().setCursorCell(column, row);
    }
    std::string shown(int column, int row) {
        return grid().sheetModel()->indexOf(column, row).data().toString().toStdString();
    }

    ScopedTextSettings m_text;
    TempDir start;
    TempDir config;
    ScriptedDialogs dialogs;
    std::unique_ptr<ui::MainWindow> window;
};

// For tests that open result windows: every window still open is closed before the main
// window, and a data column is filled in one call.
class ResultWindowTest : public MainWindowTest {
protected:
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (qobject_cast<QDialog*>(w)) w->close();
        }
        QApplication::processEvents();
        MainWindowTest::TearDown();
    }

    void fill(int column, const std::vector<std::string>& texts, const std::string& caption) {
        grid().setCellText(column, 1, caption);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            grid().setCellText(column, 2 + static_cast<int>(i), texts[i]);
        }
    }
};

}  // namespace tabulon::testing
