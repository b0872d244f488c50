#include "storage/LightStore.h"

#include "storage/ConfigDatabase.h"
#include "storage/StoreSupport.h"
#include "storage/StoreTransaction.h"

namespace vellomir {

namespace {

LightSetting ReadLight(const SQLiteStatement& row) {
    LightSetting light;
    light.light_id = row.ColumnInt(0);
    light.profile = row.ColumnInt(1);
    light.name = store::ColumnString(row, 2);
    light.mode = row.ColumnInt(3);
    light.brightness = row.ColumnInt(4);
    light.speed = row.ColumnInt(5);
    light.direction = row.ColumnInt(6);
    light.colorful = row.ColumnInt(7);
    light.colorindex = row.ColumnInt(8);
    for (int i = 0; i < kLightColorValues; ++i)
        light.color_value[i] = row.ColumnInt(9 + i);
    light.config_func = row.ColumnInt(16);
    light.reserved = row.ColumnInt(17);
    light.status = row.ColumnInt(18);
    return light;
}

}  // namespace

int CountLights(int profile) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    SQLiteStatement statement;
    if (!store::ReadRow(store::Prepare(db.Connection(), statement,
                                       "select count(*) FROM t_light_data WHERE profile = ?", profile),
                        statement))
        return 0;
    return statement.ColumnInt(0);
}

int InsertLight(const LightSetting& l) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    const auto& c = l.color_value;
    return store::Insert(
        db.Connection(),
        "INSERT INTO t_light_data(profile, name, mode, brightness, speed, direction, colorful, "
        "colorindex, color_value1, color_value2, color_value3, color_value4, color_value5, "
        "color_value6, color_value7, config_func, reserved, status) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?);",
        l.profile, std::string_view(l.name), l.mode, l.brightness, l.speed, l.direction, l.colorful,
        l.colorindex, c[0], c[1], c[2], c[3], c[4], c[5], c[6], l.config_func, l.reserved, l.status);
}

bool UpdateLight(int mode, const LightSetting& l) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    const auto& c = l.color_value;
    SQLiteStatement statement;
    return store::Write(
        db.Connection(), statement,
        "UPDATE t_light_data SET brightness = ?, speed = ?, direction = ?, colorful = ?, "
        "colorindex = ?, color_value1 = ?, color_value2 = ?, color_value3 = ?, color_value4 = ?, "
        "color_value5 = ?, color_value6 = ?, color_value7 = ?, config_func = ?, reserved = ? "
        "WHERE profile = ? and mode = ?",
        l.brightness, l.speed, l.direction, l.colorful, l.colorindex, c[0], c[1], c[2], c[3], c[4], c[5],
        c[6], l.config_func, l.reserved, l.profile, mode);
}

bool SetActiveLightMode(int profile, int mode) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    StoreTransaction change(db);
    bool ok;
    {
        SQLiteStatement statement;
        store::Write(db.Connection(), statement, "UPDATE t_light_data SET status = ? WHERE profile = ?", 0,
                     profile);
        ok = store::Write(db.Connection(), statement,
                          "UPDATE t_light_data SET status = ? WHERE profile = ? and mode = ?", 1, profile,
                          mode);
    }
    return ok && change.Commit();
}

int GetActiveLightMode(int profile) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    SQLiteStatement statement;
    if (!store::ReadRow(
            store::Prepare(db.Connection(), statement,
                           "SELECT mode FROM t_light_data WHERE profile = ? and status = ?", profile, 1),
            statement))
        return 0;
    return statement.ColumnInt(0);
}

bool GetLight(int profile, int mode, LightSetting& light) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    SQLiteStatement statement;
    if (!store::ReadRow(
            store::Prepare(db.Connection(), statement,
                           "SELECT * FROM t_light_data WHERE profile = ? AND mode = ?", profile, mode),
            statement))
        return false;
    light = ReadLight(statement);
    return true;
}

int ListLights(int profile, std::vector<LightSetting>& lights) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    SQLiteStatement statement;
    return store::ReadAll(
        store::Prepare(db.Connection(), statement, "SELECT * FROM t_light_data WHERE profile = ?", profile),
        statement, lights, ReadLight);
}

}  // namespace vellomir
