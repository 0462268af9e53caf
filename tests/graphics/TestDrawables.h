// Small drawables standing in for entities: a line, a multiline text, a block
// reference and an entity that embeds others.
#pragma once

#include "graphics/AcGi.h"

#include <functional>
#include <string>
#include <vector>

inline AcDbObjectId fakeId(std::uintptr_t n) { return AcDbObjectId(reinterpret_cast<AcDbStub*>(n * 16)); }

// Sets its own colour, layer, linetype and weight like an entity does.
class TestEntity : public AcGiDrawable {
public:
    Adesk::UInt16 color = AcGiColor::kByLayer;
    AcDbObjectId layer;
    AcDbObjectId lineType;  // null: ByLayer
    int lineWeight = -1;    // ByLayer
    Adesk::UInt32 setAttributes(AcGiDrawableTraits* traits) override {
        traits->setColor(color);
        traits->setLayer(layer);
        traits->setLineType(lineType);
        traits->setLineWeight(lineWeight);
        return 0;
    }
};

class TestLine : public TestEntity {
public:
    TestLine(AcGePoint3d a, AcGePoint3d b) : start(a), end(b) {}
    AcGePoint3d start, end;
    bool worldDraw(AcGiWorldDraw* wd) override {
        const AcGePoint3d pts[2] = {start, end};
        wd->geometry().polyline(2, pts);
        return true;
    }
};

class TestMText : public TestEntity {
public:
    AcGePoint3d location;
    std::string contents;
    double height = 2.5;
    bool worldDraw(AcGiWorldDraw* wd) override {
        AcGiMTextData data;
        data.location = location;
        data.height = height;
        data.contents = contents;
        return wd->geometry().mtext(data);
    }
};

// A block reference: recorded as an insert, or drawn through its content.
class TestBlockRef : public TestEntity {
public:
    std::string blockName;
    AcGePoint3d position;
    double rotation = 0.0;
    double scale = 1.0;
    std::vector<AcGiDrawable*> content;
    bool worldDraw(AcGiWorldDraw* wd) override {
        AcGiBlockInsertData data;
        data.blockName = blockName;
        data.position = position;
        data.rotation = rotation;
        data.scale = AcGeScale3d(scale);
        data.blockTransform = AcGeMatrix3d::translation(position.asVector()) *
                              AcGeMatrix3d::rotation(rotation, AcGeVector3d::kZAxis) *
                              AcGeMatrix3d::scaling(scale);
        if (wd->geometry().blockInsert(data)) return true;
        wd->geometry().pushModelTransform(data.blockTransform);
        for (AcGiDrawable* d : content) wd->geometry().draw(d);
        wd->geometry().popModelTransform();
        return true;
    }
};

// Draws whatever its function says, to script a test case.
class ScriptedDrawable : public TestEntity {
public:
    std::function<bool(AcGiWorldDraw*)> world;
    std::function<void(AcGiViewportDraw*)> viewport;
    bool worldDraw(AcGiWorldDraw* wd) override { return world ? world(wd) : true; }
    void viewportDraw(AcGiViewportDraw* vd) override {
        if (viewport) viewport(vd);
    }
};
