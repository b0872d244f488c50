#pragma once
// Language choice: the process-wide current language (a Windows language identifier, LCID), the
// table of languages the settings page can offer, the start-up decision and the switch.

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

namespace vellomir {

inline constexpr int kEnglish = 1033;
inline constexpr int kSimplifiedChinese = 2052;

// The one font name the program hands to the UI.
inline constexpr const char* kUiFontName = "Open Sans Semibold";

struct LanguageName {
    int lcid;
    const char* name;  // shown in the language menu
};

// The languages the settings page may offer, in menu order.
inline constexpr std::array<LanguageName, 6> kLanguageTable{{
    {2052, "简体中文"},
    {1033, "English"},
    {1028, "繁体中文"},
    {1041, "日本語にほんご"},
    {1042, "한국어"},
    {1058, "Українська Мова"},
}};

// The menu items: every table language that is listed, in table order.
std::vector<LanguageName> OfferedLanguages(const std::map<int, int>& listed);

// The current language; 1033 until one is chosen.
int CurrentLanguage();
void SetCurrentLanguage(int lcid);

// The start-up decision as a pure function. `stored` is the stored LCID (0 when none), `userDefault`
// the user's UI language. `current` is the language to use; `store`, when set, is what has to be
// written as the stored LCID.
struct LanguageDecision {
    int current = kEnglish;
    std::optional<int> store;
};
LanguageDecision DecideLanguage(int stored, int userDefault, const std::map<int, int>& listed);

// The LCID of a POSIX locale name such as "zh_CN.UTF-8" or "ja_JP"; 0 for "C", "POSIX", an empty or
// unknown name.
int LcidForLocale(std::string_view locale);
// The user's UI language from LANGUAGE, LC_ALL, LC_MESSAGES and LANG (the first that names a known
// language); 1033 when none does.
int UserDefaultUiLanguage();

// Start-up: reads the stored language, decides with the user's UI language and the languages the
// catalogue listed (AppIdentity), stores what the decision says and makes the result current.
// Returns the current language.
int ChooseLanguage();
int ChooseLanguage(int userDefault);

// Called after every SetLanguage with the new language, on the thread that called it; the window
// gives the font name to its controls and reloads every text there. One hook; a new one replaces it.
void SetLanguageChangedHook(std::function<void(int lcid)> hook);

// The user picked a language: makes it current, stores it, then runs the hook.
void SetLanguage(int lcid);

}  // namespace vellomir
