// The PostgreSQL back end: a project kept in a database on a server,
// reached through libpq.
#pragma once

#include <memory>
#include <string>

#include "projectdb/sqlconnection.h"

namespace projectdb {

// Connects; a row lock held by another user is waited for up to
// lockTimeoutMs. Null with *error set when the server cannot be reached.
std::unique_ptr<SqlConnection> openPgProject(const std::string& connection, int lockTimeoutMs, SqlError* error);

}  // namespace projectdb
