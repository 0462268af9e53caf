// The call wrapper every AutoLISP function of the module enters through.
#pragma once

#include "integration/LispStatus.h"

class DocDataManager;

// Locks the working database's document, makes sure the project database is
// open when a manager is given (functions that need the project), runs the
// implementation and maps its status to RSRSLT/RSERR with its message.
int invokeLispFunction(LispImplementation implementation, DocDataManager* manager);

// The AutoLISP return code and message of a status.
int returnCodeOf(int status);
const char* messageOf(int status);
