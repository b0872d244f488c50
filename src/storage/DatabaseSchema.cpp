#include "storage/DatabaseSchema.h"

#include <algorithm>
#include <array>
#include <set>

#include "storage/SQLiteDB.h"

namespace vellomir {

namespace {

constexpr ColumnSchema kConfigData[] = {
    {"config_id", ""}, {"profile", "INTEGER"}, {"key", "TEXT"}, {"value", "TEXT"}};
constexpr ColumnSchema kProfileData[] = {
    {"profile", ""}, {"name", "TEXT"}, {"status", "INTEGER"}, {"app", "TEXT"}, {"type", "INTEGER"}};
constexpr ColumnSchema kKeyMacroData[] = {{"key_id", ""},
                                          {"profile", "INTEGER"},
                                          {"fn_layer", "INTEGER"},
                                          {"key_code", "INTEGER"},
                                          {"layout_value", "INTEGER"},
                                          {"layout_desc", "TEXT"},
                                          {"macro_type", "INTEGER"},
                                          {"macro_value", "INTEGER"},
                                          {"macro_value2", "INTEGER"},
                                          {"macro_value3", "INTEGER"},
                                          {"macro_desc", "TEXT"}};
constexpr ColumnSchema kKeyOtherData[] = {
    {"macro_value", ""}, {"macro_desc", "TEXT"}, {"param", "TEXT"}, {"type", "INTEGER"}};
constexpr ColumnSchema kMacroData[] = {{"macro_id", ""},          {"name", "TEXT"},
                                       {"play_type", "INTEGER"},  {"play_times", "INTEGER"},
                                       {"delay_type", "INTEGER"}, {"delay_time", "INTEGER"}};
constexpr ColumnSchema kMacroRecord[] = {
    {"record_id", ""}, {"macro_id", "INTEGER"}, {"type", "INTEGER"},      {"record_index", "INTEGER"},
    {"desc", "TEXT"},  {"value", "INTEGER"},    {"delay_time", "INTEGER"}};
constexpr ColumnSchema kLightData[] = {{"light_id", ""},
                                       {"profile", "INTEGER"},
                                       {"name", "TEXT"},
                                       {"mode", "INTEGER"},
                                       {"brightness", "INTEGER"},
                                       {"speed", "INTEGER"},
                                       {"direction", "INTEGER"},
                                       {"colorful", "INTEGER"},
                                       {"colorindex", "INTEGER"},
                                       {"color_value1", "INTEGER"},
                                       {"color_value2", "INTEGER"},
                                       {"color_value3", "INTEGER"},
                                       {"color_value4", "INTEGER"},
                                       {"color_value5", "INTEGER"},
                                       {"color_value6", "INTEGER"},
                                       {"color_value7", "INTEGER"},
                                       {"config_func", "INTEGER"},
                                       {"reserved", "INTEGER"},
                                       {"status", "INTEGER"}};
constexpr ColumnSchema kKeyLightData[] = {{"keylight_id", ""},
                                          {"profile", "INTEGER"},
                                          {"light_id", "INTEGER"},
                                          {"key_code", "INTEGER"},
                                          {"key_rgb", "INTEGER"}};

constexpr TableSchema kTables[] = {{"t_configdata", kConfigData},       {"t_profile_data", kProfileData},
                                   {"t_key_macro_data", kKeyMacroData}, {"t_key_otherdata", kKeyOtherData},
                                   {"t_macro_data", kMacroData},        {"t_macrorecord", kMacroRecord},
                                   {"t_light_data", kLightData},        {"t_key_light_data", kKeyLightData}};

// The index that follows each table, by table position; empty for none.
constexpr std::string_view kIndexes[] = {
    "",
    "CREATE INDEX IF NOT EXISTS profileindex ON t_profile_data(profile)",
    "CREATE INDEX IF NOT EXISTS keyindex ON t_key_macro_data(key_id)",
    "CREATE INDEX IF NOT EXISTS otheridindex ON t_key_otherdata(macro_value)",
    "CREATE INDEX IF NOT EXISTS macroidindex ON t_macro_data(macro_id)",
    "CREATE INDEX IF NOT EXISTS macrorecordindex ON t_macrorecord(record_id)",
    "CREATE INDEX IF NOT EXISTS lightindex ON t_light_data(light_id)",
    "CREATE INDEX IF NOT EXISTS keylightindex ON t_key_light_data(keylight_id)",
};
static_assert(std::size(kIndexes) == std::size(kTables));

std::string CreateTableStatement(const TableSchema& table) {
    std::string sql = "CREATE TABLE IF NOT EXISTS ";
    sql += table.name;
    sql += '(';
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        if (i > 0) sql += ", ";
        sql += table.columns[i].name;
        sql += ' ';
        sql += i == 0 ? std::string_view("INTEGER PRIMARY KEY AUTOINCREMENT") : table.columns[i].type;
    }
    sql += ')';
    return sql;
}

bool IsDamage(int rc) {
    int primary = rc & 0xff;
    return primary == kSqliteNotADatabase || primary == kSqliteCorrupt;
}

enum class ReadResult { Ok, Damaged, Failed };

// Steps `statement` to its end, handing each row's first text column to `row`.
template <typename RowFn>
ReadResult ReadRows(SQLiteStatement& statement, int prepareResult, RowFn row) {
    if (prepareResult != kSqliteOk) return IsDamage(prepareResult) ? ReadResult::Damaged : ReadResult::Failed;
    int rc;
    while ((rc = statement.Step()) == kSqliteRow)
        row(statement);
    if (rc == kSqliteDone) return ReadResult::Ok;
    return IsDamage(rc) ? ReadResult::Damaged : ReadResult::Failed;
}

SchemaState ToState(ReadResult result) {
    return result == ReadResult::Damaged ? SchemaState::Damaged : SchemaState::Unreadable;
}

}  // namespace

std::span<const TableSchema> SchemaTables() {
    return kTables;
}

const std::vector<std::string>& SchemaStatements() {
    static const std::vector<std::string> statements = [] {
        std::vector<std::string> list;
        for (std::size_t i = 0; i < std::size(kTables); ++i) {
            list.push_back(CreateTableStatement(kTables[i]));
            if (!kIndexes[i].empty()) list.emplace_back(kIndexes[i]);
        }
        return list;
    }();
    return statements;
}

SchemaState CheckSchema(SQLiteDB& database) {
    SQLiteStatement statement;
    int objects = 0;
    std::set<std::string, std::less<>> tables;
    ReadResult listed =
        ReadRows(statement, database.Prepare(statement, "SELECT type, name FROM sqlite_master"),
                 [&](SQLiteStatement& row) {
                     ++objects;
                     const char* type = row.ColumnText(0);
                     const char* name = row.ColumnText(1);
                     if (type != nullptr && name != nullptr && std::string_view(type) == "table")
                         tables.insert(name);
                 });
    if (listed != ReadResult::Ok) return ToState(listed);
    if (objects == 0) return SchemaState::Empty;

    for (const TableSchema& table : kTables) {
        if (!tables.contains(table.name)) return SchemaState::Damaged;
        std::vector<std::string> columns;
        std::string sql = "PRAGMA table_info(" + std::string(table.name) + ")";
        ReadResult read =
            ReadRows(statement, database.Prepare(statement, sql.c_str()), [&](SQLiteStatement& row) {
                const char* name = row.ColumnText(1);
                columns.emplace_back(name != nullptr ? name : "");
            });
        if (read != ReadResult::Ok) return ToState(read);
        if (!std::equal(columns.begin(), columns.end(), table.columns.begin(), table.columns.end(),
                        [](const std::string& have, const ColumnSchema& want) { return have == want.name; }))
            return SchemaState::Damaged;
    }
    return SchemaState::Valid;
}

}  // namespace vellomir
