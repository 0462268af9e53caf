// Statement preparation and identifier quoting.
#include "projectdb/statement.h"

namespace projectdb {

int prepareStatement(sqlite3* db, const std::string& sql, Statement& out)
{
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v3(db, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &stmt,
                                nullptr);
    out = Statement(stmt);
    return rc;
}

std::string quoteName(const std::string& name)
{
    std::string out = "\"";
    for (char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

}  // namespace projectdb
