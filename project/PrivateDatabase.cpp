// Opening a project database by path for one dialog.
#include "project/PrivateDatabase.h"

#include "ads/ads.h"
#include "project/DbConnection.h"
#include "ui/MessageBox.h"

IProjectDatabasePtr openPrivateDatabase(const std::string& path, bool quiet) {
    IProjectDatabasePtr db;
    if (FAILED(db.CreateInstance())) return nullptr;
    try {
        bool readOnly = false;
        if (!db.OpenDatabase(path.c_str(), readOnly)) {
            // A file that is missing or not a database leaves no component
            // error behind: say so rather than stay silent.
            if (!quiet && !reportDatabaseError(db)) acutPrintf("\nDatabase Error: cannot open %s", path.c_str());
            return nullptr;
        }
        if (readOnly) {
            MessageBox(nullptr, "Database is read-only. Cannot be viewed at this time.", "Orvane", MB_ICONEXCLAMATION);
            db.Close();
            return nullptr;
        }
    } catch (const _com_error&) {
        if (!quiet && !reportDatabaseError(db)) acutPrintf("\nDatabase Error: cannot open %s", path.c_str());
        return nullptr;
    }
    return db;
}

void closePrivateDatabase(IProjectDatabasePtr& db) {
    try {
        db.Close();
    } catch (const _com_error&) {
    }
}
