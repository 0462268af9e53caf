// Creating a new project database file and repairing a damaged one.
#pragma once

#include <string>

namespace projectdb {

struct ProjectFileResult {
    bool ok = false;
    std::string path;     // the project file
    std::string message;  // what was done, or why it failed
};

// Creates DIR/NAME_zk_hvac.zk with every table and the starting rows. NAME
// defaults to the folder's own name. Fails when the file already exists.
// The file appears complete or not at all (built aside, then linked in).
ProjectFileResult createProject(const std::string& dir, const std::string& name = {});

// Rebuilds a damaged project file: a fresh file with the full schema gets
// every row that can still be read; tables that could not be read at all
// get their starting rows. The damaged file is kept as PATH.damaged and the
// rebuilt one replaces PATH in one rename.
ProjectFileResult repairProject(const std::string& path);

}  // namespace projectdb
