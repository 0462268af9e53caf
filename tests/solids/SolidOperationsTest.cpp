// Union, slicing and exploding a solid; writing STEP and STL and reading
// them back with the modeler's own readers; both drawing formats keeping
// the body.
#include <BRepGProp.hxx>
#include <GProp_GProps.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <RWStl.hxx>
#include <STEPControl_Reader.hxx>

#include <filesystem>

#include "SolidFixture.h"
#include "database/dbface.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "database/io/DrawingFiles.h"

namespace {

using SolidOperations = SolidFixture;

TEST_F(SolidOperations, UnionOfOverlappingPiecesCountsTheOverlapOnce) {
    auto first = box(0, 10, 10, 10), second = box(5, 20, 10, 10);
    ASSERT_TRUE(first->doUnion(second.get()));
    EXPECT_NEAR(volumeOf(*first), 2000, 1e-6);
    EXPECT_EQ(first->kindName(), "united solid");
    EXPECT_NEAR(volumeOf(*second), 1500, 1e-6); // the other solid is untouched
    EXPECT_FALSE(first->doUnion(first.get()));
    auto empty = newSolid();
    EXPECT_FALSE(first->doUnion(empty.get()));
    EXPECT_FALSE(empty->doUnion(first.get()));
}

TEST_F(SolidOperations, SliceKeepsTheSideOfTheFourthPointOrTheOther) {
    // The plane x = 4 given by three points; the fourth on the low side.
    const AcGePoint3d p1(4, 0, 0), p2(4, 1, 0), p3(4, 0, 1), low(0, 0, 0);
    auto first = box(0, 10, 10, 10), last = box(0, 10, 10, 10);
    ASSERT_TRUE(first->sliceFirst(p1, p2, p3, low));
    EXPECT_NEAR(volumeOf(*first), 400, 1e-6);
    ASSERT_TRUE(last->sliceLast(p1, p2, p3, low));
    EXPECT_NEAR(volumeOf(*last), 600, 1e-6);
}

TEST_F(SolidOperations, SliceFailsForCollinearPointsAndWhenNothingIsLeft) {
    auto solid = box(0, 10, 10, 10);
    EXPECT_FALSE(solid->sliceFirst(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0), AcGePoint3d(2, 0, 0),
                                   AcGePoint3d(0, 5, 0)));
    // The plane x = 20 with the fourth point beyond it: nothing of the box.
    EXPECT_FALSE(solid->sliceFirst(AcGePoint3d(20, 0, 0), AcGePoint3d(20, 1, 0), AcGePoint3d(20, 0, 1),
                                   AcGePoint3d(30, 0, 0)));
    EXPECT_NEAR(volumeOf(*solid), 1000, 1e-6);
}

TEST_F(SolidOperations, ExplodedFacesCoverTheSolidsSurface) {
    auto solid = newSolid();
    ASSERT_TRUE(solid->addTransition(AcGePoint3d(0, 0, 0), true, 12, 8, AcGePoint3d(3.732, 0, 0), true, 10, 8,
                                     alongX(), alongX(), 0));
    AcDbVoidPtrArray faces;
    ASSERT_EQ(solid->explode(faces), Acad::eOk);
    ASSERT_FALSE(faces.empty());
    double area = 0;
    for (void* item : faces) {
        auto* face = static_cast<AcDbEntity*>(item);
        ASSERT_NE(AcDbFace::cast(face), nullptr);
        AcGePoint3d c[4];
        for (Adesk::UInt16 i = 0; i < 4; ++i) AcDbFace::cast(face)->getVertexAt(i, c[i]);
        area += (c[1] - c[0]).crossProduct(c[2] - c[0]).length() / 2;
        delete face;
    }
    EXPECT_NEAR(area, solid->surfaceArea(), 1e-6);
    EXPECT_GT(area, 12 * 8 + 10 * 8); // more than the two end faces
}

class SolidFiles : public SolidOperations {
protected:
    void SetUp() override {
        SolidOperations::SetUp();
        folder = std::filesystem::temp_directory_path() / ("orv-solid-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
};

TEST_F(SolidFiles, StepAndStlReadBackWithTheSameVolume) {
    auto elbow = newSolid();
    AcGePoint3d a(0, 0, 0), b(100, 100, 0);
    ASSERT_TRUE(elbow->addRadiusElbow(a, 12, 8, 0, 0, b, 12, 8, alongX(), alongY(), true, 1.5, true, 0, true));
    auto straight = box(-40, 0, 12, 8);
    const double total = volumeOf(*elbow) + volumeOf(*straight);

    const std::string step = (folder / "ducts.step").string();
    ASSERT_TRUE(elbow->writeSolids({straight.get()}, step));
    STEPControl_Reader reader;
    ASSERT_EQ(reader.ReadFile(step.c_str()), IFSelect_RetDone);
    reader.TransferRoots();
    GProp_GProps props;
    BRepGProp::VolumeProperties(reader.OneShape(), props);
    EXPECT_NEAR(props.Mass(), total, total * 1e-6);

    const std::string stl = (folder / "ducts.stl").string();
    ASSERT_TRUE(elbow->writeSolids({straight.get()}, stl));
    Handle(Poly_Triangulation) mesh = RWStl::ReadFile(stl.c_str());
    ASSERT_FALSE(mesh.IsNull());
    // Volume of a closed mesh: the signed tetrahedra from the origin.
    double volume = 0;
    for (int i = 1; i <= mesh->NbTriangles(); ++i) {
        int n1, n2, n3;
        mesh->Triangle(i).Get(n1, n2, n3);
        gp_XYZ p1 = mesh->Node(n1).XYZ(), p2 = mesh->Node(n2).XYZ(), p3 = mesh->Node(n3).XYZ();
        volume += p1.Dot(p2.Crossed(p3)) / 6;
    }
    EXPECT_NEAR(volume, total, total * 0.01);
    EXPECT_FALSE(std::filesystem::exists(stl + ".part.stl"));
    EXPECT_FALSE(elbow->writeSolids({}, (folder / "ducts.obj").string()));
}

TEST_F(SolidFiles, BothDrawingFormatsKeepTheBody) {
    for (const char* name : {"solids.dwg", "solids.dxf"}) {
        SCOPED_TRACE(name);
        AcDbDatabase db(true, true);
        auto solid = newSolid();
        ASSERT_TRUE(solid->addRadiusElbow(*std::make_unique<AcGePoint3d>(0, 0, 0), 12, 8, 0, 0,
                                          *std::make_unique<AcGePoint3d>(100, 100, 0), 12, 8, alongX(), alongY(),
                                          true, 1.5, true, 0, true));
        const double volume = volumeOf(*solid);
        AcDbBlockTableRecord* space = nullptr;
        ASSERT_EQ(acdbOpenObject(space, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        ASSERT_EQ(space->appendAcDbEntity(id, solid.get()), Acad::eOk);
        solid.release()->close();
        space->close();

        const std::string path = (folder / name).string();
        std::string message;
        ASSERT_EQ(orv::io::saveDrawing(&db, path, &message), Acad::eOk) << message;
        AcDbDatabase loaded(false, true);
        ASSERT_EQ(orv::io::readDrawing(&loaded, path, &message), Acad::eOk) << message;
        ASSERT_EQ(acdbOpenObject(space, loaded.modelSpaceId(), AcDb::kForRead), Acad::eOk);
        auto ids = space->entityIds(false);
        space->close();
        ASSERT_EQ(ids.size(), 1u);
        AcDbEntity* entity = nullptr;
        ASSERT_EQ(acdbOpenObject(entity, ids[0], AcDb::kForRead), Acad::eOk);
        zk_hvacSolid* reread = zk_hvacSolid::cast(entity);
        ASSERT_NE(reread, nullptr);
        EXPECT_NEAR(volumeOf(*reread), volume, 1e-9);
        EXPECT_EQ(reread->kindName(), "radius elbow");
        entity->close();
    }
}

} // namespace
