// Filling the scale dialog.
#include "graphs/scale_texts.h"

#include "numeric/number_text.h"
#include "base/language.h"

namespace tabulon {

ScaleChoice ScaleChoiceFor(Extended maximum, Extended minimum, Extended step) {
    const char sep = DecimalSeparator();
    return {FormatGeneral(maximum, 5, 2, sep), FormatGeneral(minimum, 5, 2, sep),
            FormatGeneral(step, 5, 2, sep), false};
}

}  // namespace tabulon
