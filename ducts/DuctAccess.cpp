// Per-document duct data: the accessor and the settings live in the
// document's data and go with it.
#include "ducts/DuctAccess.h"

#include "ducts/DuctDbRecord.h"
#include "ducts/DuctSettings.h"
#include "integration/DocData.h"
#include "project/ProjectData.h"

namespace {

hvacPerDocData* currentHvacDocData() {
    if (!gDocDataManager) return nullptr;
    return dynamic_cast<hvacPerDocData*>(gDocDataManager->currentDocData());
}

} // namespace

DuctDbRecord* currentDuctRecord() {
    hvacPerDocData* doc = currentHvacDocData();
    if (!doc) return nullptr;
    DuctDbRecord& record = doc->ductRecord;
    DbConnection& connection = doc->project()->database().connection();
    if (connection.isOpen()) {
        if (record.database().GetInterfacePtr() != connection.database().GetInterfacePtr())
            record.setDatabase(connection.database());
    } else if (record.hasDatabase()) {
        record.setDatabase(nullptr);
    }
    return &record;
}

DuctSettings* currentDuctSettings() {
    hvacPerDocData* doc = currentHvacDocData();
    return doc ? &doc->ductSettings : nullptr;
}

// The project's duct defaults come first; the product's answer then sets
// what it names.
bool GetSettings() {
    hvacPerDocData* doc = currentHvacDocData();
    if (!doc) return false;
    const DuctDefaults& defaults = doc->project()->database().ductDefaults();
    doc->ductSettings.LINING = defaults.interiorLining;
    doc->ductSettings.dExteriorLining = defaults.exteriorLining;
    return GetSettings(doc->ductSettings);
}
