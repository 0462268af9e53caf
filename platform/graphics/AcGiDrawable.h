// Something the graphics system can draw: entities, and anything an entity
// draws through AcGiWorldGeometry::draw.
#pragma once

#include "geometry/adesk.h"
#include "runtime/rxobject.h"

class AcGiWorldDraw;
class AcGiViewportDraw;
class AcGiDrawableTraits;

class AcGiDrawable : public AcRxObject {
public:
    // Draws view-independent graphics; returns true when the drawable has
    // nothing view-dependent to add.
    virtual bool worldDraw(AcGiWorldDraw* wd) = 0;
    virtual void viewportDraw(AcGiViewportDraw*) {}
    // Called before worldDraw so the drawable can set its own colour, layer
    // and linetype on the traits; entities override it with their properties.
    virtual Adesk::UInt32 setAttributes(AcGiDrawableTraits*) { return 0; }
};
