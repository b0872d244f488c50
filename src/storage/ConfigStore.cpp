#include "storage/ConfigStore.h"

#include "storage/ConfigDatabase.h"
#include "storage/StoreSupport.h"

namespace vellomir {

bool SetConfigValue(int profile, std::string_view key, std::string_view value) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    SQLiteStatement statement;
    return store::Write(db.Connection(), statement,
                        "UPDATE t_configdata SET value = ? WHERE profile = ? and key = ?", value, profile,
                        key);
}

bool GetConfigValue(int profile, std::string_view key, std::string& value) {
    value.clear();
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    SQLiteStatement statement;
    if (!store::ReadRow(
            store::Prepare(db.Connection(), statement,
                           "SELECT value FROM t_configdata WHERE profile = ? and key = ?", profile, key),
            statement))
        return false;
    value = store::ColumnString(statement, 0);
    return true;
}

bool InsertConfigRows(int profile, std::span<const ConfigEntry> rows) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    // One prepared statement for all rows, reset between them.
    SQLiteStatement statement;
    if (db.Connection().Prepare(
            statement, "INSERT INTO t_configdata(profile, key, value) VALUES (?, ?, ?);") != kSqliteOk) {
        return rows.empty();
    }
    bool ok = true;
    for (const ConfigEntry& row : rows) {
        ok = store::Rebind(statement, profile, row.key, row.value) &&
             store::StepSucceeded(statement.Step()) && ok;
    }
    return ok;
}

}  // namespace vellomir
