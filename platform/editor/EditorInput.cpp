// The editor's input queue and state (last point, ortho mode); the prompt
// functions are in EditorPrompts.cpp.
#include "editor/EditorInput.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <deque>

#include "lisp/AdsHost.h"

namespace {

std::deque<AcEdInputItem>& queue() {
    static std::deque<AcEdInputItem> items;
    return items;
}

struct EditorState {
    AcGePoint3d lastPoint;
    bool ortho = false;
};

// The editor's state, with its system variables registered once.
EditorState& state() {
    static EditorState* editor = [] {
        auto* s = new EditorState;
        adsRegisterSysVar("LASTPOINT", [s](resbuf* rb) {
            rb->restype = RT3DPOINT;
            rb->resval.rpoint[0] = s->lastPoint.x;
            rb->resval.rpoint[1] = s->lastPoint.y;
            rb->resval.rpoint[2] = s->lastPoint.z;
            return true;
        });
        adsRegisterSysVar("ORTHOMODE", [s](resbuf* rb) {
            rb->restype = RTSHORT;
            rb->resval.rint = s->ortho ? 1 : 0;
            return true;
        }, [s](const resbuf* rb) {
            if (rb->restype != RTSHORT || (rb->resval.rint != 0 && rb->resval.rint != 1)) return false;
            s->ortho = rb->resval.rint == 1;
            return true;
        });
        return s;
    }();
    return *editor;
}

} // namespace

void acedQueueInput(const AcEdInputItem& item) { queue().push_back(item); }
void acedClearInput() { queue().clear(); }
size_t acedPendingInput() { return queue().size(); }

bool acedNextInput(AcEdInputItem& item) {
    if (queue().empty()) return false;
    item = queue().front();
    queue().pop_front();
    return true;
}

int acedRedraw(const ads_name, int) { return RTNORM; }

AcGePoint3d acedLastPoint() { return state().lastPoint; }
void acedSetLastPoint(const AcGePoint3d& point) { state().lastPoint = point; }
bool acedOrthoMode() { return state().ortho; }
void acedSetOrthoMode(bool on) { state().ortho = on; }

AcGePoint3d acedOrthoPoint(const AcGePoint3d& base, const AcGePoint3d& point) {
    if (std::fabs(point.x - base.x) >= std::fabs(point.y - base.y)) return AcGePoint3d(point.x, base.y, point.z);
    return AcGePoint3d(base.x, point.y, point.z);
}
