// A project database opened by path in a private component instance, for the
// dialogs that may edit another project than the drawing's.
#pragma once

#include <string>

#include "projectdb/ProjectDatabasePtr.h"

// Opens the database at path. Answers a null pointer when the component
// cannot be created, the file does not open (told by the database error
// report unless quiet) or it is read-only (always told, in a message box).
IProjectDatabasePtr openPrivateDatabase(const std::string& path, bool quiet = false);

// Closes a database opened by openPrivateDatabase. A failure to close has
// nothing left to lose (the dialog saved or reported already), so it is
// not reported again.
void closePrivateDatabase(IProjectDatabasePtr& db);
