// Result-buffer allocation for builds without the AutoLISP library, so the
// file tests can run on their own (strings are malloc'ed, as the filers do).
#include <cstdlib>
#include <cstring>

#include "ads/ads.h"
#include "database/dxfcode.h"

resbuf* acutNewRb(int type) {
    auto* rb = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
    if (rb) rb->restype = static_cast<short>(type);
    return rb;
}

static bool ownsString(short type) {
    if (type == RTSTR || type == 0) return true;
    if (type == -1 || type >= 5000) return false;
    auto t = AcDb::dxfValueType(type);
    return t == AcDb::kDxfString || t == AcDb::kDxfHandle || t == AcDb::kDxfBinary;
}

int acutRelRb(resbuf* rb) {
    while (rb) {
        resbuf* next = rb->rbnext;
        if (ownsString(rb->restype)) std::free(rb->resval.rstring);
        std::free(rb);
        rb = next;
    }
    return RTNORM;
}
