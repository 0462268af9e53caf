// The drawing contexts handed to drawables: world (view-independent) and
// viewport (view-dependent) drawing.
#pragma once

#include "graphics/AcGiGeometry.h"
#include "graphics/AcGiSubEntityTraits.h"

enum AcGiRegenType {
    eAcGiRegenTypeInvalid = 0,
    kAcGiStandardDisplay = 2,
    kAcGiHideOrShadeCommand,
    kAcGiRenderCommand,
    kAcGiForExplode,
    kAcGiSaveWorldDrawForProxy
};

enum AcGiDeviationType {
    kAcGiMaxDevForCircle = 0,
    kAcGiMaxDevForCurve,
    kAcGiMaxDevForBoundary,
    kAcGiMaxDevForIsoline,
    kAcGiMaxDevForFacet
};

class AcGiCommonDraw {
public:
    virtual ~AcGiCommonDraw() = default;
    virtual AcGiRegenType regenType() const = 0;
    virtual bool regenAbort() const = 0;
    virtual AcGiSubEntityTraits& subEntityTraits() const = 0;
    virtual AcGiGeometry* rawGeometry() const = 0;
    virtual bool isDragging() const = 0;
    virtual double deviation(AcGiDeviationType, const AcGePoint3d&) const { return 0.0; }
    virtual Adesk::UInt32 numberOfIsolines() const { return 4; }
};

class AcGiWorldDraw : public virtual AcGiCommonDraw {
public:
    virtual AcGiWorldGeometry& geometry() const = 0;
};

// The view a viewport draw is for.
class AcGiViewport {
public:
    virtual ~AcGiViewport() = default;
    virtual AcGeMatrix3d getModelToEyeTransform() const { return AcGeMatrix3d::kIdentity; }
    virtual AcGeMatrix3d getEyeToModelTransform() const { return AcGeMatrix3d::kIdentity; }
    virtual AcGeVector3d viewDir() const { return AcGeVector3d::kZAxis; }
    virtual Adesk::Int32 viewportId() const { return 1; }
};

class AcGiViewportDraw : public virtual AcGiCommonDraw {
public:
    virtual AcGiViewportGeometry& geometry() const = 0;
    virtual const AcGiViewport& viewport() const = 0;
    virtual Adesk::UInt32 sequenceNumber() const { return 0; }
};
