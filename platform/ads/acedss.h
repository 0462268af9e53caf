// Selection sets of the application interface: the editor's one table
// (acedSSGet, acedSSAdd/Del/Memb/Name/Length/Free).
#pragma once

#include "editor/EditorSelection.h"
