#include "storage/StoreSupport.h"

#include <climits>

namespace vellomir::store {

int BindString(SQLiteStatement& statement, int index, std::string_view text) {
    if (text.size() > static_cast<std::size_t>(INT_MAX)) return kSqliteMisuse;
    // A null pointer would bind SQL NULL; an empty text must stay an empty text.
    const char* bytes = text.data() != nullptr ? text.data() : "";
    return statement.BindText(index, bytes, static_cast<int>(text.size()));
}

std::string ColumnString(const SQLiteStatement& statement, int index) {
    const char* text = statement.ColumnText(index);
    return text != nullptr ? std::string(text) : std::string();
}

int InsertedId(const SQLiteDB& database) {
    return static_cast<int>(database.LastInsertRowId());
}

}  // namespace vellomir::store
