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
    // Why the last connect left the connection closed, in words ("" when it
    // did not fail).
    const std::string& failureCause() const { return mCause; }

private:
    IProjectDatabasePtr mDb;
    std::string mFolder;
    std::string mCause;
};

// Prints the pending error of db (nothing for 3021); answers whether one
// was pending. Sets the AutoLISP result to nil first.
bool reportDatabaseError(IProjectDatabasePtr& db);
// "\nError finding the HVAC database." and its siblings, by discipline key.
std::string findErrorMessage(const std::string& key);
