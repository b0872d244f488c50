#pragma once
// The one configuration database of the process: the connection to the current mouse model's file
// "<user data folder>/db/<stem>_data.db", the re-entrant lock that every store operation holds for its
// whole run, and the rules for opening or creating the file.

#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>

#include "storage/SQLiteDB.h"

namespace vellomir {

class ConfigDatabase {
public:
    // The single object, made on first use (thread-safe) and destroyed at process exit, closing the
    // connection.
    static ConfigDatabase& Instance();

    // "<userDataFolder>/db/<stem>_data.db".
    static std::filesystem::path DatabaseFile(const std::filesystem::path& userDataFolder,
                                              std::string_view stem);

    // Opens the model's file, creating it with every table and index when it does not exist. Opening
    // the file that is already open returns true without reopening; an open connection to another
    // file is closed first. An existing file that is not a database, is damaged or lacks the tables is
    // never deleted: it is renamed aside (see SetAsideFile) and a new file is created in its place.
    // The result is also kept as IsOpened().
    bool OpenForDevice(const std::filesystem::path& userDataFolder, std::string_view stem);
    // Creates the file named by the last OpenForDevice (its `db` folder too) and runs the schema
    // statements, all of them even when one fails. True when already open, or when the file opened
    // and every statement succeeded.
    bool CreateDatabase();
    // Closes the connection when the last OpenForDevice succeeded.
    void CloseIfOpen();

    bool IsOpened();
    // The file named by the last OpenForDevice (UTF-8).
    std::string Path();
    // Where the last unusable file was moved to; empty when none was.
    std::filesystem::path SetAsideFile();

    // The lock every store operation holds for its whole run; re-entrant for the owning thread.
    std::unique_lock<std::recursive_mutex> Lock() { return std::unique_lock(lock_); }
    // The connection. Use it only while holding Lock().
    SQLiteDB& Connection() { return connection_; }

    ConfigDatabase(const ConfigDatabase&) = delete;
    ConfigDatabase& operator=(const ConfigDatabase&) = delete;

private:
    ConfigDatabase() = default;
    ~ConfigDatabase();

    bool OpenExisting();
    bool RunSchema();
    bool SetAside();

    SQLiteDB connection_;
    std::recursive_mutex lock_;
    std::string path_;      // file named by the last OpenForDevice
    std::string openPath_;  // file the connection was opened on
    bool opened_ = false;
    std::filesystem::path setAside_;
};

}  // namespace vellomir
