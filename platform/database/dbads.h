// The AutoLISP interface calls the database makes (result buffers, command
// line), usable also when no interpreter library is loaded (tools, tests).
#pragma once

#include "ads/ads.h"

// acutNewRb when the interpreter is present, else a zero-filled malloc'ed
// buffer (strings in it are malloc'ed too, as acutRelRb expects).
resbuf* acdbNewRb(int type);
// acutPrintf when the interpreter is present, else standard output.
void acdbPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
