// (host-sql SQL [VALUE ...]): one SQL statement with "?" parameters on the
// current drawing's project database, for the example product layer and
// for scripts. Rows come back as lists of values, a statement without rows
// answers the number of rows it changed, and an SQL error is an AutoLISP
// error carrying the database's message. The project may be an SQLite file
// or a server database named by the project file.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <vector>

#include "app/HostSession.h"
#include "lisp/Interpreter.h"
#include "projectdb/sqlconnection.h"
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

projectdb::SqlValue valueOf(const Ref& value) {
    if (!value) return {};
    if (value->type == lisp::Type::Int) return projectdb::SqlValue::ofInteger(value->u.i);
    if (value->type == lisp::Type::Real) return projectdb::SqlValue::ofReal(value->u.r);
    if (value->type == lisp::Type::Str) return projectdb::SqlValue::ofText(value->str);
    if (value == Interpreter::t()) return projectdb::SqlValue::ofInteger(-1);
    lisp::raiseError("bad argument type: " + Interpreter::prin1Text(value) + " in host-sql");
}

Ref column(const projectdb::SqlStatement& stmt, int i) {
    projectdb::SqlValue value = stmt.value(i);
    switch (value.type) {
    case projectdb::SqlType::Null: return Interpreter::nil();
    case projectdb::SqlType::Integer:
        if (value.integer >= std::numeric_limits<int32_t>::min() && value.integer <= std::numeric_limits<int32_t>::max())
            return Interpreter::integer(static_cast<int32_t>(value.integer));
        return Interpreter::real(static_cast<double>(value.integer));
    case projectdb::SqlType::Real: return Interpreter::real(value.real);
    case projectdb::SqlType::Text: return Interpreter::string(value.text);
    }
    return Interpreter::nil();
}

Ref runSql(Args args) {
    if (!lisp::isType(args[0], lisp::Type::Str))
        lisp::raiseError("bad argument type: stringp " + Interpreter::prin1Text(args[0]) + " in host-sql");
    AcApDocument* doc = acDocManager->curDocument();
    if (!doc) lisp::raiseError("host-sql: no current drawing");
    std::filesystem::path folder = std::filesystem::absolute(doc->fileName()).parent_path();
    std::string path = projectFileIn(folder);
    if (path.empty()) lisp::raiseError("host-sql: no project database in " + folder.string());

    // One connection per call; closing it rolls back anything a statement
    // left open.
    projectdb::SqlError error;
    auto db = projectdb::openProjectConnection(path, kBusyTimeoutMs, &error);
    if (!db) lisp::raiseError(error.text);
    auto stmt = db->prepareCallerText(args[0]->str);
    if (!stmt) {
        const std::string& text = db->error().text;
        lisp::raiseError(text.rfind("only one SQL statement", 0) == 0 ? "host-sql: " + text : text);
    }
    int parameters = stmt->parameterCount();
    if (static_cast<int>(args.size()) - 1 != parameters)
        lisp::raiseError("host-sql: the statement takes " + std::to_string(parameters) + " values, " +
                         std::to_string(args.size() - 1) + " given");
    for (int i = 1; i <= parameters; ++i) stmt->bind(i, valueOf(args[i]));

    int columns = stmt->columnCount();
    std::vector<Ref> rows;
    projectdb::StepResult step;
    while ((step = stmt->step()) == projectdb::StepResult::Row) {
        std::vector<Ref> row;
        for (int i = 0; i < columns; ++i) row.push_back(column(*stmt, i));
        rows.push_back(Interpreter::list(row));
    }
    if (step != projectdb::StepResult::Done) lisp::raiseError(db->error().text);
    if (columns == 0) return Interpreter::integer(static_cast<int32_t>(stmt->changes()));
    return Interpreter::list(rows);
}

} // namespace

void defineProjectSqlFunction(lisp::Interpreter& lisp) { lisp.defineBuiltin("host-sql", runSql, 1, -1); }
