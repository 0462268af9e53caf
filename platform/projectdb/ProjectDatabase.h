// Creating and registering the project database component.
#pragma once

#include "projectdb/IProjectDatabase.h"

// A new, closed component instance with one reference.
IProjectDatabase* createProjectDatabase();
// Registers the component's class id with CoCreateInstance. Done when the
// library loads; callable again (for instance after a revoke).
void registerProjectDatabaseClass();
// How long a call waits for another process's lock before failing with
// 3043; applies to databases opened afterwards. Default 10000 ms.
void setProjectDatabaseBusyTimeout(int milliseconds);
int projectDatabaseBusyTimeout();
