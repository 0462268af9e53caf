// Connecting to the project database, with the repair path.
#include "project/DbConnection.h"

#include "ads/ads.h"
#include "integration/LispCallbacks.h"
#include "project/ProjectDbFile.h"

std::string findErrorMessage(const std::string& key)
{
    if (key == "zk_elec") return "\nError finding the electrical database.";
    if (key == "zk_plumb") return "\nError finding the plumbing database.";
    return "\nError finding the HVAC database.";
}

bool reportDatabaseError(IProjectDatabasePtr& db)
{
    acedRetNil();
    try {
        if (!db || !db.HasError()) return false;
        _bstr_t text;
        LONG number = db.GetLastError(text);
        if (number == 3043) {
            acutPrintf("\nA disk or network error occurred while trying to access the database.");
            acutPrintf("Try the command again. If it continues to not work, try restarting AutoCAD. If that does not "
                       "fix the error, try restarting your computer.");
        } else if (number != 3021) {
            acutPrintf("\nDatabase Error: %s", text.utf8().c_str());
        }
    } catch (const _com_error&) {
        return false;
    }
    return true;
}

bool DbConnection::isOpen()
{
    try {
        return mDb && mDb.IsOpen();
    } catch (const _com_error&) {
        return false;
    }
}

namespace {
std::string pendingErrorText(IProjectDatabasePtr& db)
{
    try {
        if (!db || !db.HasError()) return {};
        _bstr_t text;
        db.GetLastError(text);
        return text.utf8();
    } catch (const _com_error&) {
        return {};
    }
}
}  // namespace

bool DbConnection::connect(const std::string& folderIn, const std::string& key, bool messages)
{
    if (isOpen()) return false;
    mCause.clear();
    std::string folder = folderIn;
    while (!folder.empty() && (folder.back() == ' ' || folder.back() == '\t')) folder.pop_back();
    if (folder.empty()) {
        mCause = "the drawing has no project folder";
        return false;
    }
    mFolder = folder;
    std::string path = findProjectDatabaseFile(folder, key);
    if (path.empty()) {
        mCause = "no single project database file (*" + key + "*.zk or .mdb) was found in " + folder;
        if (messages) acutPrintf("%s", findErrorMessage(key).c_str());
        return false;
    }
    IProjectDatabasePtr db;
    if (FAILED(db.CreateInstance())) {
        mCause = "the project database component could not be created";
        return false;
    }
    mCause = "the project database " + path + " could not be opened";
    try {
        _bstr_t status = db.OpenProject(path.c_str());
        bool opened = status.length() > 0 && status.wide() != L"*REPAIR*";
        if (status.wide() == L"*REPAIR*") {
            db.Close();
            LispCallResult result;
            resbuf* args = acutBuildList(RTSTR, path.c_str(), RTNIL, RTSTR, "Repair", 0);
            mCause = "the project database " + path + " is damaged and was not repaired";
            if (invokeLisp("compactDatabase", args, result) && result.type() != RTNIL && result.type() != RTNONE) {
                status = db.OpenProject(path.c_str());
                opened = status.length() > 0 && status.wide() != L"*REPAIR*";
                if (!opened) mCause = "the project database " + path + " is still damaged after its repair";
            }
        }
        if (!opened) {
            if (std::string text = pendingErrorText(db); !text.empty()) mCause += " (" + text + ")";
            if (reportDatabaseError(db)) return false;
        }
    } catch (const _com_error& e) {
        acutPrintf("\nDatabase Error: %s", wideToUtf8(e.ErrorMessage()).c_str());
        return false;
    }
    mDb = db;
    return true;
}
