#pragma once
// Thin wrappers over one SQLite connection and its prepared statements. They add no policy of their
// own: results are SQLite result codes, a missing connection or statement gives 21 (SQLITE_MISUSE).
// Nothing here is thread-safe by itself; ConfigDatabase serialises all use behind its lock.

#include <cstdint>

struct sqlite3;
struct sqlite3_stmt;

namespace vellomir {

class SQLiteStatement;

// SQLite result codes the program looks at.
inline constexpr int kSqliteOk = 0;
inline constexpr int kSqliteCorrupt = 11;
inline constexpr int kSqliteMisuse = 21;
inline constexpr int kSqliteNotADatabase = 26;
inline constexpr int kSqliteRow = 100;
inline constexpr int kSqliteDone = 101;

// Open flags used by ConfigDatabase (values of SQLITE_OPEN_READWRITE, _CREATE and _FULLMUTEX).
inline constexpr int kOpenReadWrite = 0x00002;
inline constexpr int kOpenCreate = 0x00004;
inline constexpr int kOpenFullMutex = 0x10000;

class SQLiteDB {
public:
    using ExecCallback = int (*)(void* argument, int columns, char** values, char** names);

    SQLiteDB() = default;
    virtual ~SQLiteDB();
    SQLiteDB(const SQLiteDB&) = delete;
    SQLiteDB& operator=(const SQLiteDB&) = delete;

    // Opens `path` (UTF-8) with the given SQLite open flags, closing any connection held before. On
    // success the connection runs with "PRAGMA synchronous = OFF;". A null path gives false.
    bool Open(const char* path, int flags);
    // True when no connection is held or it closed; false (and the connection kept) when SQLite
    // refused to close it.
    bool Close();
    bool IsOpen() const { return handle_ != nullptr; }

    // Runs one or more SQL statements. 21 when closed or `sql` is null.
    int Exec(const char* sql, ExecCallback callback = nullptr, void* argument = nullptr);
    // Prepares `sql` into `statement`, finalising what `statement` held before. `length` is in bytes;
    // a negative length means the whole text up to its terminating zero. 21 when closed or `sql` is
    // null (the statement is then left without a handle).
    int Prepare(SQLiteStatement& statement, const char* sql, int length = -1);
    // Row id of the most recent successful insert on this connection; -1 while closed.
    std::int64_t LastInsertRowId() const;

private:
    void InterruptAndClose();

    sqlite3* handle_ = nullptr;
};

class SQLiteStatement {
public:
    SQLiteStatement() = default;
    virtual ~SQLiteStatement();
    SQLiteStatement(const SQLiteStatement&) = delete;
    SQLiteStatement& operator=(const SQLiteStatement&) = delete;

    bool IsPrepared() const { return handle_ != nullptr; }

    // Parameter indexes count from 1. Without a prepared statement both give 21.
    int BindInt(int index, int value);
    // Binds `byteLength` bytes of UTF-8 text without copying them: the caller keeps the buffer alive
    // until the statement has been stepped. A null pointer binds SQL NULL.
    int BindText(int index, const char* utf8, int byteLength);
    // 100 when a row is ready, 101 when done; 21 without a prepared statement.
    int Step();
    // Makes the statement ready to be stepped again with new values (sqlite3_reset and
    // sqlite3_clear_bindings); the result of sqlite3_reset.
    int Reset();
    // Column indexes count from 0. Without a prepared statement: 0 and null.
    int ColumnInt(int index) const;
    // UTF-8 text owned by SQLite, valid until the next step or finalisation; null for SQL NULL.
    const char* ColumnText(int index) const;

private:
    friend class SQLiteDB;
    void Finalize();

    sqlite3_stmt* handle_ = nullptr;
};

}  // namespace vellomir
