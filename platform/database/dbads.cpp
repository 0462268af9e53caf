// Routes the database's command-line output and result buffers to the
// AutoLISP interface when it is linked in.
#include "database/dbads.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

// Weak: the interpreter library may be absent.
extern resbuf* acutNewRb(int type) __attribute__((weak));
extern int acutPrintf(const char* format, ...) __attribute__((weak));

resbuf* acdbNewRb(int type) {
    if (acutNewRb) return acutNewRb(type);
    auto* rb = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
    if (rb) rb->restype = static_cast<short>(type);
    return rb;
}

void acdbPrintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    char buffer[1024];
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (acutPrintf) acutPrintf("%s", buffer);
    else std::fputs(buffer, stdout);
}
