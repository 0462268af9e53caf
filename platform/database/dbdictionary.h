// The objects of a drawing's OBJECTS data. Dictionaries are modelled as
// named entries; every other object (layouts, extension records, styles of
// other programs, ...) is kept as the DXF tags it was read with. Both keep
// their tags, so both drawing formats write them back unchanged.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "database/dbobject.h"

class AcDbCarriedObject : public AcDbObject {
    ACRX_DECLARE_MEMBERS(AcDbCarriedObject);

public:
    AcDbCarriedObject();
    using Tag = std::pair<int, std::string>;
    // The DXF type ("XRECORD", "LAYOUT", ...) and the tags after it as read
    // (the handle group 5 among them when the file had one).
    const std::string& dxfType() const { return mType; }
    const std::vector<Tag>& tags() const { return mTags; }
    void setTags(std::string type, std::vector<Tag> tags);
    // Makes owner the object's owner, in its owner group (330) too.
    void setOwnerTag(AcDbObjectId owner);
    // The object as DXF text, from its 0 group on.
    std::string dxfText() const;
    // Where the object stands in the OBJECTS data: objects are written in
    // this order (the order read, new objects after), whatever order their
    // ids were made in.
    uint64_t sequence() const { return mSequence; }

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;

protected:
    std::string mType;
    std::vector<Tag> mTags;

private:
    uint64_t mSequence;
};

class AcDbDictionary : public AcDbCarriedObject {
    ACRX_DECLARE_MEMBERS(AcDbDictionary);

public:
    // An empty dictionary (its subclass marker and merge style only).
    AcDbDictionary();

    // Entry names compare without regard to case, as the host's keys do.
    uint32_t numEntries() const;
    bool has(const std::string& name) const;
    // eKeyNotFound when there is no such entry.
    Acad::ErrorStatus getAt(const std::string& name, AcDbObjectId& id) const;
    // Adds an entry; eDuplicateKey when the name is taken, eInvalidKey for
    // an empty name, eNotInDatabase for an object of another database.
    Acad::ErrorStatus setAt(const std::string& name, AcDbObjectId id);
    Acad::ErrorStatus remove(const std::string& name);
    // eKeyNotFound, or eDuplicateKey when newName names another entry.
    Acad::ErrorStatus setName(const std::string& oldName, const std::string& newName);
    // The entries in their order: name and object (a null id for a handle
    // the drawing does not hold).
    std::vector<std::pair<std::string, AcDbObjectId>> entries() const;

private:
    // Index of the name tag (3) of an entry; npos when missing.
    size_t find(const std::string& name) const;
};

// The drawing's root dictionary (the first dictionary without an owner).
// With create, a drawing without one gets it, holding the empty
// dictionaries "ACAD_GROUP" and "ACAD_LAYOUT"; otherwise the null id.
AcDbObjectId acdbNamedObjectsDictionary(AcDbDatabase* db, bool create);
