// For tests of the real dialogs: acting on a modal window once the call that opens it has it
// up, and the column labels the choice windows are tried with.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tabulon::testing {

// Acts on the modal window the next call opens, once it is up.
template <typename Window>
void WhenShown(std::function<void(Window&)> act, int tries = 50) {
    QTimer::singleShot(10, [act, tries] {
        auto* w = qobject_cast<Window*>(QApplication::activeModalWidget());
        if (!w) {
            ASSERT_GT(tries, 0) << "the window never showed";
            WhenShown(act, tries - 1);
            return;
        }
        act(*w);
        // A window the action left open would wait for ever: close it and fail.
        if (w->isVisible()) {
            ADD_FAILURE() << "the window stayed open";
            w->reject();
        }
    });
}

inline const std::vector<std::string> kLabels = {"1: ", "2: Vikt", "3: Längd"};

}  // namespace tabulon::testing
