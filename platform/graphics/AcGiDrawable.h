// Something the graphics system can draw: entities, and anything an entity
// draws through AcGiWorldGeometry::draw.
#pragma once

#include "runtime/rxobject.h"

class AcGiWorldDraw;
class AcGiViewportDraw;

class AcGiDrawable : public AcRxObject {
public:
    // Draws view-independent graphics; returns true when the drawable has
    // nothing view-dependent to add.
    virtual bool worldDraw(AcGiWorldDraw* wd) = 0;
    virtual void viewportDraw(AcGiViewportDraw*) {}
};
