// The current language and decimal separator, readable from computation code so that
// result texts come out the same in the windows, the tests and tabulon-cli.
#pragma once

#include <string>
#include <string_view>

namespace tabulon {

// None is the state before the main window is first shown: ChooseText then yields "".
enum class Language { None, Swedish, English };

struct TextSettings {
    Language language = Language::None;
    char decimal_separator = '.';
};

// The one process-wide instance. The main window sets it at start and on Set Language;
// tests and the CLI set it themselves.
TextSettings& CurrentTextSettings();

inline Language CurrentLanguage() { return CurrentTextSettings().language; }
inline char DecimalSeparator() { return CurrentTextSettings().decimal_separator; }

// The Swedish text when the language is Swedish, the English one when English,
// and an empty text before any language has been chosen.
std::string ChooseText(std::string_view english, std::string_view swedish);

// "Swedish" / "English" / "" as the shell names the languages.
std::string_view LanguageName(Language language);

// Sets the language and separator for the lifetime of the object, then restores them;
// lets a test or a CLI run state what it expects without leaking it.
class ScopedTextSettings {
public:
    ScopedTextSettings(Language language, char decimal_separator)
        : m_saved(CurrentTextSettings()) {
        CurrentTextSettings() = TextSettings{language, decimal_separator};
    }
    ~ScopedTextSettings() { CurrentTextSettings() = m_saved; }
    ScopedTextSettings(const ScopedTextSettings&) = delete;
    ScopedTextSettings& operator=(const ScopedTextSettings&) = delete;

private:
    TextSettings m_saved;
};

}  // namespace tabulon
