// Attribute definitions, attributes and sequence ends: their own DXF part
// after the text's, kept groups, and display.
#include "database/dbattribute.h"

#include <array>

#include "database/dbads.h"
#include "database/dbentityfiling.h"
#include "graphics/AcGiWorldDraw.h"

static AcRxObject* makeAttributeDefinition() { return new AcDbAttributeDefinition(); }
ACRX_HOST_CLASS_MEMBERS(AcDbAttributeDefinition, AcDbText, makeAttributeDefinition, "ATTDEF")
static AcRxObject* makeAttribute() { return new AcDbAttribute(); }
ACRX_HOST_CLASS_MEMBERS(AcDbAttribute, AcDbText, makeAttribute, "ATTRIB")
static AcRxObject* makeSequenceEnd() { return new AcDbSequenceEnd(); }
ACRX_HOST_CLASS_MEMBERS(AcDbSequenceEnd, AcDbEntity, makeSequenceEnd, "SEQEND")

template <>
struct AcDbFieldList<AcDbAttributeDefinition> {
    static std::span<const AcDbField<AcDbAttributeDefinition>> fields() {
        static const std::array<AcDbField<AcDbAttributeDefinition>, 4> list{{
            {"prompt", 3, &AcDbAttributeDefinition::mPrompt, std::string()},
            {"tag", 2, &AcDbAttributeDefinition::mTag, std::string()},
            {"flags", 70, &AcDbAttributeDefinition::mFlags, Adesk::Int16(0)},
            {"fieldLength", 73, &AcDbAttributeDefinition::mFieldLength, Adesk::Int16(0)},
        }};
        return list;
    }
};

template <>
struct AcDbFieldList<AcDbAttribute> {
    static std::span<const AcDbField<AcDbAttribute>> fields() {
        static const std::array<AcDbField<AcDbAttribute>, 3> list{{
            {"tag", 2, &AcDbAttribute::mTag, std::string()},
            {"flags", 70, &AcDbAttribute::mFlags, Adesk::Int16(0)},
            {"fieldLength", 73, &AcDbAttribute::mFieldLength, Adesk::Int16(0)},
        }};
        return list;
    }
};

namespace {

// The attribute part: the described fields, 74 (the vertical mode) and
// kept groups; items of the text part that come without markers (entity
// lists) still reach the text.
template <class T>
Acad::ErrorStatus dxfInAttributePart(T& object, const char* marker, AcDbKeptGroups& kept, AcDbDxfFiler* filer,
                                     const std::function<void(Adesk::Int16)>& verticalMode) {
    if (!filer->atSubclassData(marker)) return Acad::eOk;
    auto other = [&](const resbuf& rb) {
        if (rb.restype == 74) verticalMode(rb.resval.rint);
        else kept.keepLastItem(filer, 0);
    };
    Acad::ErrorStatus es = AcDbEntityFiling::dxfInItems(object, AcDbFieldList<T>::fields(), filer, other);
    if (es != Acad::eOk) return es;
    resbuf rb{};
    while (filer->readItem(&rb) == Acad::eOk) kept.keepLastItem(filer, 0);  // subclasses not known here
    if (filer->filerStatus() == Acad::eEndOfObject) filer->resetFilerStatus();
    return filer->filerStatus();
}

template <class T>
Acad::ErrorStatus dxfOutAttributePart(const T& object, const char* marker, const AcDbKeptGroups& kept,
                                      Adesk::Int16 verticalMode, AcDbDxfFiler* filer) {
    filer->writeString(100, marker);
    Acad::ErrorStatus es = AcDbFieldWalk::dxfOut(object, AcDbFieldList<T>::fields(), filer);
    if (es != Acad::eOk) return es;
    if (verticalMode != 0) filer->writeInt16(74, verticalMode);
    kept.dxfOut(filer, 0);
    return filer->filerStatus();
}

}  // namespace

// ---- attribute definition ----

AcDbAttributeDefinition::AcDbAttributeDefinition() {}
AcDbAttributeDefinition::AcDbAttributeDefinition(const AcGePoint3d& position, const char* text, const char* tag,
                                                 const char* prompt, AcDbObjectId style)
    : AcDbText(position, text, style), mPrompt(prompt ? prompt : ""), mTag(tag ? tag : "") {}

bool AcDbAttributeDefinition::subWorldDraw(AcGiWorldDraw* wd) {
    if (isInvisible()) return true;
    return AcDbText::subWorldDraw(wd);
}

Acad::ErrorStatus AcDbAttributeDefinition::subTransformBy(const AcGeMatrix3d& xform) {
    Acad::ErrorStatus es = AcDbText::subTransformBy(xform);
    if (es == Acad::eOk) mKept.transformPoints(11, xform);
    return es;
}

void AcDbAttributeDefinition::subList() const {
    AcDbText::subList();
    acdbPrintf("                     Tag: %s\n", mTag.c_str());
    acdbPrintf("                  Prompt: %s\n", mPrompt.c_str());
}

Acad::ErrorStatus AcDbAttributeDefinition::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbText::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    es = AcDbFieldWalk::dwgOut(*this, AcDbFieldList<AcDbAttributeDefinition>::fields(), filer);
    if (es != Acad::eOk) return es;
    return mKept.dwgOut(filer);
}
Acad::ErrorStatus AcDbAttributeDefinition::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbText::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    es = AcDbFieldWalk::dwgIn(*this, AcDbFieldList<AcDbAttributeDefinition>::fields(), filer);
    if (es != Acad::eOk) return es;
    return mKept.dwgIn(filer);
}
Acad::ErrorStatus AcDbAttributeDefinition::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    es = dxfOutTextPart(filer);
    if (es != Acad::eOk) return es;
    return dxfOutAttributePart(*this, "AcDbAttributeDefinition", mKept, verticalMode(), filer);
}
Acad::ErrorStatus AcDbAttributeDefinition::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    mKept.clear();
    // Without markers (entity lists) the attribute's items come with the text's.
    auto more = [&](const resbuf& rb) {
        if (!AcDbFieldWalk::dxfInItem(*this, AcDbFieldList<AcDbAttributeDefinition>::fields(), rb) && rb.restype == 74)
            setVerticalModeFromFile(rb.resval.rint);
    };
    es = dxfInTextPart(filer, more);
    if (es != Acad::eOk) return es;
    return dxfInAttributePart(*this, "AcDbAttributeDefinition", mKept, filer,
                              [&](Adesk::Int16 mode) { setVerticalModeFromFile(mode); });
}

// ---- attribute ----

AcDbAttribute::AcDbAttribute() {}
AcDbAttribute::AcDbAttribute(const AcGePoint3d& position, const char* text, const char* tag, AcDbObjectId style)
    : AcDbText(position, text, style), mTag(tag ? tag : "") {}

bool AcDbAttribute::subWorldDraw(AcGiWorldDraw* wd) {
    if (isInvisible()) return true;
    return AcDbText::subWorldDraw(wd);
}

Acad::ErrorStatus AcDbAttribute::subTransformBy(const AcGeMatrix3d& xform) {
    Acad::ErrorStatus es = AcDbText::subTransformBy(xform);
    if (es == Acad::eOk) mKept.transformPoints(11, xform);
    return es;
}

void AcDbAttribute::subList() const {
    AcDbText::subList();
    acdbPrintf("                     Tag: %s\n", mTag.c_str());
}

Acad::ErrorStatus AcDbAttribute::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbText::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    es = AcDbFieldWalk::dwgOut(*this, AcDbFieldList<AcDbAttribute>::fields(), filer);
    if (es != Acad::eOk) return es;
    return mKept.dwgOut(filer);
}
Acad::ErrorStatus AcDbAttribute::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbText::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    es = AcDbFieldWalk::dwgIn(*this, AcDbFieldList<AcDbAttribute>::fields(), filer);
    if (es != Acad::eOk) return es;
    return mKept.dwgIn(filer);
}
Acad::ErrorStatus AcDbAttribute::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    es = dxfOutTextPart(filer);
    if (es != Acad::eOk) return es;
    return dxfOutAttributePart(*this, "AcDbAttribute", mKept, verticalMode(), filer);
}
Acad::ErrorStatus AcDbAttribute::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    mKept.clear();
    auto more = [&](const resbuf& rb) {
        if (!AcDbFieldWalk::dxfInItem(*this, AcDbFieldList<AcDbAttribute>::fields(), rb) && rb.restype == 74)
            setVerticalModeFromFile(rb.resval.rint);
    };
    es = dxfInTextPart(filer, more);
    if (es != Acad::eOk) return es;
    return dxfInAttributePart(*this, "AcDbAttribute", mKept, filer,
                              [&](Adesk::Int16 mode) { setVerticalModeFromFile(mode); });
}

// ---- sequence end ----

Acad::ErrorStatus AcDbSequenceEnd::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    return mKept.dwgOut(filer);
}
Acad::ErrorStatus AcDbSequenceEnd::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    return mKept.dwgIn(filer);
}
Acad::ErrorStatus AcDbSequenceEnd::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    mKept.dxfOut(filer, 0);
    return filer->filerStatus();
}
Acad::ErrorStatus AcDbSequenceEnd::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    mKept.clear();
    resbuf rb{};
    while (filer->readItem(&rb) == Acad::eOk) mKept.keepLastItem(filer, 0);
    if (filer->filerStatus() == Acad::eEndOfObject) filer->resetFilerStatus();
    return filer->filerStatus();
}
