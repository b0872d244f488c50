#pragma once
// An all-or-nothing change over several store operations. It holds the database lock from
// construction to destruction, so no other thread's store operation can slip into the change, and
// opens a savepoint: Commit() keeps everything written since, anything else (an early return, a
// failed step, the object going away) takes it all back. Savepoints nest, so a change may run inside
// another one; the outermost commit writes the file.

#include <mutex>

#include "storage/ConfigDatabase.h"

namespace vellomir {

class StoreTransaction {
public:
    explicit StoreTransaction(ConfigDatabase& database = ConfigDatabase::Instance());
    ~StoreTransaction();
    StoreTransaction(const StoreTransaction&) = delete;
    StoreTransaction& operator=(const StoreTransaction&) = delete;

    // Whether the savepoint was opened (false on a closed connection).
    bool IsOpen() const { return open_; }
    // Keeps the change. False when nothing was open or the change could not be written, in which case
    // it has been taken back.
    bool Commit();
    // Takes the change back.
    void Rollback();

private:
    std::unique_lock<std::recursive_mutex> lock_;
    SQLiteDB& connection_;
    bool open_ = false;
};

}  // namespace vellomir
