#pragma once
// A transaction that begins when it is constructed on an open connection and ends ("END", that is
// commit) when Commit() is called or the object goes away. Batches of inserts run inside one so that
// they cost one write to the file instead of one per row.
//
// The object only ends a transaction that its own BEGIN opened: constructed while another
// transaction is already running, its BEGIN fails and it leaves the outer transaction alone.

namespace vellomir {

class SQLiteDB;

class SQLiteAutoTransaction {
public:
    // Begins at once when `database` is open. The object counts as active afterwards (also when the
    // connection was closed), so a later Begin() returns false.
    explicit SQLiteAutoTransaction(SQLiteDB* database);
    virtual ~SQLiteAutoTransaction();
    SQLiteAutoTransaction(const SQLiteAutoTransaction&) = delete;
    SQLiteAutoTransaction& operator=(const SQLiteAutoTransaction&) = delete;

    // False when there is no database or the object is already active; otherwise runs BEGIN and
    // returns whether it succeeded.
    bool Begin();
    // Ends the transaction this object began; true when "END" succeeded.
    bool Commit();
    bool IsActive() const { return active_; }

private:
    SQLiteDB* database_;
    bool active_ = false;
    bool began_ = false;  // our own BEGIN succeeded, so the END is ours to run
};

}  // namespace vellomir
