#pragma once
// The layout of a configuration database file: eight tables and seven indexes, created in one fixed
// order when a new file is made, and the check that an existing file has the tables the stores use.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vellomir {

class SQLiteDB;

struct ColumnSchema {
    std::string_view name;
    std::string_view type;  // declared type; the first column of every table is the row key
};

struct TableSchema {
    std::string_view name;
    std::span<const ColumnSchema> columns;
};

// The eight tables in creation order.
std::span<const TableSchema> SchemaTables();

// The fifteen statements that create a new file: each table followed by its index (the otheridindex
// of t_key_otherdata included; t_configdata has none).
const std::vector<std::string>& SchemaStatements();

enum class SchemaState {
    Valid,       // every table is there with its columns in order
    Empty,       // a database without any table: its creation never got as far as the schema
    Damaged,     // not a database, corrupt, or tables missing or laid out differently
    Unreadable,  // could not be read for another reason (locked, no rights, I/O error)
};

// Looks at the file behind an open connection without changing it.
SchemaState CheckSchema(SQLiteDB& database);

}  // namespace vellomir
