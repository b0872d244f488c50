// The thin SQLite wrappers: what a closed connection or an empty statement answers, statement reuse,
// and when the automatic transaction begins and ends.

#include <gtest/gtest.h>

#include "DatabaseFixture.h"
#include "TempDir.h"
#include "storage/SQLiteAutoTransaction.h"
#include "storage/SQLiteDB.h"

namespace vellomir {
namespace {

using test::RawConnection;
using test::TempDir;

class SQLiteLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(db_.Open(file_.c_str(), kOpenReadWrite | kOpenCreate | kOpenFullMutex));
        ASSERT_EQ(db_.Exec("CREATE TABLE t(id INTEGER PRIMARY KEY AUTOINCREMENT, v TEXT)"), kSqliteOk);
    }
    // Rows of t as another connection sees them: only committed rows.
    int CommittedRows() { return RawConnection(file_).Int("SELECT count(*) FROM t"); }

    TempDir dir_;
    std::filesystem::path file_ = dir_ / "layer.db";
    SQLiteDB db_;
};

TEST(SQLiteLayerClosed, EveryOperationAnswersMisuseWithoutTouchingSqlite) {
    SQLiteDB db;
    EXPECT_FALSE(db.IsOpen());
    EXPECT_TRUE(db.Close());
    EXPECT_FALSE(db.Open(nullptr, kOpenReadWrite | kOpenCreate));
    EXPECT_EQ(db.Exec("SELECT 1"), kSqliteMisuse);
    EXPECT_EQ(db.LastInsertRowId(), -1);

    SQLiteStatement statement;
    EXPECT_EQ(db.Prepare(statement, "SELECT 1"), kSqliteMisuse);
    EXPECT_FALSE(statement.IsPrepared());
    EXPECT_EQ(statement.BindInt(1, 5), kSqliteMisuse);
    EXPECT_EQ(statement.BindText(1, "x", 1), kSqliteMisuse);
    EXPECT_EQ(statement.Step(), kSqliteMisuse);
    EXPECT_EQ(statement.ColumnInt(0), 0);
    EXPECT_EQ(statement.ColumnText(0), nullptr);
}

TEST(SQLiteLayerClosed, OpenWithoutCreateFlagFailsForMissingFileAndStaysClosed) {
    TempDir dir;
    SQLiteDB db;
    EXPECT_FALSE(db.Open((dir / "missing.db").c_str(), kOpenReadWrite | kOpenFullMutex));
    EXPECT_FALSE(db.IsOpen());
    EXPECT_FALSE(std::filesystem::exists(dir / "missing.db"));
}

TEST_F(SQLiteLayerTest, OpenSwitchesSynchronousOff) {
    SQLiteStatement statement;
    ASSERT_EQ(db_.Prepare(statement, "PRAGMA synchronous"), kSqliteOk);
    ASSERT_EQ(statement.Step(), kSqliteRow);
    EXPECT_EQ(statement.ColumnInt(0), 0);
}

TEST_F(SQLiteLayerTest, ReusedStatementFinalisesThePreviousOne) {
    {
        SQLiteStatement statement;
        ASSERT_EQ(db_.Prepare(statement, "SELECT 1"), kSqliteOk);
        ASSERT_EQ(statement.Step(), kSqliteRow);
        ASSERT_EQ(db_.Prepare(statement, "INSERT INTO t(v) VALUES (?)"), kSqliteOk);
        std::string text = "second";
        ASSERT_EQ(statement.BindText(1, text.data(), static_cast<int>(text.size())), kSqliteOk);
        EXPECT_EQ(statement.Step(), kSqliteDone);
        EXPECT_EQ(db_.LastInsertRowId(), 1);
    }
    // A statement left unfinalised would make the close fail.
    EXPECT_TRUE(db_.Close());
    EXPECT_FALSE(db_.IsOpen());
}

TEST_F(SQLiteLayerTest, PrepareLengthCountsBytesAndNegativeMeansWholeText) {
    SQLiteStatement statement;
    // Only the first 8 bytes are compiled: "SELECT 7".
    ASSERT_EQ(db_.Prepare(statement, "SELECT 789", 8), kSqliteOk);
    ASSERT_EQ(statement.Step(), kSqliteRow);
    EXPECT_EQ(statement.ColumnInt(0), 7);
    ASSERT_EQ(db_.Prepare(statement, "SELECT 789", -1), kSqliteOk);
    ASSERT_EQ(statement.Step(), kSqliteRow);
    EXPECT_EQ(statement.ColumnInt(0), 789);
    ASSERT_EQ(db_.Prepare(statement, "SELECT NULL"), kSqliteOk);
    ASSERT_EQ(statement.Step(), kSqliteRow);
    EXPECT_EQ(statement.ColumnText(0), nullptr);
}

TEST_F(SQLiteLayerTest, AutoTransactionBeginsAtOnceAndCommitEndsIt) {
    {
        SQLiteAutoTransaction transaction(&db_);
        EXPECT_TRUE(transaction.IsActive());
        EXPECT_FALSE(transaction.Begin());  // already active: nothing happens
        ASSERT_EQ(db_.Exec("INSERT INTO t(v) VALUES ('a')"), kSqliteOk);
        EXPECT_EQ(CommittedRows(), 0);
        EXPECT_TRUE(transaction.Commit());
        EXPECT_FALSE(transaction.IsActive());
        EXPECT_EQ(CommittedRows(), 1);
        // After the commit the connection is back in autocommit: this row lands at once, and the
        // destructor has nothing left to end.
        ASSERT_EQ(db_.Exec("INSERT INTO t(v) VALUES ('b')"), kSqliteOk);
        EXPECT_EQ(CommittedRows(), 2);
    }
    EXPECT_EQ(db_.Exec("BEGIN"), kSqliteOk);  // no transaction was left open
    EXPECT_EQ(db_.Exec("END"), kSqliteOk);
}

TEST_F(SQLiteLayerTest, AutoTransactionEndsWhenDestroyed) {
    {
        SQLiteAutoTransaction transaction(&db_);
        ASSERT_EQ(db_.Exec("INSERT INTO t(v) VALUES ('a')"), kSqliteOk);
        EXPECT_EQ(CommittedRows(), 0);
    }
    EXPECT_EQ(CommittedRows(), 1);
}

TEST_F(SQLiteLayerTest, AutoTransactionInsideAnotherLeavesTheOuterOneAlone) {
    ASSERT_EQ(db_.Exec("BEGIN"), kSqliteOk);
    {
        SQLiteAutoTransaction inner(&db_);
        ASSERT_EQ(db_.Exec("INSERT INTO t(v) VALUES ('a')"), kSqliteOk);
        EXPECT_FALSE(inner.Commit());  // it began nothing, so it ends nothing
    }
    EXPECT_EQ(CommittedRows(), 0);
    ASSERT_EQ(db_.Exec("ROLLBACK"), kSqliteOk);  // the outer transaction is still there to take back
    EXPECT_EQ(CommittedRows(), 0);
}

TEST(SQLiteAutoTransactionWithout, DatabaseOrConnection) {
    SQLiteAutoTransaction none(nullptr);
    EXPECT_FALSE(none.IsActive());
    EXPECT_FALSE(none.Begin());
    EXPECT_FALSE(none.Commit());

    SQLiteDB closed;
    SQLiteAutoTransaction onClosed(&closed);
    EXPECT_TRUE(onClosed.IsActive());
    EXPECT_FALSE(onClosed.Begin());
    EXPECT_FALSE(onClosed.Commit());
    EXPECT_FALSE(onClosed.IsActive());
}

}  // namespace
}  // namespace vellomir
