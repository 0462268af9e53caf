// What the reader fuzz programs check of every drawing they could read.
#pragma once

#include <string>

// Reads bytes as a drawing of the given format (with the module's classes
// loaded). When the read succeeds, the drawing must save in both formats and
// each saved file must read back; anything else aborts the process, which
// the fuzzer reports with the input.
void readAndRoundTrip(const std::string& bytes, bool dxf);
