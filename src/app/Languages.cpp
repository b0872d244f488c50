#include "app/Languages.h"

#include <stdlib.h>

#include <atomic>
#include <mutex>
#include <string>

#include "app/AppIdentity.h"
#include "app/AppSettings.h"
#include "common/Text.h"

namespace vellomir {

namespace {

std::atomic<int> g_currentLanguage{kEnglish};

std::mutex& HookMutex() {
    static std::mutex mutex;
    return mutex;
}

std::function<void(int)>& Hook() {
    static std::function<void(int)> hook;
    return hook;
}

bool IsListed(const std::map<int, int>& listed, int lcid) {
    auto it = listed.find(lcid);
    return it != listed.end() && it->second == 1;
}

struct LocaleLcid {
    const char* prefix;  // language, or language_TERRITORY
    int lcid;
};

// Territory-specific rows come before the language alone.
constexpr LocaleLcid kLocaleTable[] = {
    {"zh_TW", 1028}, {"zh_HK", 3076}, {"zh_MO", 5124}, {"zh_SG", 4100}, {"zh", 2052}, {"en_GB", 2057},
    {"en_AU", 3081}, {"en_CA", 4105}, {"en", 1033},    {"ja", 1041},    {"ko", 1042}, {"uk", 1058},
    {"ru", 1049},    {"de", 1031},    {"fr", 1036},    {"es", 3082},    {"it", 1040}, {"pt_BR", 1046},
    {"pt", 2070},    {"pl", 1045},    {"nl", 1043},    {"tr", 1055},    {"cs", 1029}, {"sv", 1053},
    {"vi", 1066},    {"th", 1054},
};

}  // namespace

std::vector<LanguageName> OfferedLanguages(const std::map<int, int>& listed) {
    std::vector<LanguageName> offered;
    for (const LanguageName& language : kLanguageTable) {
        if (IsListed(listed, language.lcid)) offered.push_back(language);
    }
    return offered;
}

int CurrentLanguage() {
    return g_currentLanguage.load(std::memory_order_relaxed);
}

void SetCurrentLanguage(int lcid) {
    g_currentLanguage.store(lcid, std::memory_order_relaxed);
}

LanguageDecision DecideLanguage(int stored, int userDefault, const std::map<int, int>& listed) {
    LanguageDecision decision;
    int chosen = stored;
    if (chosen == 0) {
        chosen = userDefault;
        decision.store = IsListed(listed, userDefault) ? userDefault : kEnglish;
    }
    if (IsListed(listed, chosen)) {
        decision.current = chosen;
    } else {
        decision.current = kEnglish;
        decision.store = kEnglish;
    }
    return decision;
}

int LcidForLocale(std::string_view locale) {
    // Drop the codeset and modifier: "zh_CN.UTF-8@pinyin" -> "zh_CN".
    locale = locale.substr(0, locale.find_first_of(".@"));
    for (const LocaleLcid& row : kLocaleTable) {
        std::string_view prefix = row.prefix;
        if (!locale.starts_with(prefix)) continue;
        if (locale.size() == prefix.size() || locale[prefix.size()] == '_') return row.lcid;
    }
    return 0;
}

int UserDefaultUiLanguage() {
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = ::getenv(variable);
        if (value == nullptr || value[0] == '\0') continue;
        std::string_view text = value;
        // LANGUAGE holds a priority list "a:b:c"; its first entry counts.
        text = text.substr(0, text.find(':'));
        if (int lcid = LcidForLocale(text); lcid != 0) return lcid;
    }
    return kEnglish;
}

int ChooseLanguage() {
    return ChooseLanguage(UserDefaultUiLanguage());
}

int ChooseLanguage(int userDefault) {
    LanguageDecision decision =
        DecideLanguage(ReadLanguage(), userDefault, AppIdentity::Instance().ListedLanguages());
    if (decision.store) WriteLanguage(*decision.store);
    SetCurrentLanguage(decision.current);
    return decision.current;
}

void SetLanguageChangedHook(std::function<void(int lcid)> hook) {
    std::lock_guard lock(HookMutex());
    Hook() = std::move(hook);
}

void SetLanguage(int lcid) {
    SetCurrentLanguage(lcid);
    WriteLanguage(lcid);
    std::function<void(int)> hook;
    {
        std::lock_guard lock(HookMutex());
        hook = Hook();
    }
    if (hook) hook(lcid);
}

}  // namespace vellomir
