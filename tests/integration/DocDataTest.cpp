// Document and project data following the host's document events.
#include "HostFixture.h"
#include "integration/DocData.h"

namespace {

class DocData : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        gDocDataManager = new DocDataManager;
        manager = gDocDataManager;
    }
    void TearDown() override {
        delete gDocDataManager;
        gDocDataManager = nullptr;
        HostFixture::TearDown();
    }
    AcApDocument* open(const std::string& name) {
        return acDocManager->createDocument(name, new AcDbDatabase(true));
    }
    std::vector<std::string> docNames() const {
        std::vector<std::string> names;
        for (auto* d : manager->documents()) names.push_back(d->fileName());
        return names;
    }
    DocDataManager* manager = nullptr;
};

} // namespace

TEST_F(DocData, KeysAndShortNames) {
    EXPECT_EQ(projectKeyOf("C:\\jobs\\a\\x.dwg"), "C:\\jobs\\a");
    EXPECT_EQ(projectKeyOf("/jobs/a/x.dwg"), "/jobs/a");
    EXPECT_EQ(projectKeyOf("x.dwg"), "");
    EXPECT_EQ(shortNameOf("C:\\jobs\\a\\x.dwg"), "x.dwg");
    EXPECT_EQ(shortNameOf("/jobs/a/x.dwg"), "x.dwg");
}

TEST_F(DocData, SameFolderSharesOneProject) {
    AcApDocument* b = open(projectDir + "/B.dwg");
    ASSERT_EQ(manager->projects().size(), 1u);
    EXPECT_EQ(manager->projects()[0]->documentCount(), 2);
    acDocManager->closeDocument(b);
    ASSERT_EQ(manager->projects().size(), 1u);
    acDocManager->closeDocument(doc);
    EXPECT_TRUE(manager->projects().empty());
    EXPECT_TRUE(manager->documents().empty());
}

TEST_F(DocData, ActivationExchangesOnlyTheHead) {
    AcApDocument* b = open(projectDir + "/B.dwg");
    AcApDocument* c = open("/projects/beta/C.dwg");
    EXPECT_EQ(docNames(), (std::vector<std::string>{"/projects/beta/C.dwg", projectDir + "/B.dwg",
                                                    projectDir + "/A.dwg"}));
    acDocManager->activateDocument(doc);
    EXPECT_EQ(docNames(), (std::vector<std::string>{projectDir + "/A.dwg", projectDir + "/B.dwg",
                                                    "/projects/beta/C.dwg"}));
    acDocManager->activateDocument(b);
    EXPECT_EQ(docNames()[0], projectDir + "/B.dwg");
    acDocManager->activateDocument(doc);
    acDocManager->activateDocument(b);
    EXPECT_EQ(docNames()[0], projectDir + "/B.dwg");
    (void)c;
}

TEST_F(DocData, SaveUnderNewNameMovesTheDrawing) {
    adsRegisterSysVar("savefile", [](resbuf* rb) {
        rb->restype = RTSTR;
        rb->resval.rstring = strdup("/tmp/auto.sv$");
        return true;
    });
    AcEditor* editor = acedEditorPtr();
    // An automatic save keeps everything where it was.
    editor->fireSaveComplete(doc->database(), "/tmp/auto.sv$");
    EXPECT_EQ(docNames(), std::vector<std::string>{projectDir + "/A.dwg"});
    // Save As into another folder moves the drawing and drops the old project.
    editor->fireSaveComplete(doc->database(), "/projects/beta/A2.dwg");
    EXPECT_EQ(docNames(), std::vector<std::string>{"/projects/beta/A2.dwg"});
    ASSERT_EQ(manager->projects().size(), 1u);
    EXPECT_EQ(manager->projects()[0]->name(), "/projects/beta");
    adsUnregisterSysVar("savefile");
}

TEST_F(DocData, ActivationCallbackRespectsTheSwitch) {
    interp.evalString("(setq hits 0) (defun c:zk_hvac-doToDo () (setq hits (1+ hits)))");
    AcApDocument* b = open(projectDir + "/B.dwg");
    acDocManager->activateDocument(doc);
    EXPECT_EQ(eval("hits"), "2"); // B created (activated), then A
    gDoDocumentActivated = false;
    acDocManager->activateDocument(b);
    EXPECT_EQ(eval("hits"), "2");
    gDoDocumentActivated = true;
}
