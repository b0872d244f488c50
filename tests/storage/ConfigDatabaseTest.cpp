// Opening and creating the per-model database file: the layout of a new file, reopening, switching
// files, and what happens to files that are not usable databases.

#include <gtest/gtest.h>

#include <fstream>

#include "DatabaseFixture.h"
#include "common/FileIo.h"
#include "storage/ConfigStore.h"
#include "storage/MacroStore.h"
#include "storage/ProfileStore.h"

namespace vellomir {
namespace {

namespace fs = std::filesystem;
using test::DatabaseTest;
using test::RawConnection;
using test::TempDir;

struct ExpectedTable {
    std::string name;
    std::vector<std::string> columns;  // "name TYPE", the key column first
};

std::string ColumnsOf(RawConnection& raw, const std::string& table) {
    std::string text;
    auto names = raw.Texts("PRAGMA table_info(" + table + ")", 1);
    auto types = raw.Texts("PRAGMA table_info(" + table + ")", 2);
    auto keys = raw.Texts("PRAGMA table_info(" + table + ")", 5);
    for (size_t i = 0; i < names.size(); ++i) {
        if (!text.empty()) text += ", ";
        text += names[i] + " " + types[i] + (keys[i] != "0" ? " KEY" : "");
    }
    return text;
}

TEST_F(DatabaseTest, NewFileHoldsEveryTableAndIndexInOrder) {
    RawConnection raw(File());
    const std::vector<std::pair<std::string, std::string>> tables = {
        {"t_configdata", "config_id INTEGER KEY, profile INTEGER, key TEXT, value TEXT"},
        {"t_profile_data", "profile INTEGER KEY, name TEXT, status INTEGER, app TEXT, type INTEGER"},
        {"t_key_macro_data",
         "key_id INTEGER KEY, profile INTEGER, fn_layer INTEGER, key_code INTEGER, layout_value INTEGER, "
         "layout_desc TEXT, macro_type INTEGER, macro_value INTEGER, macro_value2 INTEGER, macro_value3 "
         "INTEGER, "
         "macro_desc TEXT"},
        {"t_key_otherdata", "macro_value INTEGER KEY, macro_desc TEXT, param TEXT, type INTEGER"},
        {"t_macro_data",
         "macro_id INTEGER KEY, name TEXT, play_type INTEGER, play_times INTEGER, delay_type INTEGER, "
         "delay_time INTEGER"},
        {"t_macrorecord",
         "record_id INTEGER KEY, macro_id INTEGER, type INTEGER, record_index INTEGER, desc TEXT, value "
         "INTEGER, "
         "delay_time INTEGER"},
        {"t_light_data",
         "light_id INTEGER KEY, profile INTEGER, name TEXT, mode INTEGER, brightness INTEGER, speed INTEGER, "
         "direction INTEGER, colorful INTEGER, colorindex INTEGER, color_value1 INTEGER, color_value2 "
         "INTEGER, "
         "color_value3 INTEGER, color_value4 INTEGER, color_value5 INTEGER, color_value6 INTEGER, "
         "color_value7 INTEGER, config_func INTEGER, reserved INTEGER, status INTEGER"},
        {"t_key_light_data",
         "keylight_id INTEGER KEY, profile INTEGER, light_id INTEGER, key_code INTEGER, key_rgb INTEGER"},
    };
    // sqlite_master lists objects in creation order; sqlite_sequence comes with the first AUTOINCREMENT.
    std::vector<std::string> expectedObjects = {
        "table t_configdata",     "table sqlite_sequence", "table t_profile_data",   "index profileindex",
        "table t_key_macro_data", "index keyindex",        "table t_key_otherdata",  "index otheridindex",
        "table t_macro_data",     "index macroidindex",    "table t_macrorecord",    "index macrorecordindex",
        "table t_light_data",     "index lightindex",      "table t_key_light_data", "index keylightindex"};
    auto types = raw.Texts("SELECT type FROM sqlite_master ORDER BY rowid");
    auto names = raw.Texts("SELECT name FROM sqlite_master ORDER BY rowid");
    std::vector<std::string> objects;
    for (size_t i = 0; i < names.size(); ++i)
        objects.push_back(types[i] + " " + names[i]);
    EXPECT_EQ(objects, expectedObjects);
    for (const auto& [table, columns] : tables)
        EXPECT_EQ(ColumnsOf(raw, table), columns) << table;

    const std::vector<std::string> indexColumns = {
        "profileindex t_profile_data profile",       "keyindex t_key_macro_data key_id",
        "otheridindex t_key_otherdata macro_value",  "macroidindex t_macro_data macro_id",
        "macrorecordindex t_macrorecord record_id",  "lightindex t_light_data light_id",
        "keylightindex t_key_light_data keylight_id"};
    std::vector<std::string> seen;
    for (const std::string& index :
         raw.Texts("SELECT name FROM sqlite_master WHERE type = 'index' ORDER BY rowid")) {
        auto table = raw.Texts("SELECT tbl_name FROM sqlite_master WHERE name = '" + index + "'");
        auto column = raw.Texts("PRAGMA index_info(" + index + ")", 2);
        ASSERT_EQ(column.size(), 1u) << index;
        seen.push_back(index + " " + table.at(0) + " " + column[0]);
    }
    EXPECT_EQ(seen, indexColumns);
}

TEST_F(DatabaseTest, ExistingFileIsOpenedUnchanged) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    ASSERT_GT(CreateMacro("kept"), 0);
    db.CloseIfOpen();
    EXPECT_FALSE(db.IsOpened());
    // An index dropped from outside stays dropped: reopening runs no schema statement.
    ASSERT_TRUE(RawConnection(File()).Exec("DROP INDEX keyindex"));
    ASSERT_TRUE(db.OpenForDevice(dir_.path(), kStem));
    EXPECT_TRUE(db.IsOpened());
    RawConnection raw(File());
    EXPECT_EQ(raw.Int("SELECT count(*) FROM sqlite_master WHERE name = 'keyindex'"), 0);
    EXPECT_EQ(raw.Texts("SELECT name FROM t_macro_data"), std::vector<std::string>{"kept"});
    EXPECT_TRUE(db.SetAsideFile().empty());
}

TEST_F(DatabaseTest, OpeningTheOpenFileAgainDoesNotReopenIt) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    auto lock = db.Lock();
    ASSERT_EQ(db.Connection().Exec("BEGIN"), kSqliteOk);
    EXPECT_TRUE(db.OpenForDevice(dir_.path(), kStem));
    // The transaction is still running on the same connection.
    EXPECT_NE(db.Connection().Exec("BEGIN"), kSqliteOk);
    EXPECT_EQ(db.Connection().Exec("ROLLBACK"), kSqliteOk);
}

TEST_F(DatabaseTest, OpeningAnotherModelSwitchesFilesEvenWithoutClosing) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    ASSERT_GT(CreateMacro("first model"), 0);
    ASSERT_TRUE(db.OpenForDevice(dir_.path(), "m2"));
    EXPECT_EQ(db.Path(), ConfigDatabase::DatabaseFile(dir_.path(), "m2").string());
    ASSERT_GT(CreateMacro("second model"), 0);
    EXPECT_EQ(RawConnection(File()).Texts("SELECT name FROM t_macro_data"),
              std::vector<std::string>{"first model"});
    EXPECT_EQ(
        RawConnection(ConfigDatabase::DatabaseFile(dir_.path(), "m2")).Texts("SELECT name FROM t_macro_data"),
        std::vector<std::string>{"second model"});
}

TEST(ConfigDatabaseFolders, MissingDbFolderIsCreatedAndNonAsciiStemWorks) {
    TempDir dir;
    ConfigDatabase& db = ConfigDatabase::Instance();
    db.CloseIfOpen();
    ASSERT_TRUE(db.OpenForDevice(dir / "Maus Files", "Öko-Maus"));
    EXPECT_TRUE(fs::exists(dir / "Maus Files" / "db" / "Öko-Maus_data.db"));
    EXPECT_GT(CreateMacro("x"), 0);
    db.CloseIfOpen();
}

// A file that exists but cannot serve as the database. Each is kept byte for byte under a new name and
// a working file takes its place.
struct UnusableFile {
    const char* what;
    std::string bytes;  // the file's content, or
    std::string sql;    // statements that build it as a database
};

std::string ValidDatabaseBytesWith(const std::string& sql) {
    TempDir scratch;
    {
        SQLiteDB db;
        EXPECT_TRUE(db.Open((scratch / "x.db").c_str(), kOpenReadWrite | kOpenCreate));
        EXPECT_EQ(db.Exec(sql.c_str()), kSqliteOk);
    }
    return ReadWholeFile(scratch / "x.db").value_or("");
}

TEST(ConfigDatabaseUnusableFiles, AreSetAsideAndReplacedByAFreshFile) {
    const UnusableFile cases[] = {
        {"text file", "these are not the settings you are looking for\n", ""},
        {"damaged header", std::string("SQLite format 3\0", 16) + std::string(4080, '\x7f'), ""},
        {"foreign database", "",
         "CREATE TABLE notes(id INTEGER, body TEXT); INSERT INTO notes VALUES (1, 'keep');"},
        {"tables missing", "",
         "CREATE TABLE t_configdata(config_id INTEGER PRIMARY KEY AUTOINCREMENT, profile INTEGER, key TEXT, "
         "value TEXT); INSERT INTO t_configdata(profile, key, value) VALUES (1, 'dpi_index', '3');"},
        {"columns differ", "",
         "CREATE TABLE t_configdata(config_id INTEGER PRIMARY KEY, profile INTEGER, value TEXT, key TEXT);"
         "CREATE TABLE t_profile_data(profile INTEGER PRIMARY KEY, name TEXT, status INTEGER, app TEXT, type "
         "INTEGER);"
         "CREATE TABLE t_key_macro_data(key_id INTEGER PRIMARY KEY);"
         "CREATE TABLE t_key_otherdata(macro_value INTEGER PRIMARY KEY);"
         "CREATE TABLE t_macro_data(macro_id INTEGER PRIMARY KEY);"
         "CREATE TABLE t_macrorecord(record_id INTEGER PRIMARY KEY);"
         "CREATE TABLE t_light_data(light_id INTEGER PRIMARY KEY);"
         "CREATE TABLE t_key_light_data(keylight_id INTEGER PRIMARY KEY);"},
    };
    for (const UnusableFile& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const fs::path file = ConfigDatabase::DatabaseFile(dir.path(), "m1");
        const std::string original = c.sql.empty() ? c.bytes : ValidDatabaseBytesWith(c.sql);
        ASSERT_FALSE(original.empty());
        fs::create_directories(file.parent_path());
        ASSERT_TRUE(WriteFileAtomically(file, original));

        ConfigDatabase& db = ConfigDatabase::Instance();
        db.CloseIfOpen();
        ASSERT_TRUE(db.OpenForDevice(dir.path(), "m1"));
        const fs::path aside = db.SetAsideFile();
        ASSERT_FALSE(aside.empty());
        EXPECT_EQ(aside.parent_path(), file.parent_path());
        EXPECT_NE(aside.filename().string().find("m1_data.damaged-"), std::string::npos) << aside;
        EXPECT_EQ(aside.extension(), ".db");
        EXPECT_EQ(ReadWholeFile(aside), original);

        // The new file works and starts empty.
        EXPECT_GT(InsertProfile(ProfileInfo{.name = "P"}, {}), 0);
        std::vector<ProfileInfo> profiles;
        EXPECT_EQ(ListProfiles(profiles), 1);
        db.CloseIfOpen();
        EXPECT_EQ(RawConnection(file).Int("SELECT count(*) FROM sqlite_master WHERE type = 'table'"), 9);
    }
}

TEST(ConfigDatabaseUnusableFiles, SecondDamagedFileTheSameSecondGetsItsOwnName) {
    TempDir dir;
    const fs::path file = ConfigDatabase::DatabaseFile(dir.path(), "m1");
    fs::create_directories(file.parent_path());
    ConfigDatabase& db = ConfigDatabase::Instance();
    std::vector<fs::path> asides;
    for (const char* content : {"first broken file", "second broken file"}) {
        db.CloseIfOpen();
        ASSERT_TRUE(WriteFileAtomically(file, content));
        ASSERT_TRUE(db.OpenForDevice(dir.path(), "m1"));
        asides.push_back(db.SetAsideFile());
    }
    db.CloseIfOpen();
    ASSERT_NE(asides[0], asides[1]);
    EXPECT_EQ(ReadWholeFile(asides[0]), "first broken file");
    EXPECT_EQ(ReadWholeFile(asides[1]), "second broken file");
}

TEST(ConfigDatabaseUnusableFiles, EmptyFileIsFinishedInPlace) {
    TempDir dir;
    const fs::path file = ConfigDatabase::DatabaseFile(dir.path(), "m1");
    fs::create_directories(file.parent_path());
    ASSERT_TRUE(WriteFileAtomically(file, ""));
    ConfigDatabase& db = ConfigDatabase::Instance();
    db.CloseIfOpen();
    ASSERT_TRUE(db.OpenForDevice(dir.path(), "m1"));
    EXPECT_GT(CreateMacro("x"), 0);
    db.CloseIfOpen();
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);
}

TEST(ConfigDatabaseUnusableFiles, PathThatCannotBeOpenedFailsAndIsLeftAlone) {
    TempDir dir;
    const fs::path file = ConfigDatabase::DatabaseFile(dir.path(), "m1");
    fs::create_directories(file);  // a folder where the file should be
    ConfigDatabase& db = ConfigDatabase::Instance();
    db.CloseIfOpen();
    EXPECT_FALSE(db.OpenForDevice(dir.path(), "m1"));
    EXPECT_FALSE(db.IsOpened());
    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);
    // With no connection every store fails at once.
    EXPECT_EQ(CreateMacro("x"), 0);
    EXPECT_FALSE(SetConfigValue(1, "dpi_index", "1"));
}

}  // namespace
}  // namespace vellomir
