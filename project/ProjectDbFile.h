// Finding a project's database file in its folder.
#pragma once

#include <string>

// The one file in `folder` named *KEY*.zk (or, failing that, *KEY*.mdb),
// skipping names that start with "52-ZK" or contain "_MASTER" or
// "_STANDARDS" (compared upper-cased). Empty when none or several remain.
std::string findProjectDatabaseFile(const std::string& folder, const std::string& key);
