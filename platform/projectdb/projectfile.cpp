// Project file creation and repair.
#include "projectdb/projectfile.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <set>
#include <vector>

#include "projectdb/ProjectDatabase.h"
#include "projectdb/connectionfile.h"
#include "projectdb/schema.h"
#include "projectdb/seeddata.h"
#include "projectdb/statement.h"

namespace projectdb {
namespace {

std::string baseName(std::string dir)
{
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    auto slash = dir.find_last_of('/');
    return slash == std::string::npos ? dir : dir.substr(slash + 1);
}

bool isLockFailure(int rc)
{
    int primary = rc & 0xFF;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

// A failure to read that says nothing about damage: the rows are there,
// the disk or network failed to deliver them this time.
bool isTransientFailure(int rc)
{
    int primary = rc & 0xFF;
    return primary == SQLITE_IOERR || primary == SQLITE_NOMEM || primary == SQLITE_CANTOPEN;
}

// Opens (creating) a scratch database file meant to be renamed into place.
sqlite3* openScratch(const std::string& path, std::string& error)
{
    std::remove(path.c_str());
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        error = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        std::remove(path.c_str());
        return nullptr;
    }
    return db;
}

int createSchema(sqlite3* db)
{
    for (const TableDef& t : projectTables())
        for (const std::string& sql : createStatements(t))
            if (int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr); rc != SQLITE_OK) return rc;
    return SQLITE_OK;
}

// Closes a finished scratch file, making sure it is on disk.
bool finishScratch(sqlite3* db, std::string& error)
{
    int rc = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) error = sqlite3_errmsg(db);
    sqlite3_close(db);
    return rc == SQLITE_OK;
}

std::vector<std::string> columnsOf(sqlite3* db, const std::string& schema, const std::string& table)
{
    std::vector<std::string> out;
    Statement stmt;
    if (prepareStatement(db, "SELECT name FROM pragma_table_info(?1, ?2)", stmt) != SQLITE_OK) return out;
    sqlite3_bind_text(stmt.get(), 1, table.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(stmt.get(), 2, schema.c_str(), -1, SQLITE_TRANSIENT);
    while (sqlite3_step(stmt.get()) == SQLITE_ROW)
        out.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0)));
    return out;
}

struct CopyResult {
    bool readable = false;  // the table could be read at all
    int rows = 0;
    bool complete = false;  // read to its end without error
    bool locked = false;    // reading stopped at another user's lock
    bool ioError = false;   // reading stopped at a disk or network error, not at damage
};

// Copies the rows of one table that can be read, row by row, so damage
// part-way through keeps the rows before it.
CopyResult copyRows(sqlite3* source, sqlite3* target, const std::string& table)
{
    CopyResult result;
    std::vector<std::string> targetColumns = columnsOf(target, "main", table);
    std::vector<std::string> sourceColumns = columnsOf(source, "main", table);
    std::set<std::string> wanted(targetColumns.begin(), targetColumns.end());
    std::string list, params;
    for (const std::string& c : sourceColumns) {
        if (!wanted.count(c)) continue;
        list += (list.empty() ? "" : ", ") + quoteName(c);
        params += params.empty() ? "?" : ", ?";
    }
    if (list.empty()) return result;
    Statement read, write;
    if (int rc = prepareStatement(source, "SELECT " + list + " FROM " + quoteName(table), read); rc != SQLITE_OK) {
        result.locked = isLockFailure(rc);
        result.ioError = isTransientFailure(rc);
        return result;
    }
    if (prepareStatement(target, "INSERT OR IGNORE INTO " + quoteName(table) + " (" + list + ") VALUES (" + params + ")",
                         write) != SQLITE_OK)
        return result;
    int columns = sqlite3_column_count(read.get());
    int rc;
    while ((rc = sqlite3_step(read.get())) == SQLITE_ROW) {
        result.readable = true;
        for (int i = 0; i < columns; ++i) sqlite3_bind_value(write.get(), i + 1, sqlite3_column_value(read.get(), i));
        if (sqlite3_step(write.get()) == SQLITE_DONE) ++result.rows;
        sqlite3_reset(write.get());
    }
    result.complete = rc == SQLITE_DONE;
    result.locked = isLockFailure(rc);
    result.ioError = isTransientFailure(rc);
    result.readable = result.readable || result.complete;
    return result;
}

// Tables of the damaged file beyond the project schema, with their SQL.
std::vector<std::pair<std::string, std::string>> extraTables(sqlite3* source)
{
    std::vector<std::pair<std::string, std::string>> out;
    Statement stmt;
    if (prepareStatement(source, "SELECT name, sql FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'",
                         stmt) != SQLITE_OK)
        return out;
    while (sqlite3_step(stmt.get()) == SQLITE_ROW) {
        auto name = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0));
        auto sql = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 1));
        if (name && sql && !findTableDef(name)) out.emplace_back(name, sql);
    }
    return out;
}

bool fileExists(const std::string& path)
{
    struct stat st{};
    return stat(path.c_str(), &st) == 0;
}

std::string lockedMessage(const std::string& path)
{
    return "The project database '" + path +
           "' is in use by another user or program (locked); it was not repaired and nothing was changed. "
           "Try again when it is no longer in use.";
}

// Whether a file can be the remains of a project database: empty (a save
// that never happened), a database file, or a file that still holds the
// project's table definitions (a database whose first page was damaged).
// A script or a document is none of these.
bool looksLikeProjectFile(const std::string& path, const struct stat& st)
{
    if (st.st_size == 0) return true;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return true;  // unreadable: the copy below reports it
    static const char kHeader[] = "SQLite format 3";
    std::string head(sizeof kHeader, '\0');
    size_t got = std::fread(head.data(), 1, head.size(), file);
    if (got == head.size() && head == std::string(kHeader, sizeof kHeader)) {
        std::fclose(file);
        return true;
    }
    // Scan for a project table's definition; the schema lives near the start.
    std::string window;
    char buffer[65536];
    bool found = false;
    std::rewind(file);
    for (int chunks = 0; !found && chunks < 256; ++chunks) {
        size_t n = std::fread(buffer, 1, sizeof buffer, file);
        if (n == 0) break;
        window = window.substr(window.size() > 64 ? window.size() - 64 : 0) + std::string(buffer, n);
        found = window.find("CREATE TABLE \"tblGlobal\"") != std::string::npos ||
                window.find("CREATE TABLE tblGlobal") != std::string::npos;
    }
    std::fclose(file);
    return found;
}

// The damaged file opened for the copy, with the write lock taken (waiting
// up to the busy timeout for other users).
class SourceFile {
public:
    explicit SourceFile(const std::string& path)
    {
        if (sqlite3_open_v2(path.c_str(), &mDb, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            sqlite3_close(mDb);
            mDb = nullptr;
            sqlite3_open_v2(path.c_str(), &mDb, SQLITE_OPEN_READONLY, nullptr);
        }
        sqlite3_busy_timeout(mDb, projectDatabaseBusyTimeout());
        int rc = sqlite3_exec(mDb, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        // A file that cannot be written is still read under a read lock.
        if ((rc & 0xFF) == SQLITE_READONLY)
            rc = sqlite3_exec(mDb, "BEGIN; SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
        mBusy = isLockFailure(rc) || isTransientFailure(rc);
        if (rc == SQLITE_OK) mNotAProject = !hasProjectTable();
    }
    ~SourceFile()
    {
        if (mDb && !sqlite3_get_autocommit(mDb)) sqlite3_exec(mDb, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(mDb);
    }
    SourceFile(const SourceFile&) = delete;
    SourceFile& operator=(const SourceFile&) = delete;

    sqlite3* db() const { return mDb; }
    bool busy() const { return mBusy; }
    // A readable database that holds none of the project's tables.
    bool notAProject() const { return mNotAProject; }

private:
    bool hasProjectTable()
    {
        Statement stmt;
        if (prepareStatement(mDb, "SELECT name FROM sqlite_master WHERE type = 'table'", stmt) != SQLITE_OK) return true;
        int rc, tables = 0;
        bool known = false;
        while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
            ++tables;
            auto name = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0));
            known = known || (name && findTableDef(name));
        }
        // An empty schema is an empty file: damaged, not foreign.
        return rc != SQLITE_DONE || known || tables == 0;
    }

    sqlite3* mDb = nullptr;
    bool mBusy = false;
    bool mNotAProject = false;
};

// Links the damaged file to PATH.damaged, or PATH.damaged-2, -3, ... when
// earlier copies exist (each is kept). Answers the name, or "" on failure.
std::string keepDamagedCopy(const std::string& path)
{
    for (int n = 1; n < 10000; ++n) {
        std::string backup = path + ".damaged" + (n == 1 ? std::string() : "-" + std::to_string(n));
        if (link(path.c_str(), backup.c_str()) == 0) return backup;
        if (errno != EEXIST) return {};
    }
    return {};
}

}  // namespace

ProjectFileResult createProject(const std::string& dir, const std::string& name)
{
    ProjectFileResult result;
    struct stat st{};
    if (dir.empty() || stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        result.message = "The project folder '" + dir + "' does not exist.";
        return result;
    }
    std::string project = name.empty() ? baseName(dir) : name;
    if (project.empty() || project == "/" || project.find('/') != std::string::npos) {
        result.message = "'" + project + "' is not a usable project name.";
        return result;
    }
    std::string folder = dir.back() == '/' ? dir : dir + "/";
    result.path = folder + project + "_zk_hvac.zk";
    if (fileExists(result.path)) {
        result.message = "The project database '" + result.path + "' already exists.";
        return result;
    }
    std::string scratch = result.path + ".new-" + std::to_string(getpid());
    sqlite3* db = openScratch(scratch, result.message);
    if (!db) return result;
    int rc = sqlite3_exec(db, "PRAGMA journal_mode=DELETE; BEGIN", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) rc = createSchema(db);
    if (rc == SQLITE_OK) rc = seedAllTables(db);
    if (rc != SQLITE_OK) {
        result.message = sqlite3_errmsg(db);
        sqlite3_close(db);
        std::remove(scratch.c_str());
        return result;
    }
    if (!finishScratch(db, result.message)) {
        std::remove(scratch.c_str());
        return result;
    }
    // link() never replaces: a project created meanwhile by someone else stays.
    if (link(scratch.c_str(), result.path.c_str()) != 0) {
        result.message = "Could not create '" + result.path + "'.";
        std::remove(scratch.c_str());
        return result;
    }
    std::remove(scratch.c_str());
    result.ok = true;
    result.message = "Created " + result.path;
    return result;
}

ProjectFileResult repairProject(const std::string& path)
{
    ProjectFileResult result;
    result.path = path;
    struct stat st{};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        result.message = "Could not find file '" + path + "'.";
        return result;
    }
    if (std::string connection, problem; readConnectionFile(path, connection, problem)) {
        result.message = "'" + path + "' names a project on a database server, which keeps it whole; nothing to repair.";
        return result;
    }
    if (!looksLikeProjectFile(path, st)) {
        result.message = "'" + path + "' is not a project database; it was left unchanged.";
        return result;
    }
    // Hold the write lock on the damaged file from the first read until it
    // is replaced: no other user can commit a change that the copy misses.
    SourceFile source(path);
    if (source.busy()) {
        result.message = lockedMessage(path);
        return result;
    }
    if (source.notAProject()) {
        result.message = "'" + path + "' is a database but not a project database; it was left unchanged.";
        return result;
    }

    std::string scratch = path + ".repair-" + std::to_string(getpid());
    sqlite3* target = openScratch(scratch, result.message);
    if (!target) return result;
    int rc = sqlite3_exec(target, "PRAGMA journal_mode=DELETE; BEGIN", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) rc = createSchema(target);

    int rows = 0, lostTables = 0;
    bool locked = false, ioError = false;
    if (rc == SQLITE_OK) {
        for (const auto& [name, sql] : extraTables(source.db())) {
            if (sqlite3_exec(target, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK) {
                CopyResult copied = copyRows(source.db(), target, name);
                rows += copied.rows;
                locked = locked || copied.locked;
                ioError = ioError || copied.ioError;
            }
        }
        for (const TableDef& t : projectTables()) {
            CopyResult copied = copyRows(source.db(), target, t.name);
            locked = locked || copied.locked;
            ioError = ioError || copied.ioError;
            if (locked || ioError) break;
            rows += copied.rows;
            if (!copied.complete) ++lostTables;
            if (!copied.readable && copied.rows == 0) rc = seedTable(target, t.name);
            if (rc != SQLITE_OK) break;
        }
    }
    if (locked || ioError || rc != SQLITE_OK) {
        result.message = locked    ? lockedMessage(path)
                         : ioError ? "The project database '" + path +
                                         "' could not be read (disk or network error); it was not repaired and "
                                         "nothing was changed. Try again."
                                   : std::string(sqlite3_errmsg(target));
        sqlite3_close(target);
        std::remove(scratch.c_str());
        return result;
    }
    if (!finishScratch(target, result.message)) {
        std::remove(scratch.c_str());
        return result;
    }
    // Keep the damaged file under the first free numbered name, and move its
    // journal away: a journal left beside the rebuilt file would be rolled
    // back into it.
    std::string backup = keepDamagedCopy(path);
    if (backup.empty()) {
        result.message = "Could not keep a copy of the damaged file beside '" + path + "'; it was left unchanged.";
        std::remove(scratch.c_str());
        return result;
    }
    std::string journal = path + "-journal";
    if (fileExists(journal)) std::rename(journal.c_str(), (backup + "-journal").c_str());
    if (std::rename(scratch.c_str(), path.c_str()) != 0) {
        result.message = "Could not replace '" + path + "'.";
        std::remove(scratch.c_str());
        return result;
    }
    result.ok = true;
    result.message = "Repaired " + path + ": " + std::to_string(rows) + " rows recovered" +
                     (lostTables ? ", " + std::to_string(lostTables) + " tables damaged or missing" : "") +
                     "; the damaged file is kept as " + backup + ".";
    return result;
}

}  // namespace projectdb
