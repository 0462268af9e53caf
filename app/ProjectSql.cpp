// (host-sql SQL [VALUE ...]): one SQL statement with "?" parameters on the
// current drawing's project database, for the example product layer and
// for scripts. Rows come back as lists of values, a statement without rows
// answers the number of rows it changed, and an SQL error is an AutoLISP
// error carrying SQLite's message.
#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <vector>

#include "app/HostSession.h"
#include "lisp/Interpreter.h"
#include "runtime/docman.h"

using lisp::Args;
using lisp::Interpreter;
using lisp::Ref;

namespace {

constexpr int kBusyTimeoutMs = 10000;

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

// The project file of a drawing folder, found as the module finds it: the
// one *zk_hvac*.zk (else *zk_hvac*.mdb), skipping the product's master and
// standards files.
std::string projectFileIn(const std::filesystem::path& folder) {
    for (const char* extension : {".ZK", ".MDB"}) {
        std::vector<std::string> found;
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
            std::string name = upper(entry.path().filename().string());
            if (!entry.is_regular_file() || name.find("ZK_HVAC") == std::string::npos) continue;
            if (name.size() < std::strlen(extension) || name.compare(name.size() - std::strlen(extension),
                                                                      std::string::npos, extension) != 0)
                continue;
            if (name.rfind("52-ZK", 0) == 0 || name.find("_MASTER") != std::string::npos ||
                name.find("_STANDARDS") != std::string::npos)
                continue;
            found.push_back(entry.path().string());
        }
        if (found.size() == 1) return found.front();
        if (found.size() > 1) return {};
    }
    return {};
}

// Owns one connection and one statement for the length of a call; closing
// the connection rolls back anything a statement left open.
struct SqlCall {
    sqlite3* db = nullptr;
    sqlite3_stmt* stmt = nullptr;
    ~SqlCall() {
        sqlite3_finalize(stmt);
        sqlite3_close_v2(db);
    }
    [[noreturn]] void fail() const { lisp::raiseError(sqlite3_errmsg(db)); }
};

void bind(SqlCall& call, int index, const Ref& value) {
    int rc = SQLITE_OK;
    if (!value) rc = sqlite3_bind_null(call.stmt, index);
    else if (value->type == lisp::Type::Int) rc = sqlite3_bind_int(call.stmt, index, value->u.i);
    else if (value->type == lisp::Type::Real) rc = sqlite3_bind_double(call.stmt, index, value->u.r);
    else if (value->type == lisp::Type::Str)
        rc = sqlite3_bind_text(call.stmt, index, value->str.data(), int(value->str.size()), SQLITE_TRANSIENT);
    else if (value == Interpreter::t()) rc = sqlite3_bind_int(call.stmt, index, -1);
    else lisp::raiseError("bad argument type: " + Interpreter::prin1Text(value) + " in host-sql");
    if (rc != SQLITE_OK) call.fail();
}

Ref column(sqlite3_stmt* stmt, int i) {
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_NULL: return Interpreter::nil();
    case SQLITE_INTEGER: {
        sqlite3_int64 n = sqlite3_column_int64(stmt, i);
        if (n >= std::numeric_limits<int32_t>::min() && n <= std::numeric_limits<int32_t>::max())
            return Interpreter::integer(static_cast<int32_t>(n));
        return Interpreter::real(static_cast<double>(n));
    }
    case SQLITE_FLOAT: return Interpreter::real(sqlite3_column_double(stmt, i));
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
        return Interpreter::string(text ? std::string(text, sqlite3_column_bytes(stmt, i)) : std::string());
    }
    }
}

Ref runSql(Args args) {
    if (!lisp::isType(args[0], lisp::Type::Str))
        lisp::raiseError("bad argument type: stringp " + Interpreter::prin1Text(args[0]) + " in host-sql");
    AcApDocument* doc = acDocManager->curDocument();
    if (!doc) lisp::raiseError("host-sql: no current drawing");
    std::filesystem::path folder = std::filesystem::absolute(doc->fileName()).parent_path();
    std::string path = projectFileIn(folder);
    if (path.empty()) lisp::raiseError("host-sql: no project database in " + folder.string());

    SqlCall call;
    if (sqlite3_open_v2(path.c_str(), &call.db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) call.fail();
    sqlite3_busy_timeout(call.db, kBusyTimeoutMs);
    const std::string& sql = args[0]->str;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(call.db, sql.c_str(), int(sql.size()), &call.stmt, &tail) != SQLITE_OK) call.fail();
    if (!call.stmt) lisp::raiseError("host-sql: no SQL statement");
    for (; tail && *tail; ++tail) {
        if (!std::isspace(static_cast<unsigned char>(*tail)) && *tail != ';')
            lisp::raiseError("host-sql: only one SQL statement is run at a time");
    }
    int parameters = sqlite3_bind_parameter_count(call.stmt);
    if (static_cast<int>(args.size()) - 1 != parameters)
        lisp::raiseError("host-sql: the statement takes " + std::to_string(parameters) + " values, " +
                         std::to_string(args.size() - 1) + " given");
    for (int i = 1; i <= parameters; ++i) bind(call, i, args[i]);

    int columns = sqlite3_column_count(call.stmt);
    std::vector<Ref> rows;
    int rc;
    while ((rc = sqlite3_step(call.stmt)) == SQLITE_ROW) {
        std::vector<Ref> row;
        for (int i = 0; i < columns; ++i) row.push_back(column(call.stmt, i));
        rows.push_back(Interpreter::list(row));
    }
    if (rc != SQLITE_DONE) call.fail();
    if (columns == 0) return Interpreter::integer(sqlite3_changes(call.db));
    return Interpreter::list(rows);
}

} // namespace

void defineProjectSqlFunction(lisp::Interpreter& lisp) { lisp.defineBuiltin("host-sql", runSql, 1, -1); }
