// The 1-Dim commands of the two-sample and paired tests, and the hooks through which tests
// show their windows without a modal loop and fix the rank-sum simulation's seed.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

class QDialog;
class QProgressDialog;

namespace tabulon::ui {

class MainWindow;

// How the commands show a window they built: modally, as every result window is shown.
// Tests put a plain show() in its place; an empty function restores the modal one.
void SetTwoSampleWindowPresenter(std::function<void(QDialog&)> presenter);
// Shows `window` through the presenter (the window deletes itself when closed).
void PresentTwoSampleWindow(QDialog& window);

// The rank-sum simulation as the command runs it; tests fix the seed and the number of
// draws, and may act on the progress window as soon as it shows.
struct RankSumRunSettings {
    std::optional<std::uint64_t> seed;
    long long draws = 10'000'000;
    std::function<void(QProgressDialog&)> on_started;
};
void SetRankSumRunSettings(RankSumRunSettings settings);
const RankSumRunSettings& CurrentRankSumRunSettings();

}  // namespace tabulon::ui
