#include "app/LanguageTexts.h"

#include "app/Folders.h"
#include "app/IniReader.h"
#include "app/Languages.h"

namespace vellomir {

std::filesystem::path LanguageFile(const std::filesystem::path& programFolder, int lcid) {
    return programFolder / "language" / (std::to_string(lcid) + ".lan");
}

std::string ReadLanguageText(const std::filesystem::path& programFolder, int lcid, int id,
                             std::string_view section) {
    return ReadIniString(LanguageFile(programFolder, lcid), section, std::to_string(id));
}

std::string GetText(int id, std::string_view section) {
    return ReadLanguageText(GetProgramFolder(), CurrentLanguage(), id, section);
}

}  // namespace vellomir
