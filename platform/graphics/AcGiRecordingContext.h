// A drawing context that records every primitive with its traits, for tests
// and for inspecting what an entity draws.
#pragma once

#include "graphics/AcGiCanvasContext.h"

#include <string>
#include <vector>

// One recorded primitive, in world coordinates. kind is "polyline",
// "polygon", "circle", "arc", "text", "mtext" or "insert".
struct AcGiRecord {
    std::string kind;
    std::vector<AcGePoint3d> points;  // polyline and polygon vertices
    AcGePoint3d position;             // circle/arc centre, text position, mtext location, insert point
    AcGeVector3d normal = AcGeVector3d::kZAxis;
    AcGeVector3d direction = AcGeVector3d::kXAxis;  // text direction, arc start vector
    double radius = 0.0;
    double sweep = 0.0;     // arc sweep angle
    double height = 0.0;    // text height
    double width = 0.0;     // text width factor, mtext width
    double rotation = 0.0;  // text: angle of the direction in plan; insert: its rotation
    int attachment = 0;     // mtext
    AcGeScale3d scale;      // insert
    std::string text;       // text string, mtext contents, insert block name
    AcDbObjectId blockId;   // insert
    AcGiPrimitiveTraits traits;

    // One line such as "polyline (0,0,0) (10,0,0)" or "circle (1,2,0) 3".
    std::string describe() const;
};

class AcGiRecordingContext : private AcGiCanvas {
public:
    // keepInserts: block references are recorded as "insert" (true) or as
    // the primitives of their block's entities (false).
    explicit AcGiRecordingContext(bool keepInserts = true);

    // Draws a top-level drawable and records what it draws.
    bool draw(AcGiDrawable* drawable) { return mContext.drawTopLevel(drawable); }
    AcGiWorldDraw& worldDraw() { return mContext.worldDraw(); }
    AcGiViewportDraw& viewportDraw() { return mContext.viewportDraw(); }
    AcGiCanvasContext& context() { return mContext; }

    void setKeepInserts(bool keep) { mKeepInserts = keep; }
    bool keepInserts() const { return mKeepInserts; }

    const std::vector<AcGiRecord>& records() const { return mRecords; }
    std::vector<const AcGiRecord*> recordsOfKind(std::string_view kind) const;
    std::size_t count(std::string_view kind) const;
    void clear() { mRecords.clear(); }
    // All records, one per line.
    std::string describe() const;

private:
    void polyline(const AcGePoint3d* points, std::size_t count, bool closed,
                  const AcGiPrimitiveTraits& traits) override;
    void circle(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
                const AcGiPrimitiveTraits& traits) override;
    void arc(const AcGePoint3d& center, double radius, const AcGeVector3d& normal, const AcGeVector3d& startVector,
             double sweep, const AcGiPrimitiveTraits& traits) override;
    void text(const AcGiCanvasText& text, const AcGiPrimitiveTraits& traits) override;
    void mtext(const AcGiMTextData& mtext, const AcGiPrimitiveTraits& traits) override;
    bool keepsInserts() const override { return mKeepInserts; }
    void insert(const AcGiBlockInsertData& insert, const AcGiPrimitiveTraits& traits) override;

    AcGiRecord& add(const char* kind, const AcGiPrimitiveTraits& traits);

    AcGiCanvasContext mContext;
    std::vector<AcGiRecord> mRecords;
    bool mKeepInserts;
};
