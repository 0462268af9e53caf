// Server project creation and project copies between engines.
#include "projectdb/serverproject.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>

#include "projectdb/ProjectDatabase.h"
#include "projectdb/connectionfile.h"
#include "projectdb/pgconnection.h"
#include "projectdb/seeddata.h"
#include "projectdb/sqliteconnection.h"

namespace projectdb {
namespace {

bool fileExists(const std::string& path)
{
    struct stat st{};
    return stat(path.c_str(), &st) == 0;
}

// DIR/NAME_zk_hvac.zk, or a message saying why there is none.
bool projectPath(const std::string& dir, const std::string& name, std::string& path, std::string& message)
{
    struct stat st{};
    if (dir.empty() || stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        message = "The project folder '" + dir + "' does not exist.";
        return false;
    }
    std::string folder = dir;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    std::string project = name.empty() ? folder.substr(folder.find_last_of('/') + 1) : name;
    if (project.empty() || project.find('/') != std::string::npos) {
        message = "'" + project + "' is not a usable project name.";
        return false;
    }
    path = folder + "/" + project + "_zk_hvac.zk";
    if (fileExists(path)) {
        message = "The project database '" + path + "' already exists.";
        return false;
    }
    return true;
}

// Writes the connection file beside others' work: built aside, then linked
// in, so it appears whole and never replaces a file made meanwhile.
bool writeConnectionFile(const std::string& path, const std::string& connection, std::string& message)
{
    std::string scratch = path + ".new-" + std::to_string(getpid());
    {
        std::ofstream out(scratch, std::ios::trunc);
        out << "# Orvane HVAC project database on a PostgreSQL server.\n"
               "# Passwords come from ~/.pgpass or PGPASSWORD, never from this file.\n"
            << connection << "\n";
        out.flush();
        if (!out) {
            message = "Could not write '" + scratch + "'.";
            std::remove(scratch.c_str());
            return false;
        }
    }
    bool linked = link(scratch.c_str(), path.c_str()) == 0;
    std::remove(scratch.c_str());
    if (!linked) message = "Could not create '" + path + "'.";
    return linked;
}

std::string errorText(const SqlConnection& db) { return db.error().text; }

// One side of a copy, opened.
struct Endpoint {
    std::unique_ptr<SqlConnection> db;
    std::string scratch;  // a new file being built, linked to `path` at the end
    std::string path;
};

bool openServer(const std::string& connection, Endpoint& end, std::string& message)
{
    if (std::string problem = connectionProblem(connection); !problem.empty()) {
        message = problem;
        return false;
    }
    SqlError error;
    end.db = openPgProject(connection, projectDatabaseBusyTimeout(), &error);
    if (!end.db) message = "Cannot connect to '" + connection + "': " + error.text;
    return end.db != nullptr;
}

bool openEndpoint(const std::string& where, bool target, Endpoint& end, std::string& message)
{
    if (isServerConnection(where)) return openServer(where, end, message);
    std::string connection;
    if (readConnectionFile(where, connection, message)) return openServer(connection, end, message);
    if (!message.empty()) return false;
    end.path = where;
    std::string file = where;
    if (!fileExists(where)) {
        if (!target) {
            message = "Could not find file '" + where + "'.";
            return false;
        }
        // A new file is built aside and linked into place when complete.
        end.scratch = where + ".new-" + std::to_string(getpid());
        std::remove(end.scratch.c_str());
        sqlite3* created = nullptr;
        int rc = sqlite3_open_v2(end.scratch.c_str(), &created, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        sqlite3_close(created);
        if (rc != SQLITE_OK) {
            message = "Could not create '" + where + "'.";
            return false;
        }
        file = end.scratch;
    }
    SqliteOpen outcome;
    SqlError error;
    end.db = openSqliteProject(file, projectDatabaseBusyTimeout(), &outcome, &error);
    if (!end.db) message = "Cannot open '" + where + "': " + error.text;
    else if (target && end.db->readOnly()) message = "'" + where + "' is read-only.";
    return end.db && message.empty();
}

// Number of project rows the database holds (tables it lacks count none).
bool projectRows(SqlConnection& db, long& rows)
{
    rows = 0;
    std::set<std::string> present;
    if (!db.relationNames(present)) return false;
    for (const TableDef& t : projectTables()) {
        if (!present.count(lowerCased(t.name))) continue;
        auto count = db.prepare("SELECT count(*) FROM " + db.identifier(t.name));
        if (!count || count->step() != StepResult::Row) return false;
        rows += long(count->integer(0));
    }
    return true;
}

// Copies one table's rows over the columns both sides have.
bool copyTable(SqlConnection& from, SqlConnection& to, const TableDef& table, long& rows, std::string& message)
{
    std::vector<ColumnInfo> source, target;
    if (!from.tableColumns(table.name, source)) return true;  // nothing to copy
    if (!to.tableColumns(table.name, target)) {
        message = "The target has no table " + table.name + ".";
        return false;
    }
    std::string read, write, params;
    int count = 0;
    for (const ColumnInfo& c : source) {
        bool shared = false;
        for (const ColumnInfo& t : target) shared = shared || lowerCased(t.name) == lowerCased(c.name);
        if (!shared) continue;
        read += (count ? ", " : "") + from.identifier(c.name);
        write += (count ? ", " : "") + to.identifier(c.name);
        params += (count ? ", ?" : "?") + std::to_string(count + 1);
        ++count;
    }
    if (count == 0) return true;
    auto select = from.prepare("SELECT " + read + " FROM " + from.identifier(table.name));
    auto insert = to.prepare("INSERT INTO " + to.identifier(table.name) + " (" + write + ") VALUES (" + params + ")");
    if (!select || !insert) {
        message = errorText(select ? to : from);
        return false;
    }
    StepResult step;
    while ((step = select->step()) == StepResult::Row) {
        for (int i = 0; i < count; ++i) insert->bind(i + 1, select->value(i));
        if (insert->step() != StepResult::Done) {
            message = table.name + ": " + errorText(to);
            return false;
        }
        insert->reset();
        ++rows;
    }
    if (step == StepResult::Failed) message = table.name + ": " + errorText(from);
    return step == StepResult::Done;
}

}  // namespace

ProjectFileResult createServerProject(const std::string& dir, const std::string& name, const std::string& connection)
{
    ProjectFileResult result;
    if (!isServerConnection(connection)) {
        result.message = "'" + connection + "' is not a PostgreSQL connection (postgresql://... or service=...).";
        return result;
    }
    if (!projectPath(dir, name, result.path, result.message)) return result;
    Endpoint server;
    if (!openServer(connection, server, result.message)) return result;
    SqlConnection& db = *server.db;
    long rows = 0;
    if (!projectRows(db, rows)) {
        result.message = errorText(db);
        return result;
    }
    if (rows == 0) {
        bool ok = db.begin() && ensureSchema(db, false) && seedAllTables(db);
        if (ok) ok = db.commit();
        if (!ok) {
            result.message = "Cannot create the project on the server: " + errorText(db);
            db.rollback();
            return result;
        }
    }
    if (!writeConnectionFile(result.path, connection, result.message)) return result;
    result.ok = true;
    result.message = (rows == 0 ? "Created " : "Joined the project already on the server: ") + result.path;
    return result;
}

ProjectFileResult copyProject(const std::string& from, const std::string& to)
{
    ProjectFileResult result;
    result.path = to;
    Endpoint source, target;
    if (!openEndpoint(from, false, source, result.message)) return result;
    if (!openEndpoint(to, true, target, result.message)) {
        if (!target.scratch.empty()) std::remove(target.scratch.c_str());
        return result;
    }
    SqlConnection& in = *source.db;
    SqlConnection& out = *target.db;
    long existing = 0, rows = 0;
    // The source is read as one snapshot; the target is written in one
    // transaction, so a failed copy leaves it as it was.
    bool ok = in.beginRead();
    if (!ok) result.message = errorText(in);
    if (ok && !(ok = out.begin() && ensureSchema(out, false) && projectRows(out, existing))) result.message = errorText(out);
    if (ok && existing > 0) {
        result.message = "'" + to + "' already holds " + std::to_string(existing) +
                         " project rows; copy into a new file or an empty database.";
        ok = false;
    }
    for (const TableDef& t : projectTables())
        if (ok) ok = copyTable(in, out, t, rows, result.message);
    for (const TableDef& t : projectTables())
        if (ok && !(ok = out.continueKeysAfter(t))) result.message = errorText(out);
    if (ok && !(ok = out.commit())) result.message = errorText(out);
    if (!ok) out.rollback();
    in.rollback();  // ends the read snapshot
    source.db.reset();
    target.db.reset();
    if (!target.scratch.empty()) {
        if (ok && link(target.scratch.c_str(), target.path.c_str()) != 0) {
            result.message = "Could not create '" + target.path + "'.";
            ok = false;
        }
        std::remove(target.scratch.c_str());
    }
    result.ok = ok;
    if (ok) result.message = "Copied " + std::to_string(rows) + " rows from " + from + " to " + to + ".";
    return result;
}

}  // namespace projectdb
