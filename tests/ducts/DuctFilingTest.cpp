// Duct binary filing: what version 6 writes, every older version read back
// from data laid out field by field here, legacy records of version 3, newer
// versions as proxies, and the tagged form.
#include <vector>

#include "DuctEntityFixture.h"
#include "database/io/ResbufDxfFiler.h"

namespace {

// Writes duct data the way older versions of the module did.
class OldDuctWriter {
public:
    OldDuctWriter(AcDbDatabase* db, Adesk::Int32 version) : out(AcDb::kFileFiler, db) {
        ZkDuct base;
        base.AcDbCurve::dwgOutFields(&out);
        out.writeInt32(version);
    }
    // Start, end, key, both display flags, the third point.
    OldDuctWriter& common(Adesk::Int32 key) {
        out.writePoint3d(AcGePoint3d(1, 2, 3));
        out.writePoint3d(AcGePoint3d(11, 2, 4));
        out.writeInt32(key);
        out.writeBool(false);
        out.writeBool(true);
        out.writePoint3d(AcGePoint3d(5, 5, 5));
        return *this;
    }
    OldDuctWriter& drawingFlags(bool starts, bool ends) {
        out.writeBool(starts);
        out.writeBool(ends);
        return *this;
    }
    OldDuctWriter& texts(const std::string& sizeFor, const std::string& drawing) {
        out.writeString(sizeFor);
        out.writeString(drawing);
        return *this;
    }
    OldDuctWriter& hangers(const std::vector<double>& distances, bool reverse) {
        out.writeInt32(static_cast<Adesk::Int32>(distances.size()));
        for (double d : distances) out.writeDouble(d);
        out.writeBool(reverse);
        return *this;
    }
    OldDuctWriter& locks(bool width, bool depth, bool shape) {
        out.writeBool(width);
        out.writeBool(depth);
        out.writeBool(shape);
        return *this;
    }
    // The legacy block: integers count up from 100, doubles from 0.5, strings
    // are "s<position>", and the two drawing names are given.
    OldDuctWriter& legacyBlock(const std::string& nameA, const std::string& nameB) {
        const std::string types = "IISIISSSIIISSDDSSSSSISDDDIDDDDDDIIDDDSSDDDDDDDDDSID";
        for (size_t i = 0; i < types.size(); ++i) {
            if (i == 37) out.writeString(nameA);
            else if (i == 38) out.writeString(nameB);
            else if (types[i] == 'I') out.writeInt32(static_cast<Adesk::Int32>(100 + i));
            else if (types[i] == 'D') out.writeDouble(0.5 + static_cast<double>(i));
            else out.writeString("s" + std::to_string(i));
        }
        return *this;
    }
    std::string bytes() const { return out.data(); }

    AcDbDwgMemoryFiler out;
};

class DuctFiling : public DuctEntityFixture {
protected:
    // Reads bytes into a fresh duct; expects every byte used.
    Acad::ErrorStatus readInto(ZkDuct& duct, const std::string& bytes, bool expectAllRead = true) {
        AcDbDwgMemoryFiler in(bytes, resolver(), AcDb::kFileFiler, db);
        Acad::ErrorStatus es = duct.dwgInFields(&in);
        if (expectAllRead && es == Acad::eOk) {
            EXPECT_EQ(in.remaining(), 0u);
        }
        return es;
    }
};

} // namespace

TEST_F(DuctFiling, NewDuctFilesVersion6WithItsDefaultsInOrder) {
    ZkDuct duct;
    const std::string bytes = dwgBytes(duct);
    AcDbDwgMemoryFiler in(bytes, resolver(), AcDb::kFileFiler, db);
    ZkDuct skipBase;
    ASSERT_EQ(skipBase.AcDbCurve::dwgInFields(&in), Acad::eOk);
    Adesk::Int32 version = 0, key = -1, count = -1;
    AcGePoint3d start(9, 9, 9), end(9, 9, 9), third(9, 9, 9);
    bool first = false, second = false, starts = true, ends = true, reverse = true, w = true, d = true, s = true;
    std::string sizeFor, drawing = "?";
    in.readInt32(&version);
    in.readPoint3d(&start);
    in.readPoint3d(&end);
    in.readInt32(&key);
    in.readBool(&first);
    in.readBool(&second);
    in.readPoint3d(&third);
    in.readBool(&starts);
    in.readBool(&ends);
    in.readString(&sizeFor);
    in.readString(&drawing);
    in.readInt32(&count);
    in.readBool(&reverse);
    in.readBool(&w);
    in.readBool(&d);
    in.readBool(&s);
    ASSERT_EQ(in.filerStatus(), Acad::eOk);
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(version, 6);
    EXPECT_EQ(start, AcGePoint3d::kOrigin);
    EXPECT_EQ(end, AcGePoint3d::kOrigin);
    EXPECT_EQ(third, AcGePoint3d::kOrigin);
    EXPECT_EQ(key, 0);
    EXPECT_TRUE(first);
    EXPECT_TRUE(second);
    EXPECT_FALSE(starts || ends || reverse || w || d || s);
    EXPECT_EQ(sizeFor, "X");
    EXPECT_EQ(drawing, "");
    EXPECT_EQ(count, 0);
}

TEST_F(DuctFiling, AtMostOneHundredHangerDistancesAreFiled) {
    ZkDuct duct;
    std::vector<double> many;
    for (int i = 0; i < 150; ++i) many.push_back(i + 0.5);
    duct.setHangerDistances(many);
    ZkDuct copy;
    ASSERT_EQ(readInto(copy, dwgBytes(duct)), Acad::eOk);
    ASSERT_EQ(copy.hangerDistances().size(), 100u);
    EXPECT_DOUBLE_EQ(copy.hangerDistances().front(), 0.5);
    EXPECT_DOUBLE_EQ(copy.hangerDistances().back(), 99.5);
    EXPECT_EQ(duct.hangerDistances().size(), 150u);  // the entity keeps them all
}

TEST_F(DuctFiling, Version1ReadsPointsKeyAndFlagsWithTheRestAtDefaults) {
    ZkDuct duct;
    duct.setStartsInOtherDrawing(true);
    duct.setEndsInOtherDrawing(true);
    ASSERT_EQ(readInto(duct, OldDuctWriter(db, 1).common(41).bytes()), Acad::eOk);
    EXPECT_EQ(duct.startPoint(), AcGePoint3d(1, 2, 3));
    EXPECT_EQ(duct.endPoint(), AcGePoint3d(11, 2, 4));
    EXPECT_EQ(duct.ductKey(), 41);
    EXPECT_FALSE(duct.firstDisplayFlag());
    EXPECT_TRUE(duct.secondDisplayFlag());
    EXPECT_EQ(duct.thirdPoint(), AcGePoint3d(5, 5, 5));
    EXPECT_FALSE(duct.startsInOtherDrawing());
    EXPECT_FALSE(duct.endsInOtherDrawing());
    EXPECT_EQ(duct.drawingName(), "");
    EXPECT_EQ(duct.sizeFor(), "X");
    EXPECT_TRUE(duct.isModifiedGraphics());
}

TEST_F(DuctFiling, Versions2To6ReadTheirOwnFieldsOnly) {
    ZkDuct v2;
    ASSERT_EQ(readInto(v2, OldDuctWriter(db, 2).common(2).drawingFlags(false, true).bytes()), Acad::eOk);
    EXPECT_TRUE(v2.endsInOtherDrawing());
    EXPECT_EQ(v2.sizeFor(), "X");

    ZkDuct v4;
    ASSERT_EQ(readInto(v4, OldDuctWriter(db, 4).common(4).drawingFlags(true, false).texts("12x8", "B.dwg").bytes()),
              Acad::eOk);
    EXPECT_TRUE(v4.startsInOtherDrawing());
    EXPECT_EQ(v4.sizeFor(), "12x8");
    EXPECT_EQ(v4.drawingName(), "B.dwg");
    EXPECT_TRUE(v4.hangerDistances().empty());

    ZkDuct v5;
    v5.setHangerDistances({7.0, 8.0, 9.0});
    ASSERT_EQ(readInto(v5, OldDuctWriter(db, 5).common(5).drawingFlags(false, false).texts("V", "")
                               .hangers({1.0, -2.0}, true).bytes()),
              Acad::eOk);
    EXPECT_EQ(v5.hangerDistances(), (std::vector<double>{1.0, -2.0}));
    EXPECT_TRUE(v5.reverseArrows());
    EXPECT_FALSE(v5.lockWidth());

    ZkDuct v6;
    ASSERT_EQ(readInto(v6, OldDuctWriter(db, 6).common(6).drawingFlags(false, false).texts("P", "")
                               .hangers({}, false).locks(true, false, true).bytes()),
              Acad::eOk);
    EXPECT_TRUE(v6.lockWidth());
    EXPECT_FALSE(v6.lockDepth());
    EXPECT_TRUE(v6.lockShape());
}

TEST_F(DuctFiling, Version3LegacyBlockBecomesALegacyRecord) {
    ZkDuct duct;
    ASSERT_EQ(readInto(duct, OldDuctWriter(db, 3).common(77).drawingFlags(false, false)
                                 .legacyBlock("first.dwg", "second.dwg").bytes()),
              Acad::eOk);
    EXPECT_EQ(duct.drawingName(), "");
    EXPECT_EQ(duct.sizeFor(), "X");
    ASSERT_EQ(oldDuctFieldsList().size(), 1u);
    const oldDuctFields& record = oldDuctFieldsList().front();
    EXPECT_EQ(record.ixDuct, 77);
    EXPECT_EQ(record.drawingName, "FIRST.DWG");
    ASSERT_EQ(record.fields.size(), oldDuctFields::kFieldCount);
    // The first values keep their order; values that have no place of their
    // type are dropped, and the last fields are the block's last values.
    EXPECT_EQ(std::get<Adesk::Int32>(record.fields[0]), 100);
    EXPECT_EQ(std::get<std::string>(record.fields[1]), "s2");
    EXPECT_EQ(std::get<Adesk::Int32>(record.fields[2]), 103);
    EXPECT_DOUBLE_EQ(std::get<double>(record.fields[9]), 13.5);
    EXPECT_EQ(std::get<std::string>(record.fields[32]), "s48");
    EXPECT_EQ(std::get<Adesk::Int32>(record.fields[33]), 149);
    EXPECT_DOUBLE_EQ(std::get<double>(record.fields[34]), 50.5);
    EXPECT_EQ(findOldDuctFields(77, "FIRST.DWG"), &record);
    EXPECT_EQ(findOldDuctFields(77, "first.dwg"), nullptr);
    EXPECT_EQ(findOldDuctFields(78, "FIRST.DWG"), nullptr);
}

TEST_F(DuctFiling, Version3DrawingNamesFollowTheOtherDrawingFlags) {
    ZkDuct starts, ends;
    ASSERT_EQ(readInto(starts, OldDuctWriter(db, 3).common(1).drawingFlags(true, true)
                                   .legacyBlock("a.dwg", "b.dwg").bytes()),
              Acad::eOk);
    ASSERT_EQ(readInto(ends, OldDuctWriter(db, 3).common(2).drawingFlags(false, true)
                                 .legacyBlock("a.dwg", "b.dwg").bytes()),
              Acad::eOk);
    EXPECT_EQ(starts.drawingName(), "b.dwg");
    EXPECT_EQ(ends.drawingName(), "a.dwg");
    ASSERT_EQ(oldDuctFieldsList().size(), 2u);
    EXPECT_EQ(oldDuctFieldsList().front().drawingName, "A.DWG");
    EXPECT_EQ(oldDuctFieldsList().back().drawingName, "B.DWG");
}

TEST_F(DuctFiling, NewerVersionsAskForAProxyAndBadDataFails) {
    ZkDuct duct;
    EXPECT_EQ(readInto(duct, OldDuctWriter(db, 7).common(1).bytes(), false), Acad::eMakeMeProxy);

    ZkDuct zero;
    zero.setDuctKey(5);
    EXPECT_EQ(readInto(zero, OldDuctWriter(db, 0).bytes()), Acad::eOk);
    EXPECT_EQ(zero.ductKey(), 5);

    ZkDuct full;
    full.setHangerDistances({1, 2, 3});
    const std::string whole = dwgBytes(full);
    ZkDuct cut;
    EXPECT_NE(readInto(cut, whole.substr(0, whole.size() - 10), false), Acad::eOk);

    ZkDuct negative;
    EXPECT_EQ(readInto(negative, OldDuctWriter(db, 5).common(1).drawingFlags(false, false).texts("X", "")
                                     .hangers({}, false).bytes(), false),
              Acad::eOk);
    std::string bad = OldDuctWriter(db, 5).common(1).drawingFlags(false, false).texts("X", "").bytes();
    AcDbDwgMemoryFiler tail(AcDb::kFileFiler, db);
    tail.writeInt32(-3);
    bad += tail.data();
    EXPECT_EQ(readInto(negative, bad, false), Acad::eDwgObjectImproperlyRead);
}

TEST_F(DuctFiling, TaggedFormNeedsItsMarkerAndKeepsItsGroups) {
    ZkDuct duct;
    duct.setStartPoint(AcGePoint3d(1, 2, 3));
    duct.setEndPoint(AcGePoint3d(4, 5, 6));
    duct.setDuctKey(123456);
    duct.setStartsInOtherDrawing(true);
    duct.setSizeFor("10x8");
    duct.setDrawingName("Other.dwg");
    duct.setReverseArrows(true);  // not part of the tagged form
    AcDbResbufDxfFiler out(db);
    ASSERT_EQ(duct.dxfOutFields(&out), Acad::eOk);
    resbuf* list = out.takeList();
    std::vector<int> codes;
    bool afterMarker = false;
    for (resbuf* rb = list; rb; rb = rb->rbnext) {
        if (rb->restype == 100 && std::string(rb->resval.rstring) == "ZkDuct") afterMarker = true;
        else if (afterMarker) codes.push_back(rb->restype);
    }
    EXPECT_EQ(codes, (std::vector<int>{10, 11, 90, 91, 92, 1, 2}));
    AcDbResbufDxfFiler in(list, db, false);
    ZkDuct copy;
    ASSERT_EQ(copy.dxfInFields(&in), Acad::eOk);
    acutRelRb(list);
    EXPECT_EQ(copy.startPoint(), AcGePoint3d(1, 2, 3));
    EXPECT_EQ(copy.endPoint(), AcGePoint3d(4, 5, 6));
    EXPECT_EQ(copy.ductKey(), 123456);
    EXPECT_TRUE(copy.startsInOtherDrawing());
    EXPECT_FALSE(copy.endsInOtherDrawing());
    EXPECT_EQ(copy.sizeFor(), "10x8");
    EXPECT_EQ(copy.drawingName(), "Other.dwg");
    EXPECT_FALSE(copy.reverseArrows());

    resbuf* bare = acutBuildList(100, "AcDbEntity", 8, "0", 90, 5, 0);
    AcDbResbufDxfFiler strict(bare, db, false);
    ZkDuct rejected;
    EXPECT_EQ(rejected.dxfInFields(&strict), Acad::eBadDxfSequence);
    acutRelRb(bare);
}
