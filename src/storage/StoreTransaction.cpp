#include "storage/StoreTransaction.h"

namespace vellomir {

namespace {
constexpr const char* kBegin = "SAVEPOINT vm_change";
constexpr const char* kRelease = "RELEASE vm_change";
constexpr const char* kUndo = "ROLLBACK TO vm_change";
}  // namespace

StoreTransaction::StoreTransaction(ConfigDatabase& database)
    : lock_(database.Lock()), connection_(database.Connection()) {
    open_ = connection_.Exec(kBegin) == kSqliteOk;
}

StoreTransaction::~StoreTransaction() {
    Rollback();
}

bool StoreTransaction::Commit() {
    if (!open_) return false;
    if (connection_.Exec(kRelease) == kSqliteOk) {
        open_ = false;
        return true;
    }
    Rollback();
    return false;
}

void StoreTransaction::Rollback() {
    if (!open_) return;
    open_ = false;
    if (connection_.Exec(kUndo) == kSqliteOk && connection_.Exec(kRelease) == kSqliteOk) return;
    // The savepoint is gone (SQLite may already have rolled the whole transaction back after an I/O
    // error); make sure no transaction is left open either way.
    connection_.Exec("ROLLBACK");
}

}  // namespace vellomir
