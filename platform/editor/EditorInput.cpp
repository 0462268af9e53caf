// The editor's input queue and the prompt functions reading from it.
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

// Flags of acedInitGet apply to the next prompt only.
int& pendingInitFlags() {
    static int flags = 0;
    return flags;
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

int takeInitFlags() {
    int flags = pendingInitFlags();
    pendingInitFlags() = 0;
    return flags;
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

int acedInitGet(int flags, const char*) {
    pendingInitFlags() = flags;
    return RTNORM;
}

int acedGetPoint(const ads_point, const char* prompt, ads_point result) {
    const int flags = takeInitFlags();
    for (;;) {
        if (prompt) acutPrintf("%s", prompt);
        AcEdInputItem item;
        if (!acedNextInput(item) || item.isCancel()) {
            acutPrintf("*Cancel*\n");
            return RTCAN;
        }
        if (item.isPoint) {
            result[0] = item.point.x;
            result[1] = item.point.y;
            result[2] = item.point.z;
            state().lastPoint = item.point;
            return RTNORM;
        }
        if (item.isEnter()) {
            if (!(flags & RSG_NONULL)) return RTNONE;
            acutPrintf("\nPoint or option keyword required.");
            continue;
        }
        acutPrintf("\nInvalid point.");
    }
}

int acedGetString(int, const char* prompt, char* result, size_t bufLen) {
    takeInitFlags();
    if (prompt) acutPrintf("%s", prompt);
    AcEdInputItem item;
    if (!acedNextInput(item) || item.isCancel()) {
        acutPrintf("*Cancel*\n");
        return RTCAN;
    }
    std::string text = item.text;
    if (item.isPoint) {
        char buffer[96];
        std::snprintf(buffer, sizeof buffer, "%g,%g,%g", item.point.x, item.point.y, item.point.z);
        text = buffer;
    }
    if (result && bufLen > 0) {
        std::strncpy(result, text.c_str(), bufLen - 1);
        result[bufLen - 1] = '\0';
    }
    return RTNORM;
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
