#include "storage/ConfigDatabase.h"

#include <ctime>
#include <system_error>

#include "common/Text.h"
#include "common/Trace.h"
#include "storage/DatabaseSchema.h"

namespace vellomir {

namespace fs = std::filesystem;

namespace {

// SQLite keeps a transaction's undo data (or write-ahead data) in files beside the database. They
// belong to the file they were written for and must move with it: left behind, SQLite would play them
// back into the new file.
constexpr std::string_view kCompanionSuffixes[] = {"-journal", "-wal", "-shm"};

std::string TimeStamp() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

// "<stem>_data.db" becomes "<stem>_data.damaged-<date>-<time>[-N].db", a name that is not taken yet
// by the file or its companions.
fs::path AsideName(const fs::path& file) {
    const std::string base = file.stem().string() + ".damaged-" + TimeStamp();
    const std::string extension = file.extension().string();
    for (int n = 1;; ++n) {
        fs::path candidate = file.parent_path() / (base + (n > 1 ? StrFormat("-%d", n) : "") + extension);
        std::error_code ec;
        bool taken = fs::exists(candidate, ec);
        for (std::string_view suffix : kCompanionSuffixes)
            taken = taken || fs::exists(candidate.string() + std::string(suffix), ec);
        if (!taken) return candidate;
    }
}

}  // namespace

ConfigDatabase& ConfigDatabase::Instance() {
    static ConfigDatabase instance;
    return instance;
}

ConfigDatabase::~ConfigDatabase() {
    if (opened_) connection_.Close();
}

fs::path ConfigDatabase::DatabaseFile(const fs::path& userDataFolder, std::string_view stem) {
    return userDataFolder / "db" / (std::string(stem) + "_data.db");
}

bool ConfigDatabase::OpenForDevice(const fs::path& userDataFolder, std::string_view stem) {
    auto lock = Lock();
    path_ = DatabaseFile(userDataFolder, stem).string();
    bool result;
    if (connection_.IsOpen() && openPath_ == path_) {
        result = true;
    } else {
        if (connection_.IsOpen()) connection_.Close();
        std::error_code ec;
        result = fs::exists(path_, ec) ? OpenExisting() : CreateDatabase();
    }
    opened_ = result;
    return result;
}

bool ConfigDatabase::OpenExisting() {
    if (!connection_.Open(path_.c_str(), kOpenReadWrite | kOpenFullMutex)) return false;
    openPath_ = path_;
    switch (CheckSchema(connection_)) {
        case SchemaState::Valid:
            return true;
        case SchemaState::Empty:
            // A database without a single table holds nothing of the user's: its creation was cut
            // short before the schema was written. It is finished in place.
            Trace("ConfigDatabase: %s has no tables, creating them", path_.c_str());
            return RunSchema();
        case SchemaState::Unreadable:
            Trace("ConfigDatabase: %s cannot be read", path_.c_str());
            connection_.Close();
            return false;
        case SchemaState::Damaged:
            break;
    }
    connection_.Close();
    if (connection_.IsOpen() || !SetAside()) return false;
    return CreateDatabase();
}

bool ConfigDatabase::SetAside() {
    const fs::path file = path_;
    const fs::path aside = AsideName(file);
    std::error_code ec;
    fs::rename(file, aside, ec);
    if (ec) {
        Trace("ConfigDatabase: cannot move %s aside: %s", path_.c_str(), ec.message().c_str());
        return false;
    }
    for (std::string_view suffix : kCompanionSuffixes) {
        const fs::path companion = file.string() + std::string(suffix);
        if (fs::exists(companion, ec)) fs::rename(companion, aside.string() + std::string(suffix), ec);
    }
    Trace("ConfigDatabase: %s is not a usable database; kept as %s", path_.c_str(), aside.c_str());
    setAside_ = aside;
    return true;
}

bool ConfigDatabase::CreateDatabase() {
    auto lock = Lock();
    if (connection_.IsOpen()) return true;
    std::error_code ec;
    fs::create_directories(fs::path(path_).parent_path(), ec);
    if (!connection_.Open(path_.c_str(), kOpenReadWrite | kOpenCreate | kOpenFullMutex)) return false;
    openPath_ = path_;
    return RunSchema();
}

bool ConfigDatabase::RunSchema() {
    // One transaction: a process that dies half-way leaves a file without tables, never one with half
    // of them.
    const bool began = connection_.Exec("BEGIN") == kSqliteOk;
    bool ok = true;
    for (const std::string& statement : SchemaStatements()) {
        if (connection_.Exec(statement.c_str()) != kSqliteOk) ok = false;
    }
    if (began && connection_.Exec("END") != kSqliteOk) ok = false;
    return ok;
}

void ConfigDatabase::CloseIfOpen() {
    auto lock = Lock();
    if (!opened_) return;
    connection_.Close();
    opened_ = false;
}

bool ConfigDatabase::IsOpened() {
    auto lock = Lock();
    return opened_;
}

std::string ConfigDatabase::Path() {
    auto lock = Lock();
    return path_;
}

fs::path ConfigDatabase::SetAsideFile() {
    auto lock = Lock();
    return setAside_;
}

}  // namespace vellomir
