#include "storage/SQLiteDB.h"

#include <sqlite3.h>

#include <cstring>

namespace vellomir {

static_assert(kOpenReadWrite == SQLITE_OPEN_READWRITE && kOpenCreate == SQLITE_OPEN_CREATE &&
              kOpenFullMutex == SQLITE_OPEN_FULLMUTEX);
static_assert(kSqliteMisuse == SQLITE_MISUSE && kSqliteRow == SQLITE_ROW && kSqliteDone == SQLITE_DONE &&
              kSqliteCorrupt == SQLITE_CORRUPT && kSqliteNotADatabase == SQLITE_NOTADB);

SQLiteDB::~SQLiteDB() {
    InterruptAndClose();
}

void SQLiteDB::InterruptAndClose() {
    if (handle_ == nullptr) return;
    sqlite3_interrupt(handle_);
    if (sqlite3_close(handle_) == SQLITE_OK) handle_ = nullptr;
}

bool SQLiteDB::Open(const char* path, int flags) {
    InterruptAndClose();
    if (path == nullptr) return false;
    sqlite3* handle = nullptr;
    int rc = sqlite3_open_v2(path, &handle, flags, nullptr);
    if (rc != SQLITE_OK) {
        // SQLite hands back a handle even for most failed opens; it still has to be closed.
        if (handle != nullptr) sqlite3_close(handle);
        return false;
    }
    handle_ = handle;
    // The settings are small and rewritten often; the journal keeps each transaction whole when the
    // process dies, and skipping the flush to disk keeps every change in the sub-millisecond range.
    sqlite3_exec(handle_, "PRAGMA synchronous = OFF;", nullptr, nullptr, nullptr);
    return true;
}

bool SQLiteDB::Close() {
    if (handle_ == nullptr) return true;
    if (sqlite3_close(handle_) != SQLITE_OK) return false;
    handle_ = nullptr;
    return true;
}

int SQLiteDB::Exec(const char* sql, ExecCallback callback, void* argument) {
    if (handle_ == nullptr || sql == nullptr) return SQLITE_MISUSE;
    return sqlite3_exec(handle_, sql, callback, argument, nullptr);
}

int SQLiteDB::Prepare(SQLiteStatement& statement, const char* sql, int length) {
    statement.Finalize();
    if (handle_ == nullptr || sql == nullptr) return SQLITE_MISUSE;
    if (length < 0) length = static_cast<int>(std::strlen(sql)) + 1;
    return sqlite3_prepare_v2(handle_, sql, length, &statement.handle_, nullptr);
}

std::int64_t SQLiteDB::LastInsertRowId() const {
    if (handle_ == nullptr) return -1;
    return sqlite3_last_insert_rowid(handle_);
}

SQLiteStatement::~SQLiteStatement() {
    Finalize();
}

void SQLiteStatement::Finalize() {
    if (handle_ == nullptr) return;
    // sqlite3_finalize releases the statement whatever it returns (a non-zero result only repeats the
    // error of the last step), so the handle is cleared in every case: keeping it would make the next
    // finalisation a use after free.
    sqlite3_finalize(handle_);
    handle_ = nullptr;
}

int SQLiteStatement::BindInt(int index, int value) {
    if (handle_ == nullptr) return SQLITE_MISUSE;
    return sqlite3_bind_int(handle_, index, value);
}

int SQLiteStatement::BindText(int index, const char* utf8, int byteLength) {
    if (handle_ == nullptr) return SQLITE_MISUSE;
    return sqlite3_bind_text(handle_, index, utf8, byteLength, SQLITE_STATIC);
}

int SQLiteStatement::Step() {
    if (handle_ == nullptr) return SQLITE_MISUSE;
    return sqlite3_step(handle_);
}

int SQLiteStatement::Reset() {
    if (handle_ == nullptr) return SQLITE_MISUSE;
    int rc = sqlite3_reset(handle_);
    sqlite3_clear_bindings(handle_);
    return rc;
}

int SQLiteStatement::ColumnInt(int index) const {
    if (handle_ == nullptr) return 0;
    return sqlite3_column_int(handle_, index);
}

const char* SQLiteStatement::ColumnText(int index) const {
    if (handle_ == nullptr) return nullptr;
    return reinterpret_cast<const char*>(sqlite3_column_text(handle_, index));
}

}  // namespace vellomir
