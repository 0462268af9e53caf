// Drawing helpers: layer and text style lookup by key, appending to model
// space, the drawing scale factor, the module's per-user string settings.
#pragma once

#include <string>

#include "database/dbid.h"

class AcDbEntity;
class DocDataManager;

// The layer of a layer key (optionally of a layer system) in the current
// drawing, created from the project's layer table when missing and unlocked
// when locked. Falls back to "DEFAULT" and then to layer "0" with a message.
// False only when the drawing's layer table cannot be opened.
bool getLayerByKey(DocDataManager* manager, const std::string& key, bool hasLayerSystem, int layerSystem,
                   AcDbObjectId& layerId);
// The text style of a text style key and its height (already multiplied by
// the drawing scale factor), created when missing.
bool getTextStyleByKey(DocDataManager* manager, const std::string& key, AcDbObjectId& styleId, double& height);

// Appends a new entity to model space of the working drawing. True: the
// drawing owns it (still open for the caller to close). False: it has been
// deleted, and an alert says why.
bool appendToModelSpace(AcDbEntity* entity);

// The drawing scale factor of the working drawing ("DIMSCALE"; 1.0 when
// there is no drawing or the value is not positive).
double drawingScaleFactor();

// Per-user string settings under "Software\Orvane Software\" + subkey.
// Reading a missing key or value gives "".
std::string readRegistryString(const std::string& subkey, const std::string& valueName);
// Writing needs the key to exist already.
bool writeRegistryString(const std::string& subkey, const std::string& valueName, const std::string& text);
// Creates the settings key (done by the product's set-up on a real machine).
bool createRegistryKey(const std::string& subkey);
