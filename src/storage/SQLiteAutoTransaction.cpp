#include "storage/SQLiteAutoTransaction.h"

#include "storage/SQLiteDB.h"

namespace vellomir {

SQLiteAutoTransaction::SQLiteAutoTransaction(SQLiteDB* database) : database_(database) {
    if (database_ == nullptr) return;
    if (database_->IsOpen()) began_ = database_->Exec("BEGIN") == kSqliteOk;
    active_ = true;
}

SQLiteAutoTransaction::~SQLiteAutoTransaction() {
    if (active_ && began_ && database_ != nullptr && database_->IsOpen()) database_->Exec("END");
    active_ = false;
}

bool SQLiteAutoTransaction::Begin() {
    if (database_ == nullptr || active_) return false;
    active_ = true;
    if (!database_->IsOpen()) return false;
    began_ = database_->Exec("BEGIN") == kSqliteOk;
    return began_;
}

bool SQLiteAutoTransaction::Commit() {
    if (database_ == nullptr) return false;
    const bool ours = began_;
    active_ = false;
    began_ = false;
    if (!database_->IsOpen() || !ours) return false;
    return database_->Exec("END") == kSqliteOk;
}

}  // namespace vellomir
