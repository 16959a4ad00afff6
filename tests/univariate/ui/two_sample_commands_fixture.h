// A main window whose two-sample commands show their windows without a modal loop, with
// helpers to fill columns and read what a window shows.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QPlainTextEdit>
#include <sstream>
#include <string>
#include <vector>

#include "graphs/ui/result_window.h"
#include "support/main_window_fixture.h"
#include "shell/ui/two_sample_commands.h"

namespace tabulon::testing {

class TwoSampleCommandTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ui::SetTwoSampleWindowPresenter([](QDialog& d) { d.show(); });
    }
    void TearDown() override {
        for (QDialog* d : window->findChildren<QDialog*>()) d->close();
        QApplication::processEvents();
        ui::SetTwoSampleWindowPresenter({});
        ui::SetRankSumRunSettings({});
        MainWindowTest::TearDown();
    }

    // Fills grid column `column` from the first data row down; "" leaves a cell empty.
    void fill(int column, const std::vector<std::string>& texts, const std::string& caption = "") {
        if (!caption.empty()) grid().setCellText(column, 1, caption);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            grid().setCellText(column, 2 + static_cast<int>(i), texts[i]);
        }
    }

    // The newest window of a kind the commands opened, or null.
    template <typename Window>
    Window* opened() {
        const auto all = window->findChildren<Window*>();
        return all.isEmpty() ? nullptr : all.back();
    }

    static std::vector<std::string> Lines(const std::string& text, char end) {
        std::vector<std::string> lines;
        std::string line;
        std::istringstream in(text);
        while (std::getline(in, line, end)) lines.push_back(line);
        return lines;
    }
    static std::vector<std::string> Shown(ui::TResultWindow* w) {
        return Lines(w->Memo1->toPlainText().toStdString(), '\n');
    }
};

}  // namespace tabulon::testing
