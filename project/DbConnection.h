// The project database connection of a project folder: finding and opening
// the file, repair through the product's "compactDatabase", and the
// database error report.
#pragma once

#include <string>

#include "projectdb/ProjectDatabasePtr.h"

class DbConnection {
public:
    // Connects when not open yet. Answers whether a new connection was made.
    bool connect(const std::string& folder, const std::string& key, bool messages);
    bool isOpen();
    IProjectDatabasePtr& database() { return mDb; }
    const std::string& projectFolder() const { return mFolder; }

private:
    IProjectDatabasePtr mDb;
    std::string mFolder;
};

// Prints the pending error of db (nothing for 3021); answers whether one
// was pending. Sets the AutoLISP result to nil first.
bool reportDatabaseError(IProjectDatabasePtr& db);
// "\nError finding the HVAC database." and its siblings, by discipline key.
std::string findErrorMessage(const std::string& key);
