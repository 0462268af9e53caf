// The registered function table seen from AutoLISP, the result builders, and
// the document-data functions.
#include "HostFixture.h"
#include "integration/DocData.h"
#include "integration/FunctionTable.h"
#include "integration/ModuleFunctions.h"
#include "integration/LispCall.h"
#include "integration/LispResults.h"
#include "integration/ResultList.h"

namespace {

// Test functions registered beside the module's table (codes 100+).
int resultListHandler() {
    ResultList list;
    list.begin();
    list.addString("a");
    list.addStringInt("n", 70000);
    list.addStringReal("r", 1.5);
    list.addRealLong(2.5, 3);
    list.addStringEntity("e", nullptr);
    list.finish();
    return RSRSLT;
}
// Lists longer than one block of nodes, strings among them, and lists begun
// again or built again after a finish: nothing lost, nothing leaked.
void addLongList(ResultList& list) {
    list.begin();
    list.addString("dropped");
    list.begin();  // the unfinished list goes, its string with it
    for (int i = 0; i < 300; ++i) {
        list.addRealLong(i * 0.5, i);
        list.addStringInt("k" + std::to_string(i), 70000 + i);
    }
}
int longResultHandler() {
    ResultList list;
    addLongList(list);
    list.finish();
    return RSRSLT;
}
int rebuiltResultHandler() {
    ResultList list;
    addLongList(list);
    list.finish();
    list.begin();  // the finished list's blocks serve again
    for (int i = 0; i < 100; ++i) list.addString(std::string(20, char('a' + i % 26)));
    list.addListBegin();
    list.addInt(-32769);
    list.addInt(32767);
    list.addListEnd();
    list.finish();
    return RSRSLT;
}
int intOrRealBig() { retIntOrReal(70000); return RSRSLT; }
int intOrRealSmall() { retIntOrReal(-32768); return RSRSLT; }

// Registers a test function under a name and function code.
void define(const char* name, int code, AdsFunctionHandler handler) {
    acedDefun(name, static_cast<short>(code));
    acedRegFunc(handler, code);
}

class FunctionTable : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        gDocDataManager = new DocDataManager;
        registerFunctionTable(kLispFunctionTable, kLispFunctionCount, 0);
    }
    void TearDown() override {
        delete gDocDataManager;
        gDocDataManager = nullptr;
        HostFixture::TearDown();
    }
};

} // namespace

TEST_F(FunctionTable, FiftyFourFunctionsWithTheirCodes) {
    auto functions = adsRegisteredFunctions();
    ASSERT_EQ(functions.size(), 54u);
    for (int i = 0; i < 54; ++i) {
        EXPECT_EQ(functions[i].second, i);
        EXPECT_EQ(functions[i].first, kLispFunctionTable[i].name);
    }
    EXPECT_EQ(functions[11].first, "zk_hvac-room-draw");
    EXPECT_EQ(functions[39].first, "c:checkzk");
    EXPECT_EQ(functions[53].first, "zk_hvac-setDoDocumentActivated");
    EXPECT_EQ(eval("(type zk_hvac-room-draw)"), "EXRXSUBR");
}

TEST_F(FunctionTable, ResultBuilders) {
    define("t-list", 100, resultListHandler);
    define("t-big", 101, intOrRealBig);
    define("t-small", 102, intOrRealSmall);
    EXPECT_EQ(eval("(t-list)"), "(\"a\" (\"n\" . 70000) (\"r\" . 1.5) (2.5 . 3) (\"e\"))");
    EXPECT_EQ(eval("(type (t-big))"), "REAL");
    EXPECT_EQ(eval("(t-small)"), "-32768");
}

TEST_F(FunctionTable, LongAndRebuiltResultLists) {
    define("t-long", 103, longResultHandler);
    define("t-again", 104, rebuiltResultHandler);
    EXPECT_EQ(eval("(length (t-long))"), "600");
    EXPECT_EQ(eval("(car (t-long))"), "(0.0 . 0)");
    EXPECT_EQ(eval("(nth 599 (t-long))"), "(\"k299\" . 70299)");
    EXPECT_EQ(eval("(nth 200 (t-long))"), "(50.0 . 100)");
    EXPECT_EQ(eval("(length (t-again))"), "101");
    EXPECT_EQ(eval("(car (t-again))"), "\"aaaaaaaaaaaaaaaaaaaa\"");
    EXPECT_EQ(eval("(nth 99 (t-again))"), "\"vvvvvvvvvvvvvvvvvvvv\"");
    EXPECT_EQ(eval("(last (t-again))"), "(-32769 32767)");
}

TEST_F(FunctionTable, ArgumentErrorsPrintTheirMessage) {
    output.clear();
    EXPECT_EQ(eval("(zk_hvac-setIsMetric)"), "nil");
    EXPECT_EQ(output, "\nWrong type of arguments passed.\n");
}

TEST_F(FunctionTable, IsMetricAndActivationSwitch) {
    zkPerProjectData* project = gDocDataManager->currentDocData()->project();
    eval("(zk_hvac-setIsMetric T)");
    EXPECT_TRUE(project->isMetric());
    eval("(zk_hvac-setIsMetric nil)");
    EXPECT_FALSE(project->isMetric());
    eval("(zk_hvac-setDoDocumentActivated nil)");
    EXPECT_FALSE(gDoDocumentActivated);
    eval("(zk_hvac-setDoDocumentActivated)"); // unreadable: unchanged
    EXPECT_FALSE(gDoDocumentActivated);
    eval("(zk_hvac-setDoDocumentActivated T)");
    EXPECT_TRUE(gDoDocumentActivated);
}

TEST_F(FunctionTable, CheckZkListsDocumentsAndProjects) {
    output.clear();
    eval("(c:checkzk)");
    EXPECT_EQ(output, "\nDocument list\n" + projectDir + "/A.dwg\nProject list\n" + projectDir);
}
