// Fault injection: every read, write, sync and lock along a record save, a
// repair and a new project is made to fail in turn. Each run must end with
// a message, and the project reopened afterwards must hold either the state
// before or the whole change, never part of it.
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "faulty_vfs.h"
#include "projectdb/ProjectDatabasePtr.h"
#include "projectdb/fieldlisthelpers.h"
#include "projectdb/projectfile.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

constexpr FaultKind kKinds[] = {FaultKind::Read, FaultKind::Write, FaultKind::Sync, FaultKind::Lock};

std::string contentsOf(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// One SQL answer of a project file read directly (faults disarmed), "" when
// it cannot be read.
std::string answer(const std::string& path, const char* sql)
{
    sqlite3* db = nullptr;
    std::string out;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK) {
            while (sqlite3_step(stmt) == SQLITE_ROW)
                for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                    auto text = sqlite3_column_text(stmt, c);
                    out += (text ? reinterpret_cast<const char*>(text) : "null") + std::string("|");
                }
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return out;
}

// The files of a folder other than the given ones (left-over scratch files).
std::vector<std::string> strayFiles(const std::string& folder, const std::vector<std::string>& expected)
{
    std::vector<std::string> stray;
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::string name = entry.path().filename().string();
        bool known = false;
        for (const std::string& e : expected) known = known || name == e || name.rfind(e + ".damaged", 0) == 0;
        if (!known) stray.push_back(name);
    }
    return stray;
}

class FaultInjection : public ::testing::Test {
protected:
    void SetUp() override
    {
        installFaultyVfs();
        // Memory-backed when available: thousands of synced saves.
        std::string base = fs::exists("/dev/shm") ? "/dev/shm/faults-XXXXXX" : "/tmp/faults-XXXXXX";
        ASSERT_NE(mkdtemp(base.data()), nullptr);
        root = base;
        folder = root + "/Job";
        fs::create_directory(folder);
        auto created = projectdb::createProject(folder);
        ASSERT_TRUE(created.ok) << created.message;
        path = created.path;
    }
    void TearDown() override
    {
        disarmFaults();
        fs::remove_all(root);
    }

    // Runs work once per failure point of every kind (counted by a run
    // without failures first); restore() puts the files back before each.
    template <class Restore, class Work, class Check>
    void sweep(Restore restore, Work work, Check check)
    {
        for (FaultKind kind : kKinds) {
            restore();
            armFault(kind, 0);
            work();
            const int total = faultCount(kind);
            points += total;
            for (int n = 1; n <= total; ++n) {
                restore();
                armFault(kind, n);
                std::string message;
                bool ok = work(&message);
                bool fired = faultFired();
                disarmFaults();
                SCOPED_TRACE(std::string(faultKindName(kind)) + " " + std::to_string(n) + " of " +
                             std::to_string(total));
                if (!ok) {
                    EXPECT_FALSE(message.empty());
                }
                if (fired && ok) ++survived;
                check(ok);
                ++outcomes;
            }
        }
    }

    std::string root, folder, path;
    int points = 0, outcomes = 0, survived = 0;
};

}  // namespace

TEST_F(FaultInjection, RecordSaveIsWholeOrNotAtAll)
{
    const std::string before = contentsOf(path);
    auto restore = [&] {
        fs::remove(path + "-journal");
        std::ofstream(path, std::ios::binary | std::ios::trunc) << before;
    };
    // Two fields of one row and a new row: a save the module makes.
    auto work = [&](std::string* message = nullptr) {
        try {
            IProjectDatabasePtr db;
            if (FAILED(db.CreateInstance())) return false;
            bool readOnly = false;
            if (!db.OpenDatabase(utf8ToWide(path).c_str(), readOnly)) {
                if (message) {
                    _bstr_t text;
                    db.GetLastError(text);
                    *message = text.utf8();
                }
                return false;
            }
            _variant_t fields, stored;
            // A call that answers "not done" without raising must say why.
            auto done = [&](bool answer) {
                if (!answer && message) {
                    _bstr_t text;
                    db.GetLastError(text);
                    *message = text.utf8();
                }
                return answer;
            };
            if (!done(db.SetTable(L"tblGlobal", L"sKey")) || !done(db.Seek(L"ELBOW RADIUS", fields)) ||
                !done(db.Update(makeFieldList({{L"dNumber", 2.5}, {L"sText", L"changed"}}), stored)) ||
                !done(db.SetTable(L"tblDuct", L"ixDuct")) ||
                !done(db.AddNew(makeFieldList({{L"AIRFLOW", L"sa"}, {L"WIDTH", 14.0}, {L"DEPTH", 8.0}}), stored)))
                return false;
            return true;
        } catch (const _com_error& e) {
            if (message) *message = wideToUtf8(e.ErrorMessage());
            return false;
        }
    };
    const std::string oldGlobal = answer(path, "select dNumber, sText from tblGlobal where sKey = 'ELBOW RADIUS'");
    work();
    const std::string newGlobal = answer(path, "select dNumber, sText from tblGlobal where sKey = 'ELBOW RADIUS'");
    const std::string newDuct = answer(path, "select AIRFLOW, WIDTH, DEPTH from tblDuct");
    ASSERT_NE(oldGlobal, newGlobal);
    sweep(restore, work, [&](bool ok) {
        std::string global = answer(path, "select dNumber, sText from tblGlobal where sKey = 'ELBOW RADIUS'");
        std::string duct = answer(path, "select AIRFLOW, WIDTH, DEPTH from tblDuct");
        EXPECT_TRUE(global == oldGlobal || global == newGlobal) << global;
        EXPECT_TRUE(duct.empty() || duct == newDuct) << duct;
        if (ok) {
            EXPECT_EQ(global, newGlobal);
            EXPECT_EQ(duct, newDuct);
        }
        EXPECT_EQ(answer(path, "pragma integrity_check"), "ok|");
    });
    RecordProperty("failure_points", points);
    std::printf("record save: %d failure points, %d outcomes checked, %d runs recovered by themselves\n", points,
                outcomes, survived);
    EXPECT_GT(points, 20);
}

TEST_F(FaultInjection, TransactionStoresAllItsWritesOrNone)
{
    const std::string before = contentsOf(path);
    auto restore = [&] {
        fs::remove(path + "-journal");
        std::ofstream(path, std::ios::binary | std::ios::trunc) << before;
    };
    // An update and two new rows in one transaction, as one AutoLISP call
    // of the module writes them.
    auto work = [&](std::string* message = nullptr) {
        IProjectDatabasePtr db;
        try {
            if (FAILED(db.CreateInstance())) return false;
            bool readOnly = false;
            if (!db.OpenDatabase(utf8ToWide(path).c_str(), readOnly)) throw _com_error(E_FAIL);
            _variant_t fields, stored;
            db.BeginTrans();
            if (!db.SetTable(L"tblGlobal", L"sKey") || !db.Seek(L"ELBOW RADIUS", fields)) throw _com_error(E_FAIL);
            db.Update(makeFieldList({{L"dNumber", 2.5}}), stored);
            db.SetTable(L"tblDuct", L"ixDuct");
            db.AddNew(makeFieldList({{L"AIRFLOW", L"sa"}}), stored);
            db.AddNew(makeFieldList({{L"AIRFLOW", L"ra"}}), stored);
            db.CommitTrans();
            return true;
        } catch (const _com_error&) {
            if (message && db) {
                _bstr_t text;
                db.GetLastError(text);
                *message = text.utf8();
            }
            return false;
        }
    };
    const std::string oldState = answer(path, "select (select dNumber from tblGlobal where sKey = 'ELBOW RADIUS'),"
                                              " (select count(*) from tblDuct)");
    work();
    const std::string newState = answer(path, "select (select dNumber from tblGlobal where sKey = 'ELBOW RADIUS'),"
                                              " (select count(*) from tblDuct)");
    ASSERT_EQ(newState, "2.5|2|");
    sweep(restore, work, [&](bool ok) {
        std::string state = answer(path, "select (select dNumber from tblGlobal where sKey = 'ELBOW RADIUS'),"
                                         " (select count(*) from tblDuct)");
        EXPECT_TRUE(state == oldState || state == newState) << state;
        if (ok) {
            EXPECT_EQ(state, newState);
        }
    });
    EXPECT_GT(points, 10);
}

TEST_F(FaultInjection, RepairReplacesTheFileWholeOrLeavesItUnchanged)
{
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        sqlite3_exec(db, "insert into tblDuct (AIRFLOW, WIDTH) values ('ra', 14); drop table tblMonth", nullptr,
                     nullptr, nullptr);
        sqlite3_close(db);
    }
    const std::string damaged = contentsOf(path);
    const std::string name = fs::path(path).filename().string();
    auto restore = [&] {
        for (const auto& entry : fs::directory_iterator(folder)) fs::remove(entry.path());
        std::ofstream(path, std::ios::binary | std::ios::trunc) << damaged;
    };
    auto work = [&](std::string* message = nullptr) {
        projectdb::ProjectFileResult result = projectdb::repairProject(path);
        if (message) *message = result.message;
        return result.ok;
    };
    sweep(restore, work, [&](bool ok) {
        if (ok) {
            EXPECT_EQ(answer(path, "select count(*) from tblMonth"), "12|");
            EXPECT_EQ(answer(path, "select AIRFLOW, WIDTH from tblDuct"), "ra|14.0|");
            EXPECT_EQ(contentsOf(path + ".damaged"), damaged);
        } else {
            EXPECT_EQ(contentsOf(path), damaged);
        }
        EXPECT_EQ(strayFiles(folder, {name}), std::vector<std::string>{});
    });
    std::printf("repair: %d failure points, %d outcomes checked, %d runs recovered by themselves\n", points,
                outcomes, survived);
    EXPECT_GT(points, 20);
}

TEST_F(FaultInjection, NewProjectAppearsWholeOrNotAtAll)
{
    const std::string other = root + "/Annex";
    const std::string file = other + "/Annex_zk_hvac.zk";
    auto restore = [&] {
        fs::remove_all(other);
        fs::create_directory(other);
    };
    auto work = [&](std::string* message = nullptr) {
        projectdb::ProjectFileResult result = projectdb::createProject(other);
        if (message) *message = result.message;
        return result.ok;
    };
    sweep(restore, work, [&](bool ok) {
        if (ok) {
            EXPECT_EQ(answer(file, "select count(*) from tblMonth"), "12|");
            EXPECT_EQ(answer(file, "select dNumber from tblGlobal where sKey = 'ELBOW RADIUS'"), "1.0|");
            EXPECT_EQ(strayFiles(other, {"Annex_zk_hvac.zk"}), std::vector<std::string>{});
        } else {
            EXPECT_FALSE(fs::exists(file));
            EXPECT_EQ(strayFiles(other, {}), std::vector<std::string>{});
        }
    });
    std::printf("new project: %d failure points, %d outcomes checked, %d runs recovered by themselves\n", points,
                outcomes, survived);
    EXPECT_GT(points, 20);
}
