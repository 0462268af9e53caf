// An entity read from a file whose class is unknown here, or whose class
// asked to be kept as a proxy (newer data): its data is kept unchanged and
// written back unchanged.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "database/dbentity.h"

class AcDbFileProxyEntity : public AcDbEntity {
    ACRX_DECLARE_MEMBERS(AcDbFileProxyEntity);

public:
    // The class the data belongs to, as the file named it.
    struct OriginalClass {
        std::string className;
        std::string dxfName;
        std::string appName;
        int proxyFlags = 0;
    };
    const OriginalClass& originalClass() const { return mClass; }
    void setOriginalClass(OriginalClass original) { mClass = std::move(original); }

    // Binary data after the common entity fields (from a binary drawing),
    // and the format of the drawing it was read from, which its class
    // needs to read it again.
    const std::string& binaryData() const { return mBinary; }
    uint32_t dataFormat() const { return mDataFormat; }
    // Tags after the common entity groups (from a DXF drawing).
    const std::vector<std::pair<int, std::string>>& dxfTags() const { return mTags; }
    // Read from DXF: the binary format files its tags (instead of bytes of
    // its class), so they reach the next DXF unchanged.
    bool keepsDxfTags() const { return mFromDxf; }
    void setKeepsDxfTags(bool fromDxf) { mFromDxf = fromDxf; }

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

private:
    OriginalClass mClass;
    std::string mBinary;
    uint32_t mDataFormat = 0;
    std::vector<std::pair<int, std::string>> mTags;
    bool mFromDxf = false;
};
