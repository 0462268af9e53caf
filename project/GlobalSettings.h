// Reading a project-wide setting's text from tblGlobal by its key.
#pragma once

#include <string>

#include "projectdb/ProjectDatabasePtr.h"

// sText of the tblGlobal row named key; empty when there is no connection,
// no such row or a null text. Database failures raise _com_error.
std::wstring globalText(IProjectDatabasePtr& db, const std::wstring& key);
