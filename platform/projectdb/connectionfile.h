// A project file that names a database server instead of holding the data:
// a short text file whose first line (after # comments) is a PostgreSQL
// connection, as a URI ("postgresql://host/db") or keywords
// ("service=office-projects"). It never holds a password; those come from
// the user's ~/.pgpass or the environment.
#pragma once

#include <string>

namespace projectdb {

// Whether the text is a server connection a project file may hold.
bool isServerConnection(const std::string& text);
// Reads the connection from a project file. False when the file is not a
// connection file; false with *error set when it is one that cannot be
// used (it holds a password, or cannot be read).
bool readConnectionFile(const std::string& path, std::string& connection, std::string& error);
// Why a connection cannot go into a project file ("" when it can).
std::string connectionProblem(const std::string& connection);

}  // namespace projectdb
