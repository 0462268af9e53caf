// Printing, as the stand-in does it: a page becomes an HTML file in the
// current drawing's folder (the working folder when there is no drawing).
#pragma once

#include <string>

// Writes html to "NAME.html" in that folder ("NAME (2).html" and so on when
// the name is taken), atomically, and prints "[print] PATH". Returns the
// path, or "" after printing why the page could not be written.
std::string uiPrintPage(const std::string& name, const std::string& html);
