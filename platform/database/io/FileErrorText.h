// What a filing status means, in words, for the messages of the drawing
// readers and writers (the status names are for programmers).
#pragma once

#include "database/dbid.h"

namespace orv::io {

const char* fileErrorText(Acad::ErrorStatus status);

}  // namespace orv::io
