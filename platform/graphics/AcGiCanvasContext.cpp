// The drawing context that transforms primitives to world space and passes
// them with their traits to a canvas.
#include "graphics/AcGiCanvasContext.h"

#include <cmath>
#include <cstring>

AcGiCanvasContext::AcGiCanvasContext(AcGiCanvas& canvas) : mCanvas(canvas) {}
AcGiCanvasContext::~AcGiCanvasContext() = default;

AcGiPrimitiveTraits AcGiCanvasContext::currentTraits() const {
    AcGiPrimitiveTraits t;
    t.color = mTraits.color();
    t.layer = mTraits.layerId();
    t.lineType = mTraits.lineTypeId();
    t.blockLineType = mBlockLineType;
    t.topLayer = mTopLayer;
    t.marker = mTraits.selectionMarker();
    t.lineWeight = mTraits.lineWeight();
    t.lineTypeScale = mTraits.lineTypeScale();
    t.filled = mTraits.fillType() == kAcGiFillAlways;
    t.depth = mDepth;
    return t;
}

AcGePoint3d AcGiCanvasContext::toWorld(const AcGePoint3d& p) const {
    return mTransforms.empty() ? p : mTransforms.back() * p;
}

AcGeVector3d AcGiCanvasContext::toWorld(const AcGeVector3d& v) const {
    return mTransforms.empty() ? v : mTransforms.back() * v;
}

bool AcGiCanvasContext::drawTopLevel(AcGiDrawable* drawable) {
    if (!drawable) return false;
    mTraits = AcGiBasicTraits();
    mBlockLineType = AcDbObjectId();
    const bool done = drawWithAttributes(drawable);
    mTopLayer = AcDbObjectId();
    return done;
}

bool AcGiCanvasContext::drawWithAttributes(AcGiDrawable* drawable) {
    const AcGiBasicTraits parent = mTraits;
    drawable->setAttributes(&mTraits);
    if (mDepth == 0) {
        mTopLayer = mTraits.layerId();
    } else {
        // ByBlock takes the colour and weight of whatever draws this drawable
        // (the insert); the inheriting layer takes the insert's layer.
        if (mTraits.color() == AcGiColor::kByBlock) mTraits.setColor(parent.color());
        if (mTraits.lineWeight() == kLineWeightByBlock) mTraits.setLineWeight(parent.lineWeight());
        if (!mInheritingLayer.isNull() && mTraits.layerId() == mInheritingLayer) mTraits.setLayer(parent.layerId());
    }
    const bool done = drawable->worldDraw(&mWorld);
    if (!done) drawable->viewportDraw(&mViewport);
    return done;
}

bool AcGiCanvasContext::draw(AcGiDrawable* pDrawable) {
    if (!pDrawable || mDepth >= mMaxDepth) return false;
    const AcGiBasicTraits saved = mTraits;
    const AcDbObjectId savedBlockLineType = mBlockLineType;
    const std::size_t transforms = mTransforms.size();
    mBlockLineType = mTraits.lineTypeId();
    ++mDepth;
    drawWithAttributes(pDrawable);
    --mDepth;
    mBlockLineType = savedBlockLineType;
    // A drawable that forgot to pop its transforms must not skew its siblings.
    mTransforms.resize(transforms);
    mTraits = saved;
    return true;
}

bool AcGiCanvasContext::polyline(Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList, const AcGeVector3d*,
                                 Adesk::GsMarker lBaseSubEntMarker) {
    if (nbPoints == 0 || !pVertexList) return false;
    AcGiPrimitiveTraits t = currentTraits();
    if (lBaseSubEntMarker >= 0) t.marker = lBaseSubEntMarker;
    if (mTransforms.empty()) {
        mCanvas.polyline(pVertexList, nbPoints, false, t);
        return true;
    }
    mScratch.resize(nbPoints);
    for (Adesk::UInt32 i = 0; i < nbPoints; ++i) mScratch[i] = toWorld(pVertexList[i]);
    mCanvas.polyline(mScratch.data(), nbPoints, false, t);
    return true;
}

bool AcGiCanvasContext::polygon(Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList) {
    if (nbPoints == 0 || !pVertexList) return false;
    const AcGiPrimitiveTraits t = currentTraits();
    mScratch.resize(nbPoints);
    for (Adesk::UInt32 i = 0; i < nbPoints; ++i) mScratch[i] = toWorld(pVertexList[i]);
    mCanvas.polyline(mScratch.data(), nbPoints, true, t);
    return true;
}

bool AcGiCanvasContext::circle(const AcGePoint3d& center, double radius, const AcGeVector3d& normal) {
    if (!(radius > 0.0) || !std::isfinite(radius)) return false;
    const double scale = mTransforms.empty() ? 1.0 : mTransforms.back().scale();
    mCanvas.circle(toWorld(center), radius * scale, toWorld(normal).normal(), currentTraits());
    return true;
}

bool AcGiCanvasContext::circularArc(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
                                    const AcGeVector3d& startVector, double sweepAngle, AcGiArcType) {
    if (!(radius > 0.0) || !std::isfinite(radius) || startVector.isZeroLength()) return false;
    const double scale = mTransforms.empty() ? 1.0 : mTransforms.back().scale();
    AcGeVector3d n = toWorld(normal);
    // A mirroring transform turns the arc's direction around.
    if (!mTransforms.empty() && mTransforms.back().det() < 0.0) n = -n;
    mCanvas.arc(toWorld(center), radius * scale, n.normal(), toWorld(startVector).normal(), sweepAngle,
                currentTraits());
    return true;
}

bool AcGiCanvasContext::text(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction,
                             double height, double width, double oblique, const char* pMsg) {
    if (!pMsg) return false;
    AcGiCanvasText t;
    const AcGeVector3d dir = toWorld(direction);
    const double scale = mTransforms.empty() ? 1.0 : dir.length() / std::max(direction.length(), 1e-300);
    t.position = toWorld(position);
    t.direction = dir.isZeroLength() ? AcGeVector3d::kXAxis : dir.normal();
    t.normal = toWorld(normal).normal();
    t.height = height * (mTransforms.empty() ? 1.0 : scale);
    t.widthFactor = width;
    t.oblique = oblique;
    t.string = std::string_view(pMsg, std::strlen(pMsg));
    mCanvas.text(t, currentTraits());
    return true;
}

bool AcGiCanvasContext::mtext(const AcGiMTextData& data) {
    AcGiMTextData world = data;
    if (!mTransforms.empty()) {
        const AcGeVector3d dir = toWorld(data.direction);
        const double scale = dir.length() / std::max(data.direction.length(), 1e-300);
        world.location = toWorld(data.location);
        world.direction = dir.normal();
        world.normal = toWorld(data.normal).normal();
        world.height = data.height * scale;
        world.width = data.width * scale;
    }
    mCanvas.mtext(world, currentTraits());
    return true;
}

bool AcGiCanvasContext::blockInsert(const AcGiBlockInsertData& data) {
    if (!mCanvas.keepsInserts()) return false;
    AcGiBlockInsertData world = data;
    world.position = toWorld(data.position);
    if (!mTransforms.empty()) world.blockTransform.setToProduct(mTransforms.back(), data.blockTransform);
    mCanvas.insert(world, currentTraits());
    return true;
}

bool AcGiCanvasContext::pushModelTransform(const AcGeMatrix3d& xMat) {
    if (mTransforms.empty()) mTransforms.push_back(xMat);
    else mTransforms.push_back(mTransforms.back() * xMat);
    return true;
}

bool AcGiCanvasContext::popModelTransform() {
    if (mTransforms.empty()) return false;
    mTransforms.pop_back();
    return true;
}

AcGeMatrix3d AcGiCanvasContext::getModelToWorldTransform() const {
    return mTransforms.empty() ? AcGeMatrix3d::kIdentity : mTransforms.back();
}
