// Each AutoLISP call of the duct functions writes its rows in one
// transaction: a failure anywhere along a split leaves every row of that
// call or none (and no duct without its row), and another process never
// sees part of a call. The project's file system fails on demand.
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include "database/dbopen.h"
#include "ducts/DuctAccess.h"
#include "ducts/DuctDbRecord.h"
#include "ducts/ZkDuct.h"
#include "editor/EditorView.h"
#include "integration/DocData.h"
#include "project/ProjectData.h"
#include "tests/integration/HostFixture.h"
#include "tests/projectdb/faulty_vfs.h"

namespace {

constexpr FaultKind kKinds[] = {FaultKind::Read, FaultKind::Write, FaultKind::Sync, FaultKind::Lock};

class DuctCallTransaction : public HostFixture {
protected:
    void SetUp() override {
        installFaultyVfs();
        HostFixture::SetUp();
        if (!ZkDuct::desc()) ZkDuct::rxInit();
        gDocDataManager = new DocDataManager;
        registerFunctionTableForTest();
        registerEditorViewVars();
        ASSERT_TRUE(gDocDataManager->currentDocData()->project()->makeReady(true)) << output;
        projectFile = projectDir + "/alpha_zk_hvac.zk";
        for (const char* source :
             {"(defun convert_rp_dp (p u) p)", "(defun convert_ra_da (a u) a)", "(defun getPrevDuct (k x) nil)",
              "(defun getNextDuctsTransparent (k x tr) nil)", "(defun duct-elevationListDialog (l) 0)",
              "(defun duct-getSettings (x) '((\"AIRFLOW\" . \"sa\") (\"SHAPE\" . \"r\") (\"SIZEFOR\" . \"12x8\")"
              " (\"WIDTH\" . 12.0) (\"DEPTH\" . 8.0) (\"Z1\" . 120.0) (\"Z2\" . 120.0)))",
              "(setvar \"VIEWCTR\" '(0 0 0))", "(setvar \"VIEWSIZE\" 100000.0)"})
            eval(source);
    }
    void TearDown() override {
        disarmFaults();
        delete gDocDataManager;
        gDocDataManager = nullptr;
        HostFixture::TearDown();
    }
    int32_t zkDuct(double x1, double y1, double x2, double y2) {
        std::string r = eval("(zkDuct '(" + std::to_string(x1) + " " + std::to_string(y1) + ") '(" +
                             std::to_string(x2) + " " + std::to_string(y2) + "))");
        return r == "nil" || r.rfind(";", 0) == 0 ? 0 : std::stoi(r);
    }
    // The keys of the drawing's ducts.
    std::vector<int32_t> ductKeys() {
        std::vector<int32_t> keys;
        AcDbBlockTableRecord* space = nullptr;
        if (acdbOpenObject(space, doc->database()->modelSpaceId(), AcDb::kForRead) != Acad::eOk) return keys;
        for (AcDbObjectId id : space->entityIds()) {
            AcDbObjectPointer<ZkDuct> d(id, AcDb::kForRead);
            if (d && !id.isErased()) keys.push_back(d->ductKey());
        }
        space->close();
        return keys;
    }
    std::string projectFile;
};

// One number the project file answers, read by a connection of its own
// (as another user would), -1 when it cannot be read.
long long askFile(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    long long value = -1;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        // Retries a locked file every 0.1 ms (up to 5 s), so a reader looks
        // often enough to catch any state between two commits.
        sqlite3_busy_handler(db, [](void*, int tries) { return tries < 50000 ? (usleep(100), 1) : 0; }, nullptr);
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
            value = sqlite3_column_int64(stmt, 0);
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return value;
}

} // namespace

TEST_F(DuctCallTransaction, EveryFailurePointOfASplitLeavesAllItsRowsOrNone) {
    double y = 0;
    int runs = 0;
    for (FaultKind kind : kKinds) {
        for (int n = 1;; ++n) {
            y += 100;
            const int32_t main = zkDuct(0, y, 100, y);
            ASSERT_GT(main, 0) << "the connection did not recover after " << faultKindName(kind) << " " << n - 1
                               << output;
            const long long before = askFile(projectFile, "select count(*) from tblDuct");
            armFault(kind, n);
            const int32_t branch = zkDuct(40, y, 40, y + 30);  // splits main: two new rows
            const bool fired = faultFired();
            disarmFaults();
            ++runs;
            const long long after = askFile(projectFile, "select count(*) from tblDuct");
            SCOPED_TRACE(std::string(faultKindName(kind)) + " " + std::to_string(n));
            if (branch != 0) {
                EXPECT_EQ(after, before + 2);
            } else {
                EXPECT_TRUE(after == before || after == before + 2) << before << " -> " << after;
            }
            // The split moves main's start only together with its rows.
            const long long mainStart =
                askFile(projectFile, "select cast(X1 as integer) from tblDuct where ixDuct = " + std::to_string(main));
            EXPECT_EQ(mainStart, after == before ? 0 : 40);
            for (int32_t key : ductKeys())
                EXPECT_EQ(askFile(projectFile, "select count(*) from tblDuct where ixDuct = " + std::to_string(key)), 1)
                    << "duct " << key << " has no row";
            if (!fired) break;
        }
    }
    EXPECT_GT(runs, 12);
}

// A second process, forked before this one opens the project (SQLite's
// locks must not be carried across fork), that reads the duct table while
// the test draws: every call after the first splits the main duct (two rows,
// the new piece's filled in after it is added). Seeing an even count or a
// row without its airflow is seeing part of a call.
class DuctCallReader : public DuctCallTransaction {
protected:
    static constexpr int kSplits = 25;
    void SetUp() override {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        reader = fork();
        if (reader == 0) {
            close(fds[1]);
            char path[4096] = {};
            ssize_t got = read(fds[0], path, sizeof path - 1);
            if (got <= 0) _exit(5);
            long long seen = 0, looks = 0;
            while (seen < 1 + 2 * kSplits) {
                seen = askFile(path, "select count(*) from tblDuct");
                ++looks;
                if (seen < 0) _exit(2);
                if (seen > 0 && seen % 2 == 0) _exit(3);  // 0: before the main duct
                if (askFile(path, "select count(*) from tblDuct where AIRFLOW is null or AIRFLOW = ''") != 0) _exit(4);
            }
            _exit(looks > kSplits ? 0 : 6);
        }
        close(fds[0]);
        DuctCallTransaction::SetUp();
        ASSERT_EQ(write(fds[1], projectFile.c_str(), projectFile.size()), ssize_t(projectFile.size()));
        close(fds[1]);
    }
    pid_t reader = -1;
};

TEST_F(DuctCallReader, AnotherProcessSeesAllRowsOfACallOrNone) {
    ASSERT_GT(zkDuct(0, 0, 10000, 0), 0);
    for (int i = 1; i <= kSplits; ++i) ASSERT_GT(zkDuct(9900 - 300.0 * i, 0, 9900 - 300.0 * i, 50), 0) << output;
    int status = 0;
    waitpid(reader, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0)
        << "2: unreadable, 3: half a call's rows, 4: a row not filled in, 6: too few looks to tell";
}

TEST_F(DuctCallTransaction, CallbacksSeeTheProjectAsBeforeTheCallAndAreNotLockedOutBeforeItsFirstWrite) {
    ASSERT_GT(zkDuct(0, 0, 100, 0), 0);
    // (peek WHEN): another user's write (not waiting for locks) and row count,
    // taken from inside the product's callbacks.
    struct Peek {
        std::string when;
        int writeRc;
        long long rows;
    };
    std::vector<Peek> peeks;
    interp.defineBuiltin("peek", [&](lisp::Args args) {
        sqlite3* other = nullptr;
        int rc = sqlite3_open_v2(projectFile.c_str(), &other, SQLITE_OPEN_READWRITE, nullptr);
        if (rc == SQLITE_OK)
            rc = sqlite3_exec(other, "update tblGlobal set dNumber = dNumber where sKey = 'ELBOW RADIUS'", nullptr,
                              nullptr, nullptr);
        sqlite3_close(other);
        peeks.push_back({args[0]->str, rc, askFile(projectFile, "select count(*) from tblDuct")});
        return lisp::Interpreter::nil();
    }, 1, 1);
    eval("(setq settings-before (duct-getSettings nil))");
    eval("(defun duct-getSettings (x) (peek \"settings\") settings-before)");
    eval("(defun convert_rp_dp (p u) (peek \"convert\") p)");
    // A duct on nothing: the settings are asked for before any row is written.
    ASSERT_GT(zkDuct(200, 0, 300, 0), 0) << output;
    ASSERT_FALSE(peeks.empty());
    EXPECT_EQ(peeks.front().when, "settings");
    EXPECT_EQ(peeks.front().writeRc, SQLITE_OK);
    for (const Peek& p : peeks) {
        SCOPED_TRACE(p.when);
        EXPECT_EQ(p.rows, 1);  // never part of the call
        EXPECT_TRUE(p.writeRc == SQLITE_OK || p.writeRc == SQLITE_BUSY) << p.writeRc;
    }
    // Once the call has written, another user's write waits for its end.
    EXPECT_EQ(peeks.back().writeRc, SQLITE_BUSY);
    EXPECT_EQ(askFile(projectFile, "select count(*) from tblDuct"), 2);
}

// A duct function called from inside another (through a product callback)
// nests in the outer call: its rows are stored with the outer call's, and
// go with them, entity and all, when the outer call fails.
class NestedDuctCalls : public DuctCallTransaction {
protected:
    void SetUp() override {
        DuctCallTransaction::SetUp();
        interp.defineBuiltin("rows-elsewhere", [this](lisp::Args) {
            seenElsewhere.push_back(askFile(projectFile, "select count(*) from tblDuct"));
            return lisp::Interpreter::nil();
        }, 0, 0);
        // The outer call's settings callback draws another duct first.
        eval("(setq settings-kept (duct-getSettings nil) nesting nil inner-key nil)");
        eval("(defun duct-getSettings (x)"
             "  (if (null nesting) (setq nesting T inner-key (zkDuct '(0 500) '(100 500))))"
             "  settings-kept)");
        eval("(defun convert_rp_dp (p u) (rows-elsewhere) p)");
    }
    std::vector<long long> seenElsewhere;
};

TEST_F(NestedDuctCalls, InnerCallsRowsAreStoredWithTheOuterCall) {
    const int32_t outer = zkDuct(0, 0, 100, 0);
    ASSERT_GT(outer, 0) << output;
    EXPECT_NE(eval("inner-key"), "nil");
    ASSERT_FALSE(seenElsewhere.empty());
    EXPECT_EQ(seenElsewhere.back(), 0);  // the inner call's row waits for the outer commit
    EXPECT_EQ(askFile(projectFile, "select count(*) from tblDuct"), 2);
    EXPECT_EQ(ductKeys().size(), 2u);
}

TEST_F(NestedDuctCalls, AFailedOuterCallTakesTheInnerCallsRowAndDuctWithIt) {
    eval("(setq drawn-at-zero (duct-getSettings nil))");  // draws the inner duct on its own
    ASSERT_EQ(askFile(projectFile, "select count(*) from tblDuct"), 1);
    eval("(setq nesting nil inner-key nil)");
    // Rows along y = 0 are refused: the outer duct's, not the inner one's.
    ASSERT_TRUE(currentDuctRecord()->database().Execute(
        L"create trigger refuse before insert on tblDuct when new.Y1 = 0 begin select raise(abort, 'refused'); end"));
    EXPECT_EQ(zkDuct(0, 0, 100, 0), 0);
    EXPECT_NE(eval("inner-key"), "nil");  // the inner call went through on its own
    EXPECT_EQ(askFile(projectFile, "select count(*) from tblDuct"), 1);
    EXPECT_EQ(ductKeys().size(), 1u) << "the inner call's duct outlived its row";
    EXPECT_NE(output.find("refused"), std::string::npos) << output;
}
