// Layer and text style lookup by key through the project's tables.
#include <algorithm>
#include <cctype>
#include <string>

#include "ads/ads.h"
#include "com/bstr.h"
#include "database/dbdatabase.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "integration/DocData.h"
#include "integration/DrawingHelpers.h"
#include "project/ProjectData.h"
#include "runtime/docman.h"

namespace {

struct LayerDefinition {
    std::string name = "0";
    std::optional<int32_t> color;
    std::string linetype = "CONTINUOUS";
    bool plot = true;
    std::optional<std::wstring> lineweight;
    std::optional<std::wstring> plotStyle;
};

ProjectDatabaseData* currentProjectDatabase(DocDataManager* manager) {
    if (!manager || !manager->currentDocData()) return nullptr;
    return &manager->currentDocData()->project()->database();
}

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

// The layer system is searched as an empty value when it is 0.
_variant_t layerSystemKey(int layerSystem) { return layerSystem == 0 ? _variant_t() : _variant_t(layerSystem); }

// Reads the layer definition of a key; prints why when it falls back to "0".
LayerDefinition layerDefinitionOf(ProjectDatabaseData* project, const std::string& key, int layerSystem) {
    LayerDefinition def;
    DbRecord* keys = project ? project->layerKeyRecord() : nullptr;
    DbRecord* layers = project ? project->layerRecord() : nullptr;
    std::string where = key + ":" + std::to_string(layerSystem);
    try {
        bool found = keys && keys->read(L"isxLayerSystemKey", layerSystemKey(layerSystem), utf8ToWide(key));
        if (!found && keys) found = keys->read(L"isxLayerSystemKey", layerSystemKey(layerSystem), L"DEFAULT");
        if (!found) {
            acutPrintf("\nLayer key %s does not exist in the database.", where.c_str());
            return def;
        }
        std::optional<int32_t> layerKey = keys->integer(L"ixLayer");
        if (!layers || !layerKey || !layers->read(L"ixLayer", _variant_t(static_cast<int>(*layerKey)))) {
            acutPrintf("\nLayer corresponding to layer key %s does not exist in the database.", where.c_str());
            return def;
        }
        def.name = wideToUtf8(layers->text(L"sName").value_or(L"0"));
        def.color = layers->integer(L"iColor");
        def.linetype = wideToUtf8(layers->text(L"sLinetype").value_or(L"CONTINUOUS"));
        def.plot = layers->boolean(L"bPlot").value_or(true);
        def.lineweight = layers->text(L"sLineweight");
        def.plotStyle = layers->text(L"sPlotstyle");
    } catch (const _com_error&) {
        if (project) reportDatabaseError(project->connection().database());
    }
    return def;
}

} // namespace

bool getLayerByKey(DocDataManager* manager, const std::string& key, bool hasLayerSystem, int layerSystem,
                   AcDbObjectId& layerId) {
    if (!hasLayerSystem) layerSystem = 0;
    LayerDefinition def = layerDefinitionOf(currentProjectDatabase(manager), key, layerSystem);
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcDbLayerTable* table = nullptr;
    if (!db || db->getLayerTable(table, AcDb::kForRead) != Acad::eOk) return false;
    AcDbObjectId existing;
    if (table->getAt(def.name, existing) == Acad::eOk) {
        AcDbLayerTableRecord* layer = nullptr;
        if (acdbOpenObject(layer, existing, AcDb::kForWrite) == Acad::eOk) {
            layer->setIsLocked(false);
            layer->close();
        }
        table->close();
        layerId = existing;
        return true;
    }
    auto* layer = new AcDbLayerTableRecord;
    if (def.color) layer->setColorIndex(static_cast<Adesk::Int16>(*def.color));
    layer->setName(def.name.c_str());
    layer->setIsPlottable(def.plot);
    if (upper(def.linetype) != "CONTINUOUS") {
        AcDbLinetypeTable* linetypes = nullptr;
        if (db->getLinetypeTable(linetypes, AcDb::kForRead) != Acad::eOk) {
            delete layer;
            table->close();
            return false;
        }
        AcDbObjectId linetype;
        if (linetypes->getAt(def.linetype, linetype) == Acad::eOk) layer->setLinetypeObjectId(linetype);
        linetypes->close();
    }
    if (def.lineweight && !def.lineweight->empty())
        layer->setLineWeight(static_cast<AcDb::LineWeight>(std::wcstol(def.lineweight->c_str(), nullptr, 10)));
    AcApDocument* doc = acDocManager->document(db);
    acDocManager->lockDocument(doc, AcAp::kWrite, nullptr, nullptr, true);
    bool added = false;
    if (table->upgradeOpen() == Acad::eOk && table->add(layerId, layer) == Acad::eOk) {
        added = true;
        if (def.plotStyle) layer->setPlotStyleName(wideToUtf8(*def.plotStyle));
        layer->close();
    } else {
        delete layer;
    }
    table->close();
    acDocManager->unlockDocument(doc);
    return added;
}

bool getTextStyleByKey(DocDataManager* manager, const std::string& key, AcDbObjectId& styleId, double& height) {
    ProjectDatabaseData* project = currentProjectDatabase(manager);
    DbRecord* styles = project ? project->textStyleRecord() : nullptr;
    std::optional<std::wstring> font;
    std::optional<double> textHeight;
    try {
        if (styles && styles->read(L"sKey", utf8ToWide(key))) {
            font = styles->text(L"sStyleName");
            textHeight = styles->number(L"dHeight");
        }
        if ((!font || !textHeight) && styles && styles->read(L"sKey", L"DEFAULT")) {
            if (!font) font = styles->text(L"sStyleName");
            if (!textHeight) textHeight = styles->number(L"dHeight");
        }
    } catch (const _com_error&) {
        reportDatabaseError(project->connection().database());
    }
    std::string fontName = font ? wideToUtf8(*font) : "SIMPLEX";
    if (fontName.empty()) fontName = "Standard";
    height = textHeight.value_or(0.1);
    if (height == 0.0) height = 0.1;
    height *= drawingScaleFactor();

    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcDbTextStyleTable* table = nullptr;
    if (!db || db->getTextStyleTable(table, AcDb::kForRead) != Acad::eOk) return false;
    if (table->getAt(fontName, styleId) == Acad::eOk) {
        table->close();
        return true;
    }
    AcApDocument* doc = acDocManager->document(db);
    acDocManager->lockDocument(doc, AcAp::kWrite, nullptr, nullptr, true);
    auto* style = new AcDbTextStyleTableRecord;
    style->setName(fontName.c_str());
    style->setFileName(fontName + ".shx");
    AcDbObjectId added;
    if (table->upgradeOpen() == Acad::eOk && table->add(added, style) == Acad::eOk)
        style->close();
    else
        delete style;
    bool found = table->getAt(fontName, styleId) == Acad::eOk;
    table->close();
    acDocManager->unlockDocument(doc);
    return found;
}
