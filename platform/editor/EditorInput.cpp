// The editor's input queue and the prompt functions reading from it.
#include "editor/EditorInput.h"

#include <cstdio>
#include <cstring>
#include <deque>

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
