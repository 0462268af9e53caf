// The module's custom classes, registered at load and deleted at unload.
#pragma once

// Registers the entity classes in the module's order.
void registerModuleClasses();
// Deletes the class descriptions in the module's order.
void deleteModuleClasses();
