// Soak: two processes increment one setting through Seek then Update, the
// way a record save reads and writes. A write over a row the other process
// changed fails with 3197 and is retried after a new read; the counter must
// end at its start plus exactly the increments that reported success.
// ORV_SOAK_ROUNDS sets the increments per process (default 2,000; the
// documented manual run uses 10,000).
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "projectdb/ProjectDatabasePtr.h"
#include "projectdb/fieldlisthelpers.h"
#include "projectdb/projectfile.h"

namespace fs = std::filesystem;

namespace {

struct Tally {
    long done = 0, conflicts = 0, otherErrors = 0;
};

double currentValue(IProjectDatabasePtr& db)
{
    _variant_t fields;
    db.SetTable(L"tblGlobal", L"sKey");
    if (!db.Seek(L"ELBOW RADIUS", fields)) return -1;
    const VARIANT* v = fieldValue(fields, L"dNumber");
    return v && v->vt == VT_R8 ? v->dblVal : -1;
}

// One process: `rounds` successful increments.
Tally incrementer(const std::wstring& path, long rounds)
{
    Tally tally;
    IProjectDatabasePtr db;
    bool readOnly = false;
    if (FAILED(db.CreateInstance()) || !db.OpenDatabase(path.c_str(), readOnly)) return tally;
    while (tally.done < rounds) {
        try {
            double value = currentValue(db);
            _variant_t stored;
            db.Update(makeFieldList({{L"dNumber", value + 1}}), stored);
            ++tally.done;
        } catch (const _com_error&) {
            _bstr_t text;
            if (db.GetLastError(text) == 3197) ++tally.conflicts;
            else ++tally.otherErrors;
        }
    }
    return tally;
}

}  // namespace

TEST(Soak, TwoProcessesIncrementingOneRowLoseNoUpdateSilently)
{
    const long rounds = std::getenv("ORV_SOAK_ROUNDS") ? std::atol(std::getenv("ORV_SOAK_ROUNDS")) : 2000;
    std::string base = fs::exists("/dev/shm") ? "/dev/shm/soak-XXXXXX" : "/tmp/soak-XXXXXX";
    ASSERT_NE(mkdtemp(base.data()), nullptr);
    auto created = projectdb::createProject(base, "Soak");
    ASSERT_TRUE(created.ok) << created.message;
    const std::wstring path = utf8ToWide(created.path);
    double start = 0;
    {
        IProjectDatabasePtr db;
        bool readOnly = false;
        ASSERT_EQ(db.CreateInstance(), S_OK);
        ASSERT_TRUE(db.OpenDatabase(path.c_str(), readOnly));
        start = currentValue(db);
    }

    int pipes[2][2];
    pid_t children[2];
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(pipe(pipes[i]), 0);
        children[i] = fork();
        ASSERT_GE(children[i], 0);
        if (children[i] == 0) {
            Tally tally = incrementer(path, rounds);
            ssize_t written = write(pipes[i][1], &tally, sizeof tally);
            _exit(written == sizeof tally ? 0 : 1);
        }
        close(pipes[i][1]);
    }
    Tally total;
    for (int i = 0; i < 2; ++i) {
        Tally tally;
        EXPECT_EQ(read(pipes[i][0], &tally, sizeof tally), static_cast<ssize_t>(sizeof tally));
        close(pipes[i][0]);
        int status = 0;
        waitpid(children[i], &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        EXPECT_EQ(tally.done, rounds);
        total.done += tally.done;
        total.conflicts += tally.conflicts;
        total.otherErrors += tally.otherErrors;
    }
    IProjectDatabasePtr db;
    bool readOnly = false;
    ASSERT_EQ(db.CreateInstance(), S_OK);
    ASSERT_TRUE(db.OpenDatabase(path.c_str(), readOnly));
    EXPECT_EQ(currentValue(db), start + static_cast<double>(total.done));
    std::printf("soak: 2 processes x %ld increments, %ld conflicts reported (3197) and retried, %ld other errors\n",
                rounds, total.conflicts, total.otherErrors);
    db.Close();
    fs::remove_all(base);
}
