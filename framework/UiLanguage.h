#pragma once
#include <cstdint>

// The language of every text a tool shows, chosen once at start from the system locale.
enum class UiLanguage { English, Chinese };

// 1033 gives English, 2052 and 1028 Chinese; any other locale keeps `current`.
UiLanguage LanguageFromLocale(std::uint32_t lcid, UiLanguage current = UiLanguage::English);

// One user-visible text in both languages.
struct TextPair {
    const wchar_t* english;
    const wchar_t* chinese;

    const wchar_t* In(UiLanguage language) const {
        return language == UiLanguage::Chinese ? chinese : english;
    }
};
