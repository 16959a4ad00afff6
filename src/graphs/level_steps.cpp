// Level arrows and fixed levels of the test windows.
#include "graphs/level_steps.h"

#include <cmath>

#include "graphs/axis_transform.h"
#include "numeric/number_text.h"
#include "base/language.h"

namespace tabulon {
namespace {

bool IsUp(LevelArrow arrow) {
    return arrow == LevelArrow::LargeUp || arrow == LevelArrow::SmallUp;
}
bool IsLarge(LevelArrow arrow) {
    return arrow == LevelArrow::LargeUp || arrow == LevelArrow::LargeDown;
}
Extended Delta(LevelArrow arrow) {
    const Extended size = IsLarge(arrow) ? Extended(1) : Extended(0.1L);
    return IsUp(arrow) ? size : -size;
}
Extended RoundToTenth(Extended value) {
    return RoundHalfEven(value * 10) / 10;
}

}  // namespace

Extended StepConfidenceLevel(Extended level, LevelArrow arrow) {
    if (!std::isfinite(level)) return 95;
    Extended next = level + Delta(arrow);
    next = IsLarge(arrow) ? RoundHalfEven(next) : RoundToTenth(next);
    if (IsUp(arrow) && next >= 100) return 99.99L;
    if (!IsUp(arrow) && next <= 80) return 80;
    // A level typed elsewhere may lie outside the range; the arrows bring it back inside.
    if (next >= 100) return 99.99L;
    if (next <= 80) return 80;
    return next;
}

LevelRules ConfidenceLevelRules() {
    return {{{"95%", 95}, {"99%", 99}, {"99.9%", 99.9L}}, StepConfidenceLevel, 95};
}

Extended StepSignificanceLevel(Extended level, LevelArrow arrow) {
    if (!std::isfinite(level)) return 5;
    Extended next = level + Delta(arrow);
    if (IsUp(arrow)) {
        if (next > 20) next = 20;
        if (arrow == LevelArrow::LargeUp && next < 2) next = 1;
        if (arrow == LevelArrow::SmallUp && next < 0.2L) next = 0.1L;
    } else {
        if (next < 0.01L) next = 0.01L;
        if (next > 20) next = 20;
    }
    return next;
}

LevelRules SignificanceLevelRules() {
    return {{{"10%", 10}, {"5%", 5}, {"1%", 1}, {"0.1%", 0.1L}, {"0.01%", 0.01L}},
            StepSignificanceLevel,
            5};
}

Extended StepConstantTestLevel(Extended level, LevelArrow arrow) {
    if (!std::isfinite(level)) return 5;
    Extended next = level + Delta(arrow);
    if (IsUp(arrow)) {
        if (next > 20) next = 20;
        next = RoundToTenth(next);
        if (next < 0.01L) next = 0.01L;
    } else {
        if (next <= 1e-5L) next = 0.01L;
        if (next > 20) next = 20;
    }
    return next;
}

LevelRules ConstantTestLevelRules() {
    // "0,1%" with a comma is how that window's button reads.
    return {{{"10%", 10}, {"5%", 5}, {"1%", 1}, {"0,1%", 0.1L}, {"0.01%", 0.01L}},
            StepConstantTestLevel,
            5};
}

std::string LevelText(Extended level) {
    return FormatFixed(level, 2, DecimalSeparator()) + "%";
}

}  // namespace tabulon
