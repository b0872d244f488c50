#pragma once
// Macros and their events (tables t_macro_data and t_macrorecord). Macros are shared by all profiles.
// Every operation holds the database lock for its whole run.

#include <string_view>
#include <vector>

#include "storage/MacroEvent.h"
#include "storage/MacroInfo.h"

namespace vellomir {

// A new macro with play_type 0, play_times 1, delay_type 1, delay_time 0. Its id, or 0.
int CreateMacro(std::string_view name);
// A new macro with the record's name and settings. Its id, or 0.
int InsertMacro(const MacroInfo& macro);
bool RenameMacro(int macroId, std::string_view name);
// Writes name and settings of the record to the row of its macro_id.
bool UpdateMacro(const MacroInfo& macro);
// False (and `macro` unchanged) when there is no such macro.
bool GetMacro(int macroId, MacroInfo& macro);
// Replaces the list's content with every macro. The count.
int ListMacros(std::vector<MacroInfo>& macros);
// Removes the macro and its events, both or neither. Bindings that refer to it stay.
bool DeleteMacro(int macroId);

// Inserts one event (every field but record_id). Its record_id, or 0.
int InsertMacroEvent(const MacroEvent& event);
// Inserts the events in order inside one transaction. True when every insert succeeded; rows that
// did go in are kept either way.
bool InsertMacroEvents(std::vector<MacroEvent> events);
// Replaces the macro's events by `events` (their macro_id is taken as written), all or nothing: on
// any failure the old events stay. This is how an edited event list is saved.
bool ReplaceMacroEvents(int macroId, const std::vector<MacroEvent>& events);
// Replaces the list's content with the macro's events sorted by record_index. The count.
int ListMacroEvents(int macroId, std::vector<MacroEvent>& events);
bool DeleteMacroEvents(int macroId);

}  // namespace vellomir
