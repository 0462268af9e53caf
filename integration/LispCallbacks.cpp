// AutoLISP callbacks.
#include "integration/LispCallbacks.h"

bool invokeLisp(const char* name, resbuf* args, LispCallResult& result) {
    resbuf* call = acutBuildList(RTSTR, name, 0);
    call->rbnext = args;
    resbuf* answer = nullptr;
    int rc = acedInvoke(call, &answer);
    acutRelRb(call);
    result.reset(answer);
    return rc == RTNORM;
}

bool invokeLispExpecting(const char* name, resbuf* args, short expectedType, LispCallResult& result) {
    if (!invokeLisp(name, args, result)) return false;
    short type = result.type();
    if (type == expectedType) return true;
    return expectedType == RTREAL && (type == RTSHORT || type == RTLONG);
}

bool invokeLispIgnoringResult(const char* name, resbuf* args) {
    LispCallResult ignored;
    return invokeLisp(name, args, ignored);
}

std::optional<double> resultNumber(const resbuf* node) {
    if (!node) return std::nullopt;
    switch (node->restype) {
    case RTSHORT: return node->resval.rint;
    case RTLONG: return node->resval.rlong;
    case RTREAL: return node->resval.rreal;
    default: return std::nullopt;
    }
}
