// Argument readers: each consumes the nodes it reads only on success.
#include "integration/LispArgs.h"

#include <cmath>

#include "database/dbid.h"
#include "geometry/AcGePoint2d.h"
#include "geometry/AcGePoint3d.h"

namespace {

bool isNumber(const resbuf* rb) {
    return rb && (rb->restype == RTSHORT || rb->restype == RTLONG || rb->restype == RTREAL);
}

double numberValue(const resbuf* rb) {
    switch (rb->restype) {
    case RTSHORT: return rb->resval.rint;
    case RTLONG: return rb->resval.rlong;
    default: return rb->resval.rreal;
    }
}

bool isPointNode(const resbuf* rb) {
    return rb && (rb->restype == RTPOINT || rb->restype == RT3DPOINT || isPointGroup(rb->restype));
}

} // namespace

bool argInt(ArgCursor& cur, int32_t& value) {
    resbuf* rb = cur.node();
    if (!rb) return false;
    if (rb->restype < 1000) {
        // A DXF group node answers with its own group code.
        value = rb->restype;
        return true;
    }
    switch (rb->restype) {
    case RTSHORT: value = rb->resval.rint; break;
    case RTLONG: value = rb->resval.rlong; break;
    case RTREAL: {
        double r = std::trunc(rb->resval.rreal);
        if (!(r >= INT32_MIN && r <= INT32_MAX)) return false;
        value = static_cast<int32_t>(r);
        break;
    }
    default: return false;
    }
    cur.next();
    return true;
}

bool argReal(ArgCursor& cur, double& value) {
    resbuf* rb = cur.node();
    if (rb && rb->restype == RTREAL) {
        value = rb->resval.rreal;
        cur.next();
        return true;
    }
    int32_t n = 0;
    if (!argInt(cur, n)) return false;
    value = n;
    return true;
}

bool argRealOnly(ArgCursor& cur, double& value) {
    resbuf* rb = cur.node();
    if (!rb || rb->restype != RTREAL) return false;
    value = rb->resval.rreal;
    cur.next();
    return true;
}

bool argString(ArgCursor& cur, std::string& value) {
    resbuf* rb = cur.node();
    if (!rb || rb->restype != RTSTR) return false;
    value = rb->resval.rstring ? rb->resval.rstring : "";
    cur.next();
    return true;
}

bool argBool(ArgCursor& cur, bool& value) {
    resbuf* rb = cur.node();
    if (!rb || rb->restype == RTLB) return false;
    if (rb->restype == RTLE) {
        value = false;
        return true;
    }
    value = rb->restype != RTNIL;
    cur.next();
    return true;
}

bool argEntity(ArgCursor& cur, AcDbObjectId& id) {
    resbuf* rb = cur.node();
    if (!rb || rb->restype != RTENAME) return false;
    AcDbObjectId found;
    if (acdbGetObjectId(found, rb->resval.rlname) != Acad::eOk) return false;
    id = found;
    cur.next();
    return true;
}

bool argPoint2d(ArgCursor& cur, double& x, double& y) {
    resbuf* rb = cur.node();
    if (isPointNode(rb)) {
        x = rb->resval.rpoint[0];
        y = rb->resval.rpoint[1];
        cur.next();
        return true;
    }
    if (rb && rb->restype == RTREAL && rb->rbnext && rb->rbnext->restype == RTREAL) {
        x = rb->resval.rreal;
        y = rb->rbnext->resval.rreal;
        cur.set(rb->rbnext->rbnext);
        return true;
    }
    return false;
}

bool argPoint2d(ArgCursor& cur, AcGePoint2d& point) {
    double x = 0, y = 0;
    if (!argPoint2d(cur, x, y)) return false;
    point.set(x, y);
    return true;
}

bool argPoint3d(ArgCursor& cur, AcGePoint3d& point) {
    resbuf* rb = cur.node();
    if (isPointNode(rb)) {
        double z = rb->restype == RTPOINT ? 0.0 : rb->resval.rpoint[2];
        point.set(rb->resval.rpoint[0], rb->resval.rpoint[1], z);
        cur.next();
        return true;
    }
    if (isNumber(rb) && isNumber(rb->rbnext)) {
        resbuf* third = rb->rbnext->rbnext;
        double z = 0.0;
        resbuf* after = third;
        if (isNumber(third)) {
            z = numberValue(third);
            after = third->rbnext;
        }
        point.set(numberValue(rb), numberValue(rb->rbnext), z);
        cur.set(after);
        return true;
    }
    return false;
}

bool argListBegin(ArgCursor& cur) {
    if (!cur.node() || cur.node()->restype != RTLB) return false;
    cur.next();
    return true;
}

bool argListEnd(ArgCursor& cur) {
    if (!cur.node() || cur.node()->restype != RTLE) return false;
    cur.next();
    return true;
}

void argSkip(ArgCursor& cur) { cur.next(); }

bool argStringIntPair(ArgCursor& cur, std::string& text, int32_t& value) {
    resbuf* start = cur.node();
    // At least three nodes must follow the list begin: text, number, end.
    if (!start || start->restype != RTLB || !start->rbnext || !start->rbnext->rbnext ||
        !start->rbnext->rbnext->rbnext)
        return false;
    cur.next();
    std::string t;
    int32_t n = 0;
    if (argString(cur, t) && argInt(cur, n) && cur.node() && cur.node()->restype == RTDOTE) {
        cur.next();
        text = t;
        value = n;
        return true;
    }
    cur.set(start);
    return false;
}
