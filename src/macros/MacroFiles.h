#pragma once
// Macro files: XML with the root `macro`, in two layouts. A single-macro file holds `macroinfo` (the
// macro's settings) followed by `macroitems` (its events); a multi-macro file holds one `macro_item`
// per macro, each with a `record_item` holding its events. Events are `item` elements.
//
// Exports write the whole file at once (a failed save leaves any earlier file as it was). Imports
// always create new macros and never change existing ones. A file is read and checked completely
// before the database is touched, and its macros go in all together or not at all, so a file that is
// refused or a database error leaves the database exactly as it was. The result says which.

#include <filesystem>
#include <string>
#include <vector>

#include "storage/MacroEvent.h"
#include "storage/MacroInfo.h"

namespace vellomir {

enum class MacroFileStatus {
    Ok,
    Unreadable,      // missing, unreadable, truncated or not well-formed XML
    WrongRoot,       // the root element is not `macro`
    WrongLayout,     // no macro in the layout this operation reads (e.g. a multi-macro file given
                     // to the single-macro import)
    OutOfOrder,      // `macroitems` stands before `macroinfo`, so the events would be lost
    InvalidEvents,   // an event type other than 1 to 5, or more events than a macro can hold
    NoSuchMacro,     // export of a macro id that is not stored
    DatabaseFailed,  // a store operation failed; nothing was changed
    WriteFailed,     // the file could not be written; an earlier file is unchanged
};
const char* MacroFileStatusName(MacroFileStatus status);

// A macro with its events, as a file holds it.
struct MacroFileEntry {
    MacroInfo info;
    std::vector<MacroEvent> events;
    bool operator==(const MacroFileEntry&) const = default;
};

struct MacroImportResult {
    MacroFileStatus status = MacroFileStatus::Unreadable;
    // The new macros (id and name as stored) in file order, for the macro list and the key page's
    // macro selector. Empty unless status is Ok.
    std::vector<MacroInfo> added;
};

// Writes the stored macro `macroId` with its events as a single-macro file.
MacroFileStatus ExportMacroFile(int macroId, const std::filesystem::path& file);
// Writes every stored macro with its events, in list order, as a multi-macro file.
MacroFileStatus ExportAllMacrosFile(const std::filesystem::path& file);
// Reads a single-macro file and stores it as a new macro.
MacroImportResult ImportMacroFile(const std::filesystem::path& file);
// Reads a multi-macro file and stores every macro in it as a new macro.
MacroImportResult ImportMacrosFile(const std::filesystem::path& file);

// The file texts and their readers, without the database.
std::string SingleMacroXml(const MacroFileEntry& macro);
std::string MultiMacroXml(const std::vector<MacroFileEntry>& macros);
struct MacroFileContent {
    MacroFileStatus status = MacroFileStatus::Unreadable;
    std::vector<MacroFileEntry> macros;  // ids 0; events ordered by their index, indexes 0, 1, 2 ...
};
MacroFileContent ReadSingleMacroFile(const std::filesystem::path& file);
MacroFileContent ReadMultiMacroFile(const std::filesystem::path& file);

}  // namespace vellomir
