// An entity whose class is unknown here (or that asked to stay a proxy): it
// keeps its original class and its data, and writes them back unchanged.
#pragma once

#include <string>
#include <vector>

#include "database/dbentity.h"

class AcDbProxyEntity : public AcDbEntity {
    ACRX_DECLARE_MEMBERS(AcDbProxyEntity);

public:
    const std::string& originalClassName() const { return mClassName; }
    const std::string& originalDxfName() const { return mDxfName; }
    const std::string& applicationName() const { return mAppName; }
    void setOriginalClass(const std::string& className, const std::string& dxfName, const std::string& appName = {});

    // Binary data after the common entity fields.
    const std::string& dwgData() const { return mDwgData; }
    void setDwgData(std::string bytes) { mDwgData = std::move(bytes); }
    // Tagged items after the common entity groups (subclass markers included).
    const std::vector<AcDbXDataItem>& dxfItems() const { return mDxfItems; }
    void setDxfItems(std::vector<AcDbXDataItem> items) { mDxfItems = std::move(items); }

    // Reading takes every remaining byte of a memory filer.
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

private:
    std::string mClassName, mDxfName, mAppName;
    std::string mDwgData;
    std::vector<AcDbXDataItem> mDxfItems;
};
