#include "storage/KeyBindingStore.h"

#include "storage/ConfigDatabase.h"
#include "storage/StoreSupport.h"
#include "storage/StoreTransaction.h"

namespace vellomir {

namespace {

KeyBinding ReadBinding(const SQLiteStatement& row) {
    KeyBinding binding;
    binding.key_id = row.ColumnInt(0);
    binding.profile = row.ColumnInt(1);
    binding.fn_layer = row.ColumnInt(2);
    binding.key_code = row.ColumnInt(3);
    binding.layout_value = row.ColumnInt(4);
    binding.layout_desc = store::ColumnString(row, 5);
    binding.macro_type = row.ColumnInt(6);
    binding.macro_value = row.ColumnInt(7);
    binding.macro_value2 = row.ColumnInt(8);
    binding.macro_value3 = row.ColumnInt(9);
    binding.macro_desc = store::ColumnString(row, 10);
    return binding;
}

}  // namespace

int SaveKeyBinding(const KeyBinding& b) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    // The removal of the old row and the insert of the new one land together or not at all.
    StoreTransaction change(db);
    {
        SQLiteStatement statement;
        store::Write(db.Connection(), statement,
                     "DELETE FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?",
                     b.profile, b.fn_layer, b.key_code);
    }
    if (b.macro_value == 0 && b.macro_value2 == 0) {
        change.Commit();
        return 0;
    }
    const int id = store::Insert(
        db.Connection(),
        "INSERT INTO t_key_macro_data(profile, fn_layer, key_code, layout_value, layout_desc, macro_type, "
        "macro_value, macro_value2, macro_value3, macro_desc) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?);",
        b.profile, b.fn_layer, b.key_code, b.layout_value, std::string_view(b.layout_desc), b.macro_type,
        b.macro_value, b.macro_value2, b.macro_value3, std::string_view(b.macro_desc));
    if (id == 0 || !change.Commit()) return 0;
    return id;
}

bool GetKeyBinding(int profile, int keyCode, KeyBinding& binding) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    SQLiteStatement statement;
    if (!store::ReadRow(
            store::Prepare(db.Connection(), statement,
                           "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and "
                           "key_code = ?",
                           profile, 0, keyCode),
            statement))
        return false;
    binding = ReadBinding(statement);
    return true;
}

bool UpdateKeyBindingDesc(int profile, int keyCode, std::string_view desc) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    SQLiteStatement statement;
    return store::Write(db.Connection(), statement,
                        "UPDATE t_key_macro_data SET macro_desc = ? WHERE profile = ? and fn_layer = ? and "
                        "key_code = ?",
                        desc, profile, 0, keyCode);
}

int ListKeyBindings(int profile, std::vector<KeyBinding>& bindings) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    SQLiteStatement statement;
    return store::ReadAll(
        store::Prepare(db.Connection(), statement,
                       "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ?", profile, 0),
        statement, bindings, ReadBinding);
}

bool DeleteKeyBindings(int profile) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    SQLiteStatement statement;
    return store::Write(db.Connection(), statement, "DELETE FROM t_key_macro_data WHERE profile = ?",
                        profile);
}

}  // namespace vellomir
