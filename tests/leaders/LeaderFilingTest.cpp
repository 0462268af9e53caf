// Leader filing: binary versions 1 and 2, newer data, tagged data with and
// without the subclass marker.
#include "LeaderFixture.h"
#include "database/io/DwgMemoryFiler.h"
#include "database/io/ResbufDxfFiler.h"

namespace {

class LeaderFiling : public LeaderFixture {
protected:
    void SetUp() override {
        LeaderFixture::SetUp();
        arrowId = addBlock("ARROW");
        leader.setPoints(AcGePoint3d(1, 2, 0), AcGePoint3d(4, 6, 0), AcGePoint3d(4, 9, 0));
        leader.setSize(2.5);
        leader.setArrowBlockId(arrowId);
        leaderLayer = addLayer("LEADERS");
        leader.setLayer(leaderLayer, false);
    }
    AcDbHandleResolver resolver() {
        return [this](AcDbHandle h) {
            AcDbObjectId id;
            db->getAcDbObjectId(id, false, h);
            return id;
        };
    }
    // Entity fields, then the leader data of `version` as older writers filed it.
    std::string leaderData(Adesk::Int32 version, double size, bool withBlock) {
        AcDbDwgMemoryFiler out(AcDb::kFileFiler, db);
        leader.AcDbEntity::dwgOutFields(&out);
        out.writeInt32(version);
        out.writePoint3d(AcGePoint3d(0, 0, 0));
        out.writePoint3d(AcGePoint3d(10, 0, 0));
        out.writePoint3d(AcGePoint3d(10, -5, 0));
        out.writeDouble(size);
        out.writeBool(withBlock);
        if (withBlock) out.writeHardPointerId(arrowId);
        return out.data();
    }
    AcDbObjectId arrowId, leaderLayer;
    ZKLeader leader;
};

} // namespace

TEST_F(LeaderFiling, BinaryRoundTripKeepsPointsSizeBlockAndLayer) {
    AcDbDwgMemoryFiler out(AcDb::kFileFiler, db);
    ASSERT_EQ(leader.dwgOutFields(&out), Acad::eOk);
    const std::string bytes = out.data();
    AcDbDwgMemoryFiler in(bytes, resolver(), AcDb::kFileFiler, db);
    ZKLeader copy;
    ASSERT_EQ(copy.dwgInFields(&in), Acad::eOk);
    EXPECT_EQ(in.remaining(), 0u);
    AcGePoint3d s, m, e;
    copy.getPoints(s, m, e);
    EXPECT_EQ(s, AcGePoint3d(1, 2, 0));
    EXPECT_EQ(m, AcGePoint3d(4, 6, 0));
    EXPECT_EQ(e, AcGePoint3d(4, 9, 0));
    EXPECT_DOUBLE_EQ(copy.size(), 2.5);
    EXPECT_EQ(copy.arrowBlockId(), arrowId);
    EXPECT_EQ(copy.arrow().blockTableRecord(), arrowId);
    EXPECT_DOUBLE_EQ(copy.arrow().scaleFactors().sx, 2.5);
    EXPECT_EQ(copy.arrow().position(), AcGePoint3d(4, 9, 0));
    EXPECT_EQ(copy.layerId(), leaderLayer);
    EXPECT_EQ(copy.arrow().layerId(), leaderLayer);
}

TEST_F(LeaderFiling, ErasedBlockIsFiledAsNoneExceptForUndo) {
    AcDbBlockTableRecord* block = nullptr;
    ASSERT_EQ(acdbOpenObject(block, arrowId, AcDb::kForWrite), Acad::eOk);
    block->erase();
    block->close();
    AcDbDwgMemoryFiler file(AcDb::kFileFiler, db);
    leader.dwgOutFields(&file);
    AcDbDwgMemoryFiler undo(AcDb::kUndoFiler, db);
    leader.dwgOutFields(&undo);
    EXPECT_LT(file.data().size(), undo.data().size());
    const std::string bytes = file.data();
    AcDbDwgMemoryFiler in(bytes, resolver(), AcDb::kFileFiler, db);
    ZKLeader copy;
    ASSERT_EQ(copy.dwgInFields(&in), Acad::eOk);
    EXPECT_TRUE(copy.arrowBlockId().isNull());
}

TEST_F(LeaderFiling, VersionOneSizeIsScaledByTheDrawingScale) {
    db->setDimscale(48.0);
    const std::string bytes = leaderData(1, 0.125, true);
    AcDbDwgMemoryFiler in(bytes, resolver(), AcDb::kFileFiler, db);
    ZKLeader old;
    const AcDbObjectId arrowLayerBefore = old.arrow().layerId();
    ASSERT_EQ(old.dwgInFields(&in), Acad::eOk);
    EXPECT_DOUBLE_EQ(old.size(), 6.0);
    EXPECT_DOUBLE_EQ(old.arrow().scaleFactors().sx, 6.0);
    EXPECT_EQ(old.arrowBlockId(), arrowId);
    EXPECT_EQ(old.layerId(), leaderLayer);
    EXPECT_EQ(old.arrow().layerId(), arrowLayerBefore);  // older data leaves the arrow's layer alone
    EXPECT_EQ(old.arrow().position(), AcGePoint3d(10, -5, 0));
}

TEST_F(LeaderFiling, MissingBlockHandleReadsAsNoBlock) {
    std::string bytes = leaderData(2, 1.0, true);
    AcDbDwgMemoryFiler in(bytes, [](AcDbHandle) { return AcDbObjectId(); }, AcDb::kFileFiler, db);
    ZKLeader copy;
    EXPECT_EQ(copy.dwgInFields(&in), Acad::eOk);
    EXPECT_TRUE(copy.arrowBlockId().isNull());
}

TEST_F(LeaderFiling, NewerVersionAsksForAProxyAndTruncatedDataFails) {
    const std::string newer = leaderData(3, 1.0, false);
    AcDbDwgMemoryFiler in(newer, resolver(), AcDb::kFileFiler, db);
    ZKLeader copy;
    EXPECT_EQ(copy.dwgInFields(&in), Acad::eMakeMeProxy);

    const std::string whole = leaderData(2, 1.0, false);
    const std::string cut = whole.substr(0, whole.size() - 12);
    AcDbDwgMemoryFiler shortIn(cut, resolver(), AcDb::kFileFiler, db);
    ZKLeader broken;
    EXPECT_NE(broken.dwgInFields(&shortIn), Acad::eOk);
}

TEST_F(LeaderFiling, TaggedDataRoundTripsWithoutTheBlock) {
    AcDbResbufDxfFiler out(db);
    ASSERT_EQ(leader.dxfOutFields(&out), Acad::eOk);
    resbuf* list = out.takeList();
    bool marker = false;
    for (resbuf* rb = list; rb; rb = rb->rbnext)
        if (rb->restype == 100 && std::string(rb->resval.rstring) == "ZKLeader") marker = true;
    EXPECT_TRUE(marker);
    AcDbResbufDxfFiler in(list, db, false);
    ZKLeader copy;
    EXPECT_EQ(copy.dxfInFields(&in), Acad::eOk);
    acutRelRb(list);
    AcGePoint3d s, m, e;
    copy.getPoints(s, m, e);
    EXPECT_EQ(m, AcGePoint3d(4, 6, 0));
    EXPECT_EQ(copy.arrow().position(), AcGePoint3d(4, 9, 0));
    EXPECT_DOUBLE_EQ(copy.arrow().scaleFactors().sx, 2.5);
    EXPECT_TRUE(copy.arrowBlockId().isNull());
}

TEST_F(LeaderFiling, TaggedDataWithoutTheMarkerIsRejected) {
    resbuf* list = acutBuildList(100, "AcDbEntity", 8, "0", 10, std::vector<double>{1, 1, 0}.data(), 0);
    AcDbResbufDxfFiler strict(list, db, false);
    ZKLeader copy;
    EXPECT_EQ(copy.dxfInFields(&strict), Acad::eBadDxfSequence);
    acutRelRb(list);

    resbuf* wrong = acutBuildList(100, "AcDbEntity", 8, "0", 100, "AcDbLine", 0);
    AcDbResbufDxfFiler lenient(wrong, db, true);
    EXPECT_EQ(copy.dxfInFields(&lenient), Acad::eBadDxfSequence);
    acutRelRb(wrong);
}
