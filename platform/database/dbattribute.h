// Block attributes: the definition (ATTDEF) in a block, with its tag,
// prompt and default text, and the attribute (ATTRIB) an insert carries,
// with its tag and value. Both are texts; the groups of their own part
// that they do not hold are kept.
#pragma once

#include <string>

#include "database/dbkept.h"
#include "database/dbtext.h"

class AcDbAttributeDefinition : public AcDbText {
    ACRX_DECLARE_MEMBERS(AcDbAttributeDefinition);

public:
    AcDbAttributeDefinition();
    AcDbAttributeDefinition(const AcGePoint3d& position, const char* text, const char* tag, const char* prompt,
                            AcDbObjectId style = AcDbObjectId());

    std::string tag() const { assertReadEnabled(); return mTag; }
    std::string prompt() const { assertReadEnabled(); return mPrompt; }
    bool isInvisible() const { assertReadEnabled(); return (mFlags & 1) != 0; }
    bool isConstant() const { assertReadEnabled(); return (mFlags & 2) != 0; }

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    // A definition shows its tag where the block is edited; inserts show
    // their attributes instead.
    bool subWorldDraw(AcGiWorldDraw* wd) override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    void subList() const override;

private:
    template <class> friend struct AcDbFieldList;
    std::string mPrompt;
    std::string mTag;
    Adesk::Int16 mFlags = 0;
    Adesk::Int16 mFieldLength = 0;
    AcDbKeptGroups mKept;
};

class AcDbAttribute : public AcDbText {
    ACRX_DECLARE_MEMBERS(AcDbAttribute);

public:
    AcDbAttribute();
    AcDbAttribute(const AcGePoint3d& position, const char* text, const char* tag, AcDbObjectId style = AcDbObjectId());

    std::string tag() const { assertReadEnabled(); return mTag; }
    bool isInvisible() const { assertReadEnabled(); return (mFlags & 1) != 0; }

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    void subList() const override;

private:
    template <class> friend struct AcDbFieldList;
    std::string mTag;
    Adesk::Int16 mFlags = 0;
    Adesk::Int16 mFieldLength = 0;
    AcDbKeptGroups mKept;
};

// The end of the entities that belong to a polyline or an insert in a
// file (SEQEND); it draws nothing and keeps whatever groups it has.
class AcDbSequenceEnd : public AcDbEntity {
    ACRX_DECLARE_MEMBERS(AcDbSequenceEnd);

public:
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    bool subWorldDraw(AcGiWorldDraw*) override { return true; }
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d&) override { return Acad::eOk; }

private:
    AcDbKeptGroups mKept;
};
