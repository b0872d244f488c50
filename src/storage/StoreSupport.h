#pragma once
// What every store operation shares: binding parameters in order, stepping, reading text columns and
// insert ids. Used only inside the storage library, always while holding the database lock.

#include <string>
#include <string_view>
#include <vector>

#include "storage/SQLiteDB.h"

namespace vellomir::store {

// A write succeeded when its step returned 0, 100 or 101.
inline bool StepSucceeded(int rc) {
    return rc == kSqliteOk || rc == kSqliteRow || rc == kSqliteDone;
}

// Binds UTF-8 text; an empty text is bound as '' rather than NULL. The text is not copied.
int BindString(SQLiteStatement& statement, int index, std::string_view text);
// The text of a column; SQL NULL reads as empty.
std::string ColumnString(const SQLiteStatement& statement, int index);
// The row id of the last insert, truncated to 32 bits.
int InsertedId(const SQLiteDB& database);

inline int BindOne(SQLiteStatement& statement, int index, int value) {
    return statement.BindInt(index, value);
}
inline int BindOne(SQLiteStatement& statement, int index, std::string_view text) {
    return BindString(statement, index, text);
}

// Binds `args` to the parameters 1, 2, ... in order; false at the first bind that fails.
template <typename... Args>
bool BindAll(SQLiteStatement& statement, const Args&... args) {
    int index = 0;
    bool ok = true;
    ((ok = ok && BindOne(statement, ++index, args) == kSqliteOk), ...);
    return ok;
}

// Prepares `sql` into `statement` and binds `args` to the parameters 1, 2, ... in order. False when the
// preparation or a bind fails.
template <typename... Args>
bool Prepare(SQLiteDB& database, SQLiteStatement& statement, const char* sql, const Args&... args) {
    return database.Prepare(statement, sql) == kSqliteOk && BindAll(statement, args...);
}

// Binds `args` anew to a statement prepared before, for writing the next row with it. False when a
// bind fails.
template <typename... Args>
bool Rebind(SQLiteStatement& statement, const Args&... args) {
    statement.Reset();
    return BindAll(statement, args...);
}

// One write statement; true when it stepped successfully.
template <typename... Args>
bool Write(SQLiteDB& database, SQLiteStatement& statement, const char* sql, const Args&... args) {
    return Prepare(database, statement, sql, args...) && StepSucceeded(statement.Step());
}

// One insert; the new row id, or 0 when it failed.
template <typename... Args>
int Insert(SQLiteDB& database, const char* sql, const Args&... args) {
    SQLiteStatement statement;
    return Write(database, statement, sql, args...) ? InsertedId(database) : 0;
}

// Steps a prepared statement through all its rows, appending `read(statement)` for each to `out`
// after emptying it. The number of records.
template <typename Record, typename ReadFn>
int ReadAll(bool prepared, SQLiteStatement& statement, std::vector<Record>& out, ReadFn read) {
    out.clear();
    if (prepared) {
        while (statement.Step() == kSqliteRow)
            out.push_back(read(statement));
    }
    return static_cast<int>(out.size());
}

// Steps a prepared statement once; true when it gave a row.
inline bool ReadRow(bool prepared, SQLiteStatement& statement) {
    return prepared && statement.Step() == kSqliteRow;
}

}  // namespace vellomir::store
