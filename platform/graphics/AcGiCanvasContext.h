// A complete drawing context (world and viewport draw, geometry, traits, model
// transforms, embedded drawables) that hands world-space primitives to a canvas.
#pragma once

#include "graphics/AcGiCanvas.h"
#include "graphics/AcGiDrawable.h"
#include "graphics/AcGiWorldDraw.h"

#include <vector>

class AcGiCanvasContext : private AcGiWorldGeometry, private AcGiViewportGeometry {
public:
    explicit AcGiCanvasContext(AcGiCanvas& canvas);
    ~AcGiCanvasContext() override;
    AcGiCanvasContext(const AcGiCanvasContext&) = delete;
    AcGiCanvasContext& operator=(const AcGiCanvasContext&) = delete;

    // Draws one top-level drawable: its attributes, its worldDraw and, when
    // that returns false, its viewportDraw. Returns worldDraw's result.
    bool drawTopLevel(AcGiDrawable* drawable);

    AcGiWorldDraw& worldDraw() { return mWorld; }
    AcGiViewportDraw& viewportDraw() { return mViewport; }
    AcGiBasicTraits& traits() { return mTraits; }

    void setRegenType(AcGiRegenType type) { mRegenType = type; }
    void setDragging(bool dragging) { mDragging = dragging; }
    // Deeper draw() nesting than this is cut off (self-referencing blocks).
    void setMaxDepth(int depth) { mMaxDepth = depth; }
    // Drawables on this layer inside a block take the layer of the insert
    // that draws them (a drawing's layer "0").
    void setInheritingLayer(AcDbObjectId layer) { mInheritingLayer = layer; }

private:
    class WorldDraw : public AcGiWorldDraw {
    public:
        explicit WorldDraw(AcGiCanvasContext& c) : mContext(c) {}
        AcGiRegenType regenType() const override { return mContext.mRegenType; }
        bool regenAbort() const override { return false; }
        AcGiSubEntityTraits& subEntityTraits() const override { return mContext.mTraits; }
        AcGiGeometry* rawGeometry() const override { return static_cast<AcGiWorldGeometry*>(&mContext); }
        bool isDragging() const override { return mContext.mDragging; }
        AcGiWorldGeometry& geometry() const override { return mContext; }

    private:
        AcGiCanvasContext& mContext;
    };
    class ViewportDraw : public AcGiViewportDraw {
    public:
        explicit ViewportDraw(AcGiCanvasContext& c) : mContext(c) {}
        AcGiRegenType regenType() const override { return mContext.mRegenType; }
        bool regenAbort() const override { return false; }
        AcGiSubEntityTraits& subEntityTraits() const override { return mContext.mTraits; }
        AcGiGeometry* rawGeometry() const override { return static_cast<AcGiWorldGeometry*>(&mContext); }
        bool isDragging() const override { return mContext.mDragging; }
        AcGiViewportGeometry& geometry() const override { return mContext; }
        const AcGiViewport& viewport() const override { return mView; }

    private:
        AcGiCanvasContext& mContext;
        AcGiViewport mView;
    };

    // AcGiGeometry
    bool polyline(Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList, const AcGeVector3d* pNormal,
                  Adesk::GsMarker lBaseSubEntMarker) override;
    bool polygon(Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList) override;
    bool circle(const AcGePoint3d& center, double radius, const AcGeVector3d& normal) override;
    using AcGiGeometry::circle;
    bool circularArc(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
                     const AcGeVector3d& startVector, double sweepAngle, AcGiArcType arcType) override;
    using AcGiGeometry::circularArc;
    bool text(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction,
              double height, double width, double oblique, const char* pMsg) override;
    using AcGiGeometry::text;
    bool mtext(const AcGiMTextData& data) override;
    bool blockInsert(const AcGiBlockInsertData& data) override;
    bool pushModelTransform(const AcGeMatrix3d& xMat) override;
    using AcGiGeometry::pushModelTransform;
    bool popModelTransform() override;
    AcGeMatrix3d getModelToWorldTransform() const override;
    bool draw(AcGiDrawable* pDrawable) override;

    AcGiPrimitiveTraits currentTraits() const;
    bool drawWithAttributes(AcGiDrawable* drawable);
    AcGePoint3d toWorld(const AcGePoint3d& p) const;
    AcGeVector3d toWorld(const AcGeVector3d& v) const;

    AcGiCanvas& mCanvas;
    WorldDraw mWorld{*this};
    ViewportDraw mViewport{*this};
    AcGiBasicTraits mTraits;
    std::vector<AcGeMatrix3d> mTransforms;  // cumulative model-to-world
    std::vector<AcGePoint3d> mScratch;      // transformed points, reused
    AcGiRegenType mRegenType = kAcGiStandardDisplay;
    bool mDragging = false;
    int mDepth = 0;
    int mMaxDepth = 32;
    AcDbObjectId mInheritingLayer;
    AcDbObjectId mTopLayer;
    AcDbObjectId mBlockLineType;
    static constexpr int kLineWeightByBlock = -2;
};
