// `orvane-hvac export DRAWING -o OUT`: writes a drawing in the format its
// output name asks for. Each format is one entry of the exporter table,
// chosen by the output's extension, so further formats plug in there.
#pragma once

#include <string>

class AcDbDatabase;

struct ExportOptions {
    // Replace every custom entity by the standard entities of its display
    // (for programs that show neither custom entities nor proxy graphics).
    bool explode = false;
};

struct Exporter {
    const char* extension;  // lower case, with the dot: ".dxf"
    const char* description;
    bool (*write)(AcDbDatabase* db, const std::string& path, const ExportOptions& options, std::string& error);
};

// Reads drawing and writes output with the exporter of its extension;
// returns the program's exit code (0, 2 for an unknown extension, 3 when the
// module needed for --explode cannot be loaded, 4 when a
// file cannot be read or written), with the message on standard error.
int exportDrawingCommand(const std::string& drawing, const std::string& output, const ExportOptions& options);

// The exporter for an output path, null when no exporter writes its extension.
const Exporter* exporterFor(const std::string& path);
// The extensions the exporters write, for the usage text ("dxf, dwg").
std::string exportExtensions();
