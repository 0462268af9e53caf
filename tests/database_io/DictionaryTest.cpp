// Dictionaries and the other objects of the OBJECTS data: the root of a new
// drawing, entry editing and its refusals, a drawing's own dictionaries and
// extension records read, listed and written back unchanged through both
// formats, OBJECTS text kept whole by older drawings, and a handle a file
// gives twice.
#include <gtest/gtest.h>

#include <cstring>

#include "DrawingFixture.h"
#include "database/dbdictionary.h"
#include "database/dbline.h"
#include "database/io/CarriedObjects.h"
#include "database/io/DictionaryLists.h"
#include "database/io/DrawingFiles.h"

namespace {

// A root with the group dictionary and one of the application's own, whose
// entry is an extension record owned by it (360). The record comes before
// its owner, so the owner's id is made before the group dictionary's: the
// order written must still be the file's.
const char* const kObjects =
    "  0\nDICTIONARY\n  5\nF00\n330\n0\n100\nAcDbDictionary\n281\n1\n  3\nACAD_GROUP\n350\nF01\n"
    "  3\nORV_DATA\n350\nF02\n"
    "  0\nXRECORD\n  5\nF03\n330\nF02\n100\nAcDbXrecord\n280\n1\n  1\nduct sizes\n 10\n1.5\n 20\n2.5\n 30\n0.0\n"
    " 40\n12.0\n 70\n3\n"
    "  0\nDICTIONARY\n  5\nF01\n330\nF00\n100\nAcDbDictionary\n281\n1\n"
    "  0\nDICTIONARY\n  5\nF02\n102\n{ACAD_REACTORS\n330\nF00\n102\n}\n330\nF00\n100\nAcDbDictionary\n"
    "280\n1\n281\n1\n  3\nSIZES\n360\nF03\n";

// A new drawing's DXF with its OBJECTS section replaced by objects.
std::string dxfWithObjects(const std::string& objects) {
    AcDbDatabase db(true, true);
    std::string text;
    EXPECT_EQ(orv::io::saveDrawingToString(&db, true, text), Acad::eOk);
    const size_t begin = text.find("\nOBJECTS\n") + 9;
    const size_t end = text.rfind("  0\nENDSEC\n");
    return text.substr(0, begin) + objects + text.substr(end);
}

std::string objectsSection(const std::string& dxf) {
    const size_t begin = dxf.find("\nOBJECTS\n") + 9;
    return dxf.substr(begin, dxf.rfind("  0\nENDSEC\n") - begin);
}

AcDbObjectId idOf(AcDbDatabase& db, const char* handle) {
    AcDbObjectId id;
    db.getAcDbObjectId(id, false, AcDbHandle(handle));
    return id;
}

const resbuf* group(const resbuf* list, int code) {
    while (list && list->restype != code) list = list->rbnext;
    return list;
}

TEST(Dictionaries, ANewDrawingGetsItsRootOnlyWhenAsked) {
    AcDbDatabase db(true, true);
    const AcDbHandle seed = db.handseed();
    EXPECT_TRUE(acdbNamedObjectsDictionary(&db, false).isNull());
    EXPECT_EQ(db.handseed(), seed);  // asking without create takes no handles
    const AcDbObjectId root = acdbNamedObjectsDictionary(&db, true);
    ASSERT_FALSE(root.isNull());
    EXPECT_EQ(acdbNamedObjectsDictionary(&db, true), root);
    AcDbObjectPointer<AcDbDictionary> dict(root, AcDb::kForRead);
    ASSERT_TRUE(dict);
    const auto entries = dict->entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].first, "ACAD_GROUP");
    EXPECT_EQ(entries[1].first, "ACAD_LAYOUT");
    AcDbObjectPointer<AcDbDictionary> groups(entries[0].second, AcDb::kForRead);
    ASSERT_TRUE(groups);
    EXPECT_EQ(groups->ownerId(), root);
    EXPECT_EQ(groups->numEntries(), 0u);
    // Written first in OBJECTS, though made after every other object.
    std::string text;
    dict.close();
    groups.close();
    ASSERT_EQ(orv::io::saveDrawingToString(&db, true, text), Acad::eOk);
    EXPECT_EQ(objectsSection(text).rfind("  0\nDICTIONARY\n  5\n" + root.handle().asString() + "\n", 0), 0u);
}

TEST(Dictionaries, EntryEditsRefuseWhatTheHostRefuses) {
    AcDbDatabase db(true, true), other(true, true);
    const AcDbObjectId root = acdbNamedObjectsDictionary(&db, true);
    AcDbObjectPointer<AcDbDictionary> dict(root, AcDb::kForWrite);
    ASSERT_TRUE(dict);
    AcDbObjectId layouts;
    ASSERT_EQ(dict->getAt("acad_layout", layouts), Acad::eOk);  // any case
    EXPECT_EQ(dict->setAt("Acad_Layout", layouts), Acad::eDuplicateKey);
    EXPECT_EQ(dict->setAt("", layouts), Acad::eInvalidKey);
    EXPECT_EQ(dict->setAt("FOREIGN", acdbNamedObjectsDictionary(&other, true)), Acad::eNotInDatabase);
    EXPECT_EQ(dict->setName("NO_SUCH", "X"), Acad::eKeyNotFound);
    EXPECT_EQ(dict->setName("ACAD_LAYOUT", "acad_group"), Acad::eDuplicateKey);
    EXPECT_EQ(dict->setName("ACAD_LAYOUT", "acad_layout"), Acad::eOk);  // a change of case only
    EXPECT_EQ(dict->remove("ACAD_LAYOUT"), Acad::eOk);
    EXPECT_EQ(dict->remove("ACAD_LAYOUT"), Acad::eKeyNotFound);
    AcDbObjectId none;
    EXPECT_EQ(dict->getAt("ACAD_LAYOUT", none), Acad::eKeyNotFound);
    EXPECT_TRUE(none.isNull());
    EXPECT_EQ(dict->setAt("KEPT", layouts), Acad::eOk);
    EXPECT_TRUE(dict->has("kept"));
}

TEST(Dictionaries, AnOwnerGroupGoesAfterTheHandleAndTheReactors) {
    AcDbDatabase db(true, true);
    const AcDbObjectId root = acdbNamedObjectsDictionary(&db, true);
    auto* record = new AcDbCarriedObject();
    AcDbObjectId id;
    ASSERT_EQ(db.addAcDbObject(id, record), Acad::eOk);
    record->setTags("XRECORD", {{5, "F10"}, {102, "{ACAD_REACTORS"}, {330, "F11"}, {102, "}"}, {100, "AcDbXrecord"}});
    record->setOwnerTag(root);
    const std::string owner = root.handle().asString();
    EXPECT_EQ(record->tags()[4], (AcDbCarriedObject::Tag{330, owner}));
    EXPECT_EQ(record->tags()[2].second, "F11");  // the reactor stays
    record->setOwnerTag(AcDbObjectId());
    EXPECT_EQ(record->tags()[4].second, "0");
    EXPECT_EQ(record->tags().size(), 6u);
    EXPECT_TRUE(record->ownerId().isNull());
    record->close();
}

TEST(Dictionaries, ADrawingsObjectsAreReadListedAndWrittenBackUnchanged) {
    const std::string file = dxfWithObjects(kObjects);
    AcDbDatabase db(false, true);
    std::string message;
    ASSERT_EQ(orv::io::readDrawingFromString(&db, true, file, &message), Acad::eOk) << message;
    EXPECT_EQ(acdbNamedObjectsDictionary(&db, false), idOf(db, "F00"));
    AcDbObjectPointer<AcDbDictionary> data(idOf(db, "F02"), AcDb::kForRead);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->ownerId(), idOf(db, "F00"));  // the owner after the reactors
    AcDbObjectId record;
    ASSERT_EQ(data->getAt("SIZES", record), Acad::eOk);
    EXPECT_EQ(record, idOf(db, "F03"));
    data.close();

    resbuf* list = acdbCarriedObjectGet(record);
    ASSERT_NE(list, nullptr);
    EXPECT_STREQ(group(list, 0)->resval.rstring, "XRECORD");
    EXPECT_STREQ(group(list, 5)->resval.rstring, "F03");
    ads_name owner;
    acdbGetAdsName(owner, idOf(db, "F02"));
    EXPECT_EQ(std::memcmp(group(list, 330)->resval.rlname, owner, sizeof owner), 0);
    EXPECT_STREQ(group(list, 1)->resval.rstring, "duct sizes");
    const resbuf* point = group(list, 10);
    EXPECT_EQ(point->resval.rpoint[0], 1.5);
    EXPECT_EQ(point->resval.rpoint[1], 2.5);
    EXPECT_EQ(group(list, 20), nullptr);  // y and z belong to the point
    EXPECT_EQ(group(list, 40)->resval.rreal, 12.0);
    EXPECT_EQ(group(list, 70)->resval.rint, 3);
    acutRelRb(list);
    EXPECT_EQ(acdbCarriedObjectGet(db.modelSpaceId()), nullptr);

    std::string direct, binary, viaBinary;
    ASSERT_EQ(orv::io::saveDrawingToString(&db, true, direct), Acad::eOk);
    EXPECT_EQ(objectsSection(direct), kObjects);
    ASSERT_EQ(orv::io::saveDrawingToString(&db, false, binary), Acad::eOk);
    AcDbDatabase again(false, true);
    ASSERT_EQ(orv::io::readDrawingFromString(&again, false, binary, &message), Acad::eOk) << message;
    ASSERT_EQ(orv::io::saveDrawingToString(&again, true, viaBinary), Acad::eOk);
    EXPECT_EQ(objectsSection(viaBinary), kObjects);
    // A new object in the read drawing comes after the file's objects.
    {
        AcDbObjectPointer<AcDbDictionary> root(idOf(again, "F00"), AcDb::kForWrite);
        ASSERT_EQ(root->remove("ORV_DATA"), Acad::eOk);
        ASSERT_EQ(root->setAt("ORV_RENAMED", idOf(again, "F02")), Acad::eOk);
    }
    ASSERT_EQ(orv::io::saveDrawingToString(&again, true, viaBinary), Acad::eOk);
    AcDbDatabase third(false, true);
    ASSERT_EQ(orv::io::readDrawingFromString(&third, true, viaBinary, &message), Acad::eOk) << message;
    AcDbObjectPointer<AcDbDictionary> root(idOf(third, "F00"), AcDb::kForRead);
    AcDbObjectId renamed;
    EXPECT_EQ(root->getAt("ORV_RENAMED", renamed), Acad::eOk);
    EXPECT_EQ(renamed, idOf(third, "F02"));
    EXPECT_FALSE(root->has("ORV_DATA"));
}

TEST(Dictionaries, OlderDrawingsOBJECTSTextBecomesObjects) {
    AcDbDatabase db(true, true);
    db.carriedDxf().objects = kObjects;
    std::string message;
    ASSERT_TRUE(orv::io::adoptCarriedObjectText(&db, message)) << message;
    EXPECT_TRUE(db.carriedDxf().objects.empty());
    EXPECT_EQ(acdbNamedObjectsDictionary(&db, false), idOf(db, "F00"));
    EXPECT_GT(db.handseed().value(), 0xF03u);
    std::string text;
    ASSERT_EQ(orv::io::saveDrawingToString(&db, true, text), Acad::eOk);
    EXPECT_EQ(objectsSection(text), kObjects);

    AcDbDatabase broken(true, true);
    broken.carriedDxf().objects = "  5\nF00\n";
    EXPECT_FALSE(orv::io::adoptCarriedObjectText(&broken, message));
}

TEST(Dictionaries, AnObjectWhoseHandleIsTakenKeepsItsTagsUnderANewOne) {
    AcDbDatabase source(true, true);
    const AcDbObjectId line = appendToModelSpace(&source, new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)));
    const std::string handle = line.handle().asString();
    std::string text;
    ASSERT_EQ(orv::io::saveDrawingToString(&source, true, text), Acad::eOk);
    const std::string xrecord = "  0\nXRECORD\n  5\n" + handle + "\n330\n0\n100\nAcDbXrecord\n  1\nkept\n";
    text.insert(text.rfind("  0\nENDSEC\n"), xrecord);
    AcDbDatabase db(false, true);
    std::string message;
    ASSERT_EQ(orv::io::readDrawingFromString(&db, true, text, &message), Acad::eOk) << message;
    std::string out;
    ASSERT_EQ(orv::io::saveDrawingToString(&db, true, out), Acad::eOk);
    EXPECT_NE(objectsSection(out).find(xrecord), std::string::npos);
}

}  // namespace
