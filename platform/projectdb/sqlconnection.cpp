// Schema creation and one-off statements, the same on every engine.
#include "projectdb/sqlconnection.h"

#include <cctype>

namespace projectdb {

std::string lowerCased(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool runStatement(SqlConnection& db, const std::string& sql, const std::vector<SqlValue>& params)
{
    auto stmt = db.prepare(sql);
    if (!stmt) return false;
    for (size_t i = 0; i < params.size(); ++i) stmt->bind(int(i) + 1, params[i]);
    StepResult step;
    while ((step = stmt->step()) == StepResult::Row) {
    }
    return step == StepResult::Done;
}

bool ensureSchema(SqlConnection& db, bool ownTransaction)
{
    std::set<std::string> present;
    if (!db.relationNames(present)) return false;
    bool complete = true;
    for (const TableDef& t : projectTables()) {
        complete = complete && present.count(lowerCased(t.name));
        for (const IndexDef& ix : t.indexes)
            complete = complete && present.count(lowerCased(sqlIndexName(t.name, ix.name)));
    }
    if (complete) return true;
    if (ownTransaction && !db.begin()) return false;
    bool ok = true;
    for (const std::string& sql : db.schemaPrelude()) ok = ok && runStatement(db, sql);
    for (const TableDef& t : projectTables())
        for (const std::string& sql : db.createStatements(t)) ok = ok && runStatement(db, sql);
    if (!ownTransaction) return ok;
    if (ok) return db.commit();
    db.rollback();
    return false;
}

}  // namespace projectdb
