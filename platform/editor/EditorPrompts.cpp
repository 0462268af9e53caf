// The prompt functions: each takes queued answers until one is acceptable,
// with the bits and keywords of acedInitGet applying to that prompt only.
#include "editor/EditorInput.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "lisp/AdsHost.h"

namespace {

struct InitGet {
    int flags = 0;
    std::string keywords;
};

InitGet& pending() {
    static InitGet init;
    return init;
}

std::string& lastKeyword() {
    static std::string keyword;
    return keyword;
}

InitGet takeInitGet() {
    InitGet init = pending();
    pending() = InitGet();
    return init;
}

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The keyword an answer names: the whole keyword, its capital letters (the
// short form) or a longer prefix, ignoring case. With global names (after
// " _"), the global name of the same position; a "_" answer names it directly.
bool matchKeyword(const std::string& keywords, std::string answer, std::string& keyword) {
    std::vector<std::string> local, global;
    std::istringstream words(keywords);
    std::string word;
    bool inGlobal = false;
    while (words >> word) {
        if (word == "_") {
            inGlobal = true;
            continue;
        }
        if (!inGlobal && word.size() > 1 && word[0] == '_') {
            inGlobal = true;
            word.erase(0, 1);
        }
        (inGlobal ? global : local).push_back(word);
    }
    if (answer.empty()) return false;
    bool globalAnswer = answer[0] == '_';
    if (globalAnswer) answer.erase(0, 1);
    const std::vector<std::string>& candidates = globalAnswer && !global.empty() ? global : local;
    std::string wanted = upper(answer);
    for (size_t i = 0; i < candidates.size(); ++i) {
        const std::string& candidate = candidates[i];
        std::string shortForm;
        for (char c : candidate)
            if (std::isupper(static_cast<unsigned char>(c)) || std::isdigit(static_cast<unsigned char>(c))) shortForm += c;
        std::string full = upper(candidate);
        bool prefix = wanted.size() <= full.size() && full.compare(0, wanted.size(), wanted) == 0 &&
                      wanted.size() >= std::max<size_t>(shortForm.size(), 1);
        if (wanted == full || wanted == shortForm || prefix) {
            keyword = i < global.size() && !globalAnswer ? global[i] : candidate;
            return true;
        }
    }
    return false;
}

bool parsePointText(const std::string& text, AcGePoint3d& p) {
    double c[3] = {0, 0, 0};
    char tail = 0;
    int n = std::sscanf(text.c_str(), "%lf,%lf,%lf%c", &c[0], &c[1], &c[2], &tail);
    if (n != 2 && n != 3) return false;
    p.set(c[0], c[1], c[2]);
    return true;
}

bool parseNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end && *end == '\0' && std::isfinite(value);
}

// What one queued answer turned out to be.
enum class Answer { Value, Enter, Cancel, Keyword, Retry };

// Takes the next answer: Enter, Escape and keywords are decided here; for
// the rest accept() says whether it fits (printing why not).
template <typename Accept>
int ask(const char* prompt, const InitGet& init, const char* enterRefused, Accept accept) {
    for (;;) {
        if (prompt) acutPrintf("%s", prompt);
        AcEdInputItem item;
        if (!acedNextInput(item) || item.isCancel()) {
            acutPrintf("*Cancel*\n");
            return RTCAN;
        }
        if (item.isEnter()) {
            if (!(init.flags & RSG_NONULL)) return RTNONE;
            acutPrintf("\n%s", enterRefused);
            continue;
        }
        std::string keyword;
        if (!item.isPoint && !init.keywords.empty() && matchKeyword(init.keywords, item.text, keyword)) {
            lastKeyword() = keyword;
            return RTKWORD;
        }
        Answer answer = accept(item);
        if (answer == Answer::Value) return RTNORM;
        if (answer == Answer::Cancel) return RTCAN;
        if (answer == Answer::Retry && (init.flags & RSG_OTHER) && !item.isPoint) {
            lastKeyword() = item.text;
            return RTKWORD;
        }
    }
}

bool checkSign(double value, const InitGet& init) {
    if ((init.flags & RSG_NOZERO) && value == 0) {
        acutPrintf("\nValue must be nonzero.");
        return false;
    }
    if ((init.flags & RSG_NONEG) && value < 0) {
        acutPrintf("\nValue must be positive.");
        return false;
    }
    return true;
}

void copyText(const std::string& text, char* result, size_t bufLen) {
    if (!result || bufLen == 0) return;
    std::strncpy(result, text.c_str(), bufLen - 1);
    result[bufLen - 1] = '\0';
}

// A point answer (or point text); false after printing that it is not one.
bool pointOf(const AcEdInputItem& item, AcGePoint3d& p) {
    if (item.isPoint) {
        p = item.point;
        return true;
    }
    if (parsePointText(item.text, p)) return true;
    acutPrintf("\nInvalid point.");
    return false;
}

// A second point for two-point distances and angles (no keywords, no flags).
int secondPoint(AcGePoint3d& p) {
    acutPrintf("\nSpecify second point: ");
    for (;;) {
        AcEdInputItem item;
        if (!acedNextInput(item) || item.isCancel()) {
            acutPrintf("*Cancel*\n");
            return RTCAN;
        }
        if (item.isEnter()) return RTNONE;
        if (pointOf(item, p)) return RTNORM;
    }
}

int distanceOrAngle(const ads_point base, const char* prompt, ads_real* result, bool angle) {
    const InitGet init = takeInitGet();
    const char* refused = angle ? "Requires valid numeric angle or second point." : "Requires numeric distance or second point.";
    return ask(prompt, init, refused, [&](const AcEdInputItem& item) {
        double value = 0;
        if (!item.isPoint && parseNumber(item.text, value)) {
            if (angle) value = value * M_PI / 180.0;
            if (!checkSign(value, init)) return Answer::Retry;
            *result = value;
            return Answer::Value;
        }
        AcGePoint3d from, to;
        if (!item.isPoint && !parsePointText(item.text, from)) {
            acutPrintf("\n%s", angle ? "Requires valid numeric angle or two points." : "Requires numeric distance or two points.");
            return Answer::Retry;
        }
        if (item.isPoint) from = item.point;
        if (base) {
            to = from;
            from.set(base[0], base[1], base[2]);
        } else {
            int status = secondPoint(to);
            if (status == RTCAN) return Answer::Cancel;
            if (status != RTNORM) return Answer::Retry;
        }
        double dx = to.x - from.x, dy = to.y - from.y, dz = (init.flags & RSG_2D) ? 0 : to.z - from.z;
        double measured = angle ? std::atan2(dy, dx) : std::sqrt(dx * dx + dy * dy + dz * dz);
        if (angle && measured < 0) measured += 2 * M_PI;
        if (!checkSign(measured, init)) return Answer::Retry;
        *result = measured;
        acedSetLastPoint(to);
        return Answer::Value;
    });
}

}  // namespace

int acedInitGet(int flags, const char* keywords) {
    pending().flags = flags;
    pending().keywords = keywords ? keywords : "";
    return RTNORM;
}

int acedGetInput(char* result, size_t bufLen) {
    copyText(lastKeyword(), result, bufLen);
    return RTNORM;
}

int acedGetPoint(const ads_point, const char* prompt, ads_point result) {
    const InitGet init = takeInitGet();
    return ask(prompt, init, "Point or option keyword required.", [&](const AcEdInputItem& item) {
        AcGePoint3d p;
        if (!pointOf(item, p)) return Answer::Retry;
        result[0] = p.x;
        result[1] = p.y;
        result[2] = p.z;
        acedSetLastPoint(p);
        return Answer::Value;
    });
}

int acedGetCorner(const ads_point base, const char* prompt, ads_point result) {
    if (!base) return RTERROR;
    return acedGetPoint(base, prompt, result);
}

int acedGetInt(const char* prompt, int* result) {
    const InitGet init = takeInitGet();
    return ask(prompt, init, "Requires an integer value.", [&](const AcEdInputItem& item) {
        double value = 0;
        if (item.isPoint || !parseNumber(item.text, value) || value != std::trunc(value) ||
            item.text.find_first_of(".eE") != std::string::npos) {
            acutPrintf("\nRequires an integer value.");
            return Answer::Retry;
        }
        if (value < -32768 || value > 32767) {
            acutPrintf("\nRequires an integer between -32768 and 32767.");
            return Answer::Retry;
        }
        if (!checkSign(value, init)) return Answer::Retry;
        *result = static_cast<int>(value);
        return Answer::Value;
    });
}

int acedGetReal(const char* prompt, ads_real* result) {
    const InitGet init = takeInitGet();
    return ask(prompt, init, "Requires numeric value.", [&](const AcEdInputItem& item) {
        double value = 0;
        if (item.isPoint || !parseNumber(item.text, value)) {
            acutPrintf("\nRequires numeric value.");
            return Answer::Retry;
        }
        if (!checkSign(value, init)) return Answer::Retry;
        *result = value;
        return Answer::Value;
    });
}

int acedGetDist(const ads_point base, const char* prompt, ads_real* result) {
    return distanceOrAngle(base, prompt, result, false);
}

int acedGetAngle(const ads_point base, const char* prompt, ads_real* result) {
    return distanceOrAngle(base, prompt, result, true);
}

int acedGetOrient(const ads_point base, const char* prompt, ads_real* result) {
    return distanceOrAngle(base, prompt, result, true);
}

int acedGetKword(const char* prompt, char* result, size_t bufLen) {
    InitGet init = takeInitGet();
    int status = ask(prompt, init, "Invalid option keyword.", [&](const AcEdInputItem&) {
        acutPrintf("\nInvalid option keyword.");
        return Answer::Retry;
    });
    if (status == RTKWORD) {
        copyText(lastKeyword(), result, bufLen);
        return RTNORM;
    }
    return status;
}

int acedGetString(int cronly, const char* prompt, char* result, size_t bufLen) {
    takeInitGet();
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
    if (!cronly) text = text.substr(0, text.find(' '));
    copyText(text, result, bufLen);
    return RTNORM;
}
