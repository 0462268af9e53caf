// Neighbour and coordinate queries answered by the product's AutoLISP.
#include "ducts/DuctCallbacks.h"

#include <cmath>
#include <limits>

#include "integration/LispCallbacks.h"

namespace {

resbuf* integerNode(int32_t value) {
    if (value >= -32768 && value <= 32767) return acutBuildList(RTSHORT, static_cast<int>(value), 0);
    return acutBuildList(RTLONG, value, 0);
}

// Appends `tail` to the chain `head`; answers head.
resbuf* chain(resbuf* head, resbuf* tail) {
    resbuf* last = head;
    while (last->rbnext) last = last->rbnext;
    last->rbnext = tail;
    return head;
}

int32_t truncatedKey(double value) {
    if (!std::isfinite(value) || value <= std::numeric_limits<int32_t>::min() ||
        value >= std::numeric_limits<int32_t>::max())
        return 0;
    return static_cast<int32_t>(std::trunc(value));
}

// An integer answer (a real is truncated); 0 for nil, failure or anything else.
int32_t keyAnswer(const char* name, resbuf* args) {
    LispCallResult result;
    if (!invokeLisp(name, args, result)) return 0;
    std::optional<double> n = resultNumber(result.list());
    return n ? truncatedKey(*n) : 0;
}

} // namespace

std::optional<AcGePoint3d> convertProjectToDrawing(const AcGePoint3d& point, int32_t unit) {
    resbuf* args = acutBuildList(RTLB, RTREAL, point.x, RTREAL, point.y, RTREAL, point.z, RTLE, 0);
    chain(args, integerNode(unit));
    LispCallResult result;
    if (!invokeLispExpecting("convert_rp_dp", args, RT3DPOINT, result)) return std::nullopt;
    const ads_real* p = result.list()->resval.rpoint;
    return AcGePoint3d(p[0], p[1], p[2]);
}

double convertProjectAngle(double angle, int32_t unit) {
    resbuf* args = chain(acutBuildList(RTREAL, angle, 0), integerNode(unit));
    LispCallResult result;
    if (!invokeLispExpecting("convert_ra_da", args, RTREAL, result)) return 0.0;
    return resultNumber(result.list()).value_or(0.0);
}

int32_t previousDuctKey(int32_t key) {
    return keyAnswer("getPrevDuct", chain(integerNode(key), acutBuildList(RTNIL, 0)));
}

std::array<int32_t, 3> readNextDuctKeys(const resbuf* node) {
    std::array<int32_t, 3> keys{0, 0, 0};
    if (!node) return keys;
    if (node->restype == RT3DPOINT) {
        for (int i = 0; i < 3; ++i) keys[i] = truncatedKey(node->resval.rpoint[i]);
        return keys;
    }
    if (node->restype != RTLB) return keys;
    node = node->rbnext;
    for (int i = 0; i < 3 && node && node->restype != RTLE; ++i, node = node->rbnext) {
        std::optional<double> n = resultNumber(node);
        if (!n) return {0, 0, 0};
        keys[i] = truncatedKey(*n);
    }
    return keys;
}

std::optional<std::array<int32_t, 3>> answeredNextDuctKeys(int32_t key, bool transparent) {
    resbuf* args = chain(chain(integerNode(key), acutBuildList(RTNIL, 0)), acutBuildList(transparent ? RTT : RTNIL, 0));
    LispCallResult result;
    if (!invokeLisp("getNextDuctsTransparent", args, result)) return std::nullopt;
    return readNextDuctKeys(result.list());
}

std::array<int32_t, 3> nextDuctKeys(int32_t key, bool transparent) {
    return answeredNextDuctKeys(key, transparent).value_or(std::array<int32_t, 3>{0, 0, 0});
}

int32_t ductDiffuserKey(int32_t key) { return keyAnswer("duct-getIxDiffL", integerNode(key)); }
