#include "storage/ProfileStore.h"

#include "storage/ConfigDatabase.h"
#include "storage/StoreSupport.h"
#include "storage/StoreTransaction.h"

namespace vellomir {

namespace {

ProfileInfo ReadProfile(const SQLiteStatement& row) {
    ProfileInfo info;
    info.profile = row.ColumnInt(0);
    info.name = store::ColumnString(row, 1);
    info.status = row.ColumnInt(2);
    info.app = store::ColumnString(row, 3);
    info.type = row.ColumnInt(4);
    return info;
}

}  // namespace

int InsertProfile(const ProfileInfo& info, std::span<const ConfigEntry> configuration) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    StoreTransaction change(db);
    const int id = store::Insert(db.Connection(),
                                 "INSERT INTO t_profile_data(name, status, app, type) VALUES (?, ?, ?, ?);",
                                 std::string_view(info.name), 0, std::string_view(info.app), 0);
    if (id == 0 || !InsertConfigRows(id, configuration) || !change.Commit()) return 0;
    return id;
}

bool RenameProfile(int profile, std::string_view name) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    SQLiteStatement statement;
    return store::Write(db.Connection(), statement, "UPDATE t_profile_data SET name = ? WHERE profile = ?",
                        name, profile);
}

bool GetProfileName(int profile, std::string& name) {
    name.clear();
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    SQLiteStatement statement;
    if (!store::ReadRow(store::Prepare(db.Connection(), statement,
                                       "SELECT name FROM t_profile_data WHERE profile = ?", profile),
                        statement))
        return false;
    name = store::ColumnString(statement, 0);
    return true;
}

int ListProfiles(std::vector<ProfileInfo>& profiles) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    SQLiteStatement statement;
    return store::ReadAll(store::Prepare(db.Connection(), statement, "SELECT * FROM t_profile_data"),
                          statement, profiles, ReadProfile);
}

bool ActivateProfile(int profile) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    StoreTransaction change(db);
    bool ok;
    {
        SQLiteStatement statement;
        store::Write(db.Connection(), statement, "UPDATE t_profile_data SET status = ?", 0);
        ok = store::Write(db.Connection(), statement,
                          "UPDATE t_profile_data SET status = ? WHERE profile = ?", 1, profile);
    }
    return ok && change.Commit();
}

int GetActiveProfile() {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    SQLiteStatement statement;
    if (!store::ReadRow(store::Prepare(db.Connection(), statement,
                                       "SELECT profile FROM t_profile_data WHERE status = ?", 1),
                        statement))
        return 0;
    return statement.ColumnInt(0);
}

}  // namespace vellomir
