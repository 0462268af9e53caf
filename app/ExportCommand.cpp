// The exporter table and the drawing formats of the host itself.
#include "app/ExportCommand.h"

#include <iostream>

#include "app/DrawingFiles.h"
#include "app/HostSession.h"
#include "app/SolidExport.h"

#include "database/io/DrawingFiles.h"
#include "database/io/ExplodeCustom.h"
#include "runtime/ExtensionTable.h"
#include "runtime/rxapp.h"

namespace {

bool writeDrawingFile(AcDbDatabase* db, const std::string& path, const ExportOptions& options, std::string& error) {
    if (options.explode && orv::io::explodeCustomEntities(db, error) < 0) return false;
    return orv::io::saveDrawing(db, path, &error) == Acad::eOk;
}

const Exporter kExporters[] = {
    {".dxf", "ASCII DXF", writeDrawingFile},
    {".dwg", "the host's binary drawing format", writeDrawingFile},
    {".step", "STEP of the duct solids", writeSolidExchangeFile},
    {".stp", "STEP of the duct solids", writeSolidExchangeFile},
    {".stl", "STL of the duct solids", writeSolidExchangeFile},
    {".glb", "binary glTF of the duct solids", writeSolidGlb},
};

}  // namespace

const Exporter* exporterFor(const std::string& path) { return entryForExtension(kExporters, path); }

std::string exportExtensions() { return extensionList(kExporters); }

int exportDrawingCommand(const std::string& drawing, const std::string& output, const ExportOptions& options) {
    const Exporter* exporter = exporterFor(output);
    if (!exporter) {
        std::cerr << "orvane-hvac: cannot export to " << output << ": the name must end in one of "
                  << exportExtensions() << "\n";
        return 2;
    }
    // Custom entities display through their classes: the module is loaded
    // when they are to be exploded.
    HostSession session;
    if (options.explode && !session.loadModule()) {
        std::cerr << "orvane-hvac: cannot export " << output << ": the module could not be loaded\n";
        return 3;
    }
    std::string error;
    // Solids in the drawing need their library's class before reading.
    acrxLoadModule("zk_zk-solid2015x64.dbx", false, false);
    AcDbDatabase* db = readDrawing(HostSession::absolutePath(drawing), error);
    if (db) setWorkingDrawing(db);
    if (!db) {
        std::cerr << "orvane-hvac: cannot read " << drawing << ": " << error << "\n";
        return 4;
    }
    const bool ok = exporter->write(db, HostSession::absolutePath(output), options, error);
    deleteDrawing(db);
    if (!ok) {
        std::cerr << "orvane-hvac: cannot export " << output << ": " << error << "\n";
        return 4;
    }
    return 0;
}

