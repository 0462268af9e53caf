// The project's duct defaults: the project-wide settings a new duct starts
// from before the product's current duct settings are applied. The project
// data reads them once per connection and holds them until the connection
// closes or the options dialog changes them.
#pragma once

#include "projectdb/ProjectDatabasePtr.h"

struct DuctDefaults {
    double interiorLining = 0.0;  // "LINING WIDTH"
    double exteriorLining = 0.0;  // "EXTERIOR LINING WIDTH"
};

// Reads the defaults from tblGlobal: the number of a numeric setting, else
// its text read as a number; a missing setting gives 0. Database failures
// raise _com_error.
DuctDefaults readDuctDefaults(IProjectDatabasePtr& db);
