// The arithmetic of the level control shared by the test windows: fixed levels and the
// large and small arrows, each window with its own limits.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "numeric/extended.h"

namespace tabulon {

enum class LevelArrow { LargeUp, LargeDown, SmallUp, SmallDown };

struct FixedLevel {
    std::string caption;  // the button text, exactly as the window shows it
    Extended value;
};

// What a window's level control offers: its buttons, what each arrow does to the level, and
// the level it starts at.
struct LevelRules {
    std::vector<FixedLevel> fixed_levels;
    std::function<Extended(Extended level, LevelArrow arrow)> step;
    Extended initial = 5;
};

// Confidence levels of the x-Data window, 80 to 99.99: the large arrows go to the next whole
// number (level +-1 rounded, halves to even), the small ones by 0.1 rounded to one decimal;
// 100 or more becomes 99.99, 80 or less becomes 80. Buttons 95%, 99%, 99.9%; starts at 95.
Extended StepConfidenceLevel(Extended level, LevelArrow arrow);
LevelRules ConfidenceLevelRules();

// Significance levels of the t-test window, 0.01 to 20: +-1 and +-0.1 unrounded; going up
// above 20 gives 20, and just above zero the large arrow lands on 1 (below 2) and the small
// one on 0.1 (below 0.2); going down below 0.01 gives 0.01. Buttons 10% ... 0.01%; starts at 5.
Extended StepSignificanceLevel(Extended level, LevelArrow arrow);
LevelRules SignificanceLevelRules();

// Significance levels of the test against a constant: after an increase above 20 gives 20
// and the level is rounded to one decimal (below 0.01 it becomes 0.01); after a decrease a
// level at or below 1e-5 becomes 0.01. Buttons 10% ... 0.01%; starts at 5.
Extended StepConstantTestLevel(Extended level, LevelArrow arrow);
LevelRules ConstantTestLevelRules();

// The level as the control's read-only field shows it: two decimals and "%", with the
// current decimal separator.
std::string LevelText(Extended level);

}  // namespace tabulon
