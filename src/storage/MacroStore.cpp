#include "storage/MacroStore.h"

#include "storage/ConfigDatabase.h"
#include "storage/SQLiteAutoTransaction.h"
#include "storage/StoreSupport.h"
#include "storage/StoreTransaction.h"

namespace vellomir {

namespace {

constexpr const char* kInsertMacro =
    "INSERT INTO t_macro_data(name, play_type, play_times, delay_type, delay_time) VALUES (?, ?, ?, ?, ?);";
constexpr const char* kInsertEvent =
    "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value, delay_time) VALUES (?, ?, ?, ?, ?, "
    "?);";

MacroInfo ReadMacro(const SQLiteStatement& row) {
    MacroInfo macro;
    macro.macro_id = row.ColumnInt(0);
    macro.name = store::ColumnString(row, 1);
    macro.play_type = row.ColumnInt(2);
    macro.play_times = row.ColumnInt(3);
    macro.delay_type = row.ColumnInt(4);
    macro.delay_time = row.ColumnInt(5);
    return macro;
}

MacroEvent ReadEvent(const SQLiteStatement& row) {
    MacroEvent event;
    event.record_id = row.ColumnInt(0);
    event.macro_id = row.ColumnInt(1);
    event.type = row.ColumnInt(2);
    event.record_index = row.ColumnInt(3);
    event.desc = store::ColumnString(row, 4);
    event.value = row.ColumnInt(5);
    event.delay_time = row.ColumnInt(6);
    return event;
}

int InsertEvent(SQLiteDB& db, const MacroEvent& e) {
    return store::Insert(db, kInsertEvent, e.macro_id, e.type, e.record_index, std::string_view(e.desc),
                         e.value, e.delay_time);
}

// Inserts every event in order with one prepared statement; false when any of them failed.
bool InsertEvents(SQLiteDB& db, const std::vector<MacroEvent>& events) {
    SQLiteStatement statement;
    if (db.Prepare(statement, kInsertEvent) != kSqliteOk) return events.empty();
    bool ok = true;
    for (const MacroEvent& e : events) {
        ok = store::Rebind(statement, e.macro_id, e.type, e.record_index, std::string_view(e.desc), e.value,
                           e.delay_time) &&
             store::StepSucceeded(statement.Step()) && ok;
    }
    return ok;
}

bool DeleteEvents(SQLiteDB& db, int macroId) {
    SQLiteStatement statement;
    return store::Write(db, statement, "DELETE FROM t_macrorecord WHERE macro_id = ?", macroId);
}

}  // namespace

int CreateMacro(std::string_view name) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    return store::Insert(db.Connection(), kInsertMacro, name, 0, 1, 1, 0);
}

int InsertMacro(const MacroInfo& m) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    return store::Insert(db.Connection(), kInsertMacro, std::string_view(m.name), m.play_type, m.play_times,
                         m.delay_type, m.delay_time);
}

bool RenameMacro(int macroId, std::string_view name) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    SQLiteStatement statement;
    return store::Write(db.Connection(), statement, "UPDATE t_macro_data SET name = ? WHERE macro_id = ?",
                        name, macroId);
}

bool UpdateMacro(const MacroInfo& m) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    SQLiteStatement statement;
    return store::Write(db.Connection(), statement,
                        "UPDATE t_macro_data SET name = ?, play_type = ?, play_times = ?, delay_type = ?,"
                        "delay_time = ? WHERE macro_id = ?",
                        std::string_view(m.name), m.play_type, m.play_times, m.delay_type, m.delay_time,
                        m.macro_id);
}

bool GetMacro(int macroId, MacroInfo& macro) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    SQLiteStatement statement;
    if (!store::ReadRow(store::Prepare(db.Connection(), statement,
                                       "SELECT * FROM t_macro_data WHERE macro_id = ?", macroId),
                        statement))
        return false;
    macro = ReadMacro(statement);
    return true;
}

int ListMacros(std::vector<MacroInfo>& macros) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    SQLiteStatement statement;
    return store::ReadAll(store::Prepare(db.Connection(), statement, "SELECT * FROM t_macro_data"), statement,
                          macros, ReadMacro);
}

bool DeleteMacro(int macroId) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    StoreTransaction change(db);
    bool ok;
    {
        SQLiteStatement statement;
        ok = store::Write(db.Connection(), statement, "DELETE FROM t_macro_data WHERE macro_id = ?", macroId);
    }
    ok = ok && DeleteEvents(db.Connection(), macroId);
    return ok && change.Commit();
}

int InsertMacroEvent(const MacroEvent& event) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    return InsertEvent(db.Connection(), event);
}

bool InsertMacroEvents(std::vector<MacroEvent> events) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    SQLiteAutoTransaction transaction(&db.Connection());
    bool ok = InsertEvents(db.Connection(), events);
    return transaction.Commit() && ok;
}

bool ReplaceMacroEvents(int macroId, const std::vector<MacroEvent>& events) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    StoreTransaction change(db);
    if (!DeleteEvents(db.Connection(), macroId) || !InsertEvents(db.Connection(), events)) return false;
    return change.Commit();
}

int ListMacroEvents(int macroId, std::vector<MacroEvent>& events) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    SQLiteStatement statement;
    return store::ReadAll(
        store::Prepare(db.Connection(), statement,
                       "SELECT * FROM t_macrorecord WHERE macro_id = ? ORDER BY record_index ASC", macroId),
        statement, events, ReadEvent);
}

bool DeleteMacroEvents(int macroId) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    return DeleteEvents(db.Connection(), macroId);
}

}  // namespace vellomir
