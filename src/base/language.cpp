// The current language and the bilingual text chooser.
#include "base/language.h"

namespace tabulon {

TextSettings& CurrentTextSettings() {
    static TextSettings settings;
    return settings;
}

std::string ChooseText(std::string_view english, std::string_view swedish) {
    switch (CurrentLanguage()) {
    case Language::Swedish: return std::string(swedish);
    case Language::English: return std::string(english);
    case Language::None: break;
    }
    return {};
}

std::string_view LanguageName(Language language) {
    switch (language) {
    case Language::Swedish: return "Swedish";
    case Language::English: return "English";
    case Language::None: break;
    }
    return {};
}

}  // namespace tabulon
