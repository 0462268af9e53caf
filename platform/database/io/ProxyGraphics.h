// Proxy graphics: what a custom entity displays, as the binary graphics
// data other programs draw when they do not know the entity's class (DXF
// groups 92 and 310 of the entity's common part). Made from any entity's
// own display through the recording context, so every custom entity class
// gets it without code of its own.
#pragma once

#include <string>

#include "graphics/AcGiDrawable.h"

class AcDbEntity;

namespace orv::io {

// An entity drawn as it draws itself for other programs: its saveAs
// graphics (by default its display).
class SavedGraphics : public AcGiDrawable {
public:
    explicit SavedGraphics(AcDbEntity* entity);
    Adesk::UInt32 setAttributes(AcGiDrawableTraits* traits) override;
    bool worldDraw(AcGiWorldDraw* wd) override;

private:
    AcDbEntity* mEntity;
};

// The proxy graphics bytes of what entity draws (empty when it draws
// nothing the format can carry).
std::string proxyGraphicsOf(AcDbEntity* entity);

// The DXF groups of proxy graphics: "92 size" and 310 lines of at most 127
// bytes in hexadecimal, as tag text.
std::string proxyGraphicsTags(const std::string& bytes);

}  // namespace orv::io
