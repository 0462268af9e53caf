// Projects kept on a PostgreSQL server, and copying a project between a
// project file and a server database.
#pragma once

#include <string>

#include "projectdb/projectfile.h"

namespace projectdb {

// Creates the project tables and starting rows in the server database
// named by `connection` (a database that already holds a project is used
// as it is) and writes DIR/NAME_zk_hvac.zk naming it. NAME defaults to the
// folder's name. Fails when the file exists or the connection holds a
// password.
ProjectFileResult createServerProject(const std::string& dir, const std::string& name,
                                      const std::string& connection);

// Copies every project table's rows, keys included, from one project to
// another in one transaction. Each side is a project file path (SQLite, or
// a file naming a server) or a server connection ("postgresql://...").
// The target must hold no project rows; a missing target file or an empty
// server database gets the tables first.
ProjectFileResult copyProject(const std::string& from, const std::string& to);

}  // namespace projectdb
