// The current document's duct accessor and duct settings.
#pragma once

class DuctDbRecord;
struct DuctSettings;

// The accessor of the current document, its component reference in step
// with the project's connection (null while the database is not open).
// Null when there is no current document data.
DuctDbRecord* currentDuctRecord();
// The current document's duct settings; null without document data.
DuctSettings* currentDuctSettings();
// Fills the current document's duct settings from the product; false
// without document data or when the product answers none.
bool GetSettings();
