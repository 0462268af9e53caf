// Two processes writing the same project at once lose nothing.
#include <sys/wait.h>
#include <unistd.h>

#include "projectdb_fixture.h"

namespace {
// One writer process: inserts rows and increments a shared counter.
int writer(const std::wstring& path, int rounds)
{
    IProjectDatabasePtr db;
    bool readOnly = false;
    if (FAILED(db.CreateInstance()) || !db.OpenDatabase(path.c_str(), readOnly)) return 2;
    try {
        _variant_t stored;
        for (int i = 0; i < rounds; ++i) {
            db.SetTable(L"tblDuct", L"ixDuct");
            if (!db.AddNew(makeFieldList({{L"AIRFLOW", L"sa"}, {L"CFM", double(i)}}), stored)) return 3;
            db.Execute(L"update tblGlobal set dNumber = dNumber + 1 where sKey = 'DCONN-FLEXLENGTH'");
        }
    } catch (const _com_error&) {
        return 4;
    }
    return 0;
}
}  // namespace

TEST_F(ProjectDbTest, TwoProcessesWritingAtOnceLoseNoUpdate)
{
    constexpr int kRounds = 40;
    pid_t children[2];
    for (pid_t& child : children) {
        child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) _exit(writer(widePath(), kRounds));
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    IProjectDatabasePtr db = open();
    _variant_t values;
    ASSERT_TRUE(db.SelectColumn(L"select count(*) from tblDuct", values));
    EXPECT_EQ(static_cast<VARIANT*>(values.parray->pvData)[0].lVal, 2 * kRounds);
    ASSERT_TRUE(db.SelectColumn(L"select dNumber from tblGlobal where sKey = 'DCONN-FLEXLENGTH'", values));
    EXPECT_DOUBLE_EQ(static_cast<VARIANT*>(values.parray->pvData)[0].dblVal, 60.0 + 2 * kRounds);
}
