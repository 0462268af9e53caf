// Creating, reading and saving the drawings behind documents.
#pragma once

#include <string>

class AcDbDatabase;

// A new empty drawing.
AcDbDatabase* createDrawing();
// Reads a drawing file (format by name); null with a message on failure.
AcDbDatabase* readDrawing(const std::string& path, std::string& error);
// Saves a drawing (format by name, atomically); false with a message.
bool saveDrawing(AcDbDatabase* database, const std::string& path, std::string& error);
void deleteDrawing(AcDbDatabase* database);
// Makes the drawing the working database of the host.
void setWorkingDrawing(AcDbDatabase* database);
