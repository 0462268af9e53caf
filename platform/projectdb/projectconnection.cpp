// Opening the database of a project file for host tools, whichever engine
// holds it.
#include "projectdb/connectionfile.h"
#include "projectdb/pgconnection.h"
#include "projectdb/sqliteconnection.h"

namespace projectdb {

std::unique_ptr<SqlConnection> openProjectConnection(const std::string& projectFile, int busyTimeoutMs,
                                                     SqlError* error)
{
    std::string connection;
    if (readConnectionFile(projectFile, connection, error->text))
        return openPgProject(connection, busyTimeoutMs, error);
    if (!error->text.empty()) return nullptr;
    SqliteOpen outcome;
    return openSqliteProject(projectFile, busyTimeoutMs, &outcome, error, false);
}

}  // namespace projectdb
