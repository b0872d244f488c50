#pragma once
// Test helpers for code that uses the configuration database: a fixture that opens a fresh database
// file in its own temporary folder as the process's database, and a second, independent connection to
// look at a file from outside or to plant a fault in it.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TempDir.h"
#include "storage/ConfigDatabase.h"
#include "storage/DatabaseSchema.h"
#include "storage/SQLiteDB.h"

namespace vellomir::test {

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        ConfigDatabase::Instance().CloseIfOpen();
        ASSERT_TRUE(ConfigDatabase::Instance().OpenForDevice(dir_.path(), kStem));
    }
    void TearDown() override { ConfigDatabase::Instance().CloseIfOpen(); }

    std::filesystem::path File() const { return ConfigDatabase::DatabaseFile(dir_.path(), kStem); }

    static constexpr const char* kStem = "m1";
    TempDir dir_;
};

class RawConnection {
public:
    explicit RawConnection(const std::filesystem::path& file) {
        EXPECT_TRUE(db_.Open(file.c_str(), kOpenReadWrite)) << file;
    }
    bool Exec(const std::string& sql) { return db_.Exec(sql.c_str()) == kSqliteOk; }
    // Column `column` of every row, as text ("" for NULL).
    std::vector<std::string> Texts(const std::string& sql, int column = 0) {
        std::vector<std::string> out;
        SQLiteStatement statement;
        EXPECT_EQ(db_.Prepare(statement, sql.c_str()), kSqliteOk) << sql;
        while (statement.Step() == kSqliteRow) {
            const char* text = statement.ColumnText(column);
            out.emplace_back(text != nullptr ? text : "");
        }
        return out;
    }
    int Int(const std::string& sql) {
        SQLiteStatement statement;
        EXPECT_EQ(db_.Prepare(statement, sql.c_str()), kSqliteOk) << sql;
        return statement.Step() == kSqliteRow ? statement.ColumnInt(0) : -1;
    }
    // Makes every insert into `table` that matches `condition` fail, as a full disk or a damaged page
    // would.
    void FailInsertsWhere(const std::string& table, const std::string& condition) {
        ASSERT_TRUE(Exec("CREATE TRIGGER injected_fault BEFORE INSERT ON " + table + " WHEN " + condition +
                         " BEGIN SELECT RAISE(ABORT, 'injected fault'); END"));
    }
    // Every row of every table, one line per row, for comparing a whole file before and after.
    std::string Dump() {
        std::string out;
        for (const TableSchema& table : SchemaTables()) {
            SQLiteStatement statement;
            const std::string sql = "SELECT * FROM " + std::string(table.name) + " ORDER BY 1";
            EXPECT_EQ(db_.Prepare(statement, sql.c_str()), kSqliteOk) << sql;
            while (statement.Step() == kSqliteRow) {
                out += table.name;
                for (size_t i = 0; i < table.columns.size(); ++i) {
                    const char* text = statement.ColumnText(static_cast<int>(i));
                    out += text != nullptr ? std::string("|") + text : std::string("|NULL");
                }
                out += '\n';
            }
        }
        return out;
    }
    SQLiteDB& db() { return db_; }

private:
    SQLiteDB db_;
};

}  // namespace vellomir::test
