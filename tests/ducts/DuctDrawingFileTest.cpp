// Ducts in whole drawings: every filed field survives save and reopen in
// both formats, and ducts of a newer version stay proxies written back
// unchanged.
#include <fstream>
#include <sstream>

#include "DuctEntityFixture.h"
#include "database/dbopen.h"
#include "database/io/DrawingFiles.h"
#include "database/io/FileProxyEntity.h"

namespace {

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A duct as a newer module would file it: version 7 with data this one
// does not know.
class FutureDuct : public ZkDuct {
public:
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override {
        AcDbCurve::dwgOutFields(filer);
        filer->writeInt32(7);
        filer->writePoint3d(AcGePoint3d(1, 2, 3));
        filer->writeString("future data");
        filer->writeDouble(42.5);
        return filer->filerStatus();
    }
};

class DuctDrawingFile : public DuctEntityFixture {
protected:
    // A duct with every filed field away from its default.
    ZkDuct* makeFullDuct() {
        auto* duct = new ZkDuct;
        duct->setStartPoint(AcGePoint3d(10, 20, 96));
        duct->setEndPoint(AcGePoint3d(250.5, 20, 108));
        duct->setDuctKey(70001);
        duct->setSizeFor("24x12");
        duct->setDrawingName("Level 2.dwg");
        duct->setLockWidth(true);
        duct->setLockDepth(true);
        duct->setLockShape(true);
        duct->setThirdPoint(AcGePoint3d(1, 1, 1));
        duct->setFirstDisplayFlag(false);
        duct->setSecondDisplayFlag(false);
        duct->setReverseArrows(true);
        duct->setStartsInOtherDrawing(true);
        duct->setEndsInOtherDrawing(true);
        duct->setHangerDistances({12.0, -48.0, 96.0});
        duct->setLayer(ductLayer);
        return duct;
    }
    // The only duct of the drawing in path, read into a new database.
    void reopen(const std::string& path) {
        std::string message;
        ASSERT_EQ(orv::io::saveDrawing(db, path, &message), Acad::eOk) << message;
        loaded = std::make_unique<AcDbDatabase>(false, true);
        ASSERT_EQ(orv::io::readDrawing(loaded.get(), path, &message), Acad::eOk) << message;
        AcDbBlockTableRecord* space = nullptr;
        ASSERT_EQ(acdbOpenObject(space, loaded->modelSpaceId(), AcDb::kForRead), Acad::eOk);
        auto ids = space->entityIds(false);
        space->close();
        ASSERT_EQ(ids.size(), 1u);
        ductId = ids[0];
    }
    void SetUp() override {
        DuctEntityFixture::SetUp();
        ductLayer = addLayer("SUPPLY DUCT");
    }

    AcDbObjectId ductLayer;
    std::unique_ptr<AcDbDatabase> loaded;
    AcDbObjectId ductId;
};

} // namespace

TEST_F(DuctDrawingFile, BinaryDrawingKeepsEveryField) {
    appendDuct(makeFullDuct());
    reopen(root + "/full.dwg");
    AcDbObjectPointer<ZkDuct> duct(ductId, AcDb::kForRead);
    ASSERT_TRUE(duct);
    EXPECT_EQ(duct->startPoint(), AcGePoint3d(10, 20, 96));
    EXPECT_EQ(duct->endPoint(), AcGePoint3d(250.5, 20, 108));
    EXPECT_EQ(duct->ductKey(), 70001);
    EXPECT_EQ(duct->sizeFor(), "24x12");
    EXPECT_EQ(duct->drawingName(), "Level 2.dwg");
    EXPECT_TRUE(duct->lockWidth() && duct->lockDepth() && duct->lockShape());
    EXPECT_EQ(duct->thirdPoint(), AcGePoint3d(1, 1, 1));
    EXPECT_FALSE(duct->firstDisplayFlag());
    EXPECT_FALSE(duct->secondDisplayFlag());
    EXPECT_TRUE(duct->reverseArrows());
    EXPECT_TRUE(duct->startsInOtherDrawing());
    EXPECT_TRUE(duct->endsInOtherDrawing());
    EXPECT_EQ(duct->hangerDistances(), (std::vector<double>{12.0, -48.0, 96.0}));
    EXPECT_EQ(duct->layer(), "SUPPLY DUCT");
}

TEST_F(DuctDrawingFile, DxfDrawingKeepsItsTaggedFieldsAndDefaultsTheRest) {
    appendDuct(makeFullDuct());
    reopen(root + "/full.dxf");
    AcDbObjectPointer<ZkDuct> duct(ductId, AcDb::kForRead);
    ASSERT_TRUE(duct);
    EXPECT_EQ(duct->startPoint(), AcGePoint3d(10, 20, 96));
    EXPECT_EQ(duct->endPoint(), AcGePoint3d(250.5, 20, 108));
    EXPECT_EQ(duct->ductKey(), 70001);
    EXPECT_EQ(duct->sizeFor(), "24x12");
    EXPECT_EQ(duct->drawingName(), "Level 2.dwg");
    EXPECT_TRUE(duct->startsInOtherDrawing());
    EXPECT_TRUE(duct->endsInOtherDrawing());
    EXPECT_EQ(duct->layer(), "SUPPLY DUCT");
    // Not part of the tagged form.
    EXPECT_FALSE(duct->reverseArrows() || duct->lockWidth() || duct->lockDepth() || duct->lockShape());
    EXPECT_TRUE(duct->secondDisplayFlag());
    EXPECT_TRUE(duct->hangerDistances().empty());
}

TEST_F(DuctDrawingFile, SavingTheReopenedDrawingGivesTheSameBytes) {
    appendDuct(makeFullDuct());
    for (const char* ext : {".dwg", ".dxf"}) {
        const std::string first = root + "/first" + ext, second = root + "/second" + ext;
        reopen(first);
        ASSERT_EQ(orv::io::saveDrawing(loaded.get(), second), Acad::eOk);
        EXPECT_EQ(fileBytes(first), fileBytes(second)) << ext;
    }
}

TEST_F(DuctDrawingFile, NewerDuctStaysAProxyAndIsWrittenBackByteForByte) {
    appendDuct(new FutureDuct);
    const std::string first = root + "/future.dwg", second = root + "/again.dwg";
    reopen(first);
    {
        AcDbObjectPointer<AcDbFileProxyEntity> proxy(ductId, AcDb::kForRead);
        ASSERT_TRUE(proxy) << "a version 7 duct must be kept as a proxy";
        EXPECT_EQ(proxy->originalClass().className, "ZkDuct");
        EXPECT_EQ(proxy->originalClass().dxfName, "ZKDUCT");
    }
    ASSERT_EQ(orv::io::saveDrawing(loaded.get(), second), Acad::eOk);
    EXPECT_EQ(fileBytes(first), fileBytes(second));
}
