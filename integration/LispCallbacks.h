// Calling the product's AutoLISP functions: build the argument list, invoke,
// release, and accept only a normal return with the expected result type.
#pragma once

#include <optional>
#include <string>

#include "ads/ads.h"

// Owns the result list of an AutoLISP call.
class LispCallResult {
public:
    LispCallResult() = default;
    ~LispCallResult() { acutRelRb(mList); }
    LispCallResult(const LispCallResult&) = delete;
    LispCallResult& operator=(const LispCallResult&) = delete;
    const resbuf* list() const { return mList; }
    void reset(resbuf* list) { acutRelRb(mList); mList = list; }
    // The first node's type (RTNONE when there is no result).
    short type() const { return mList ? mList->restype : static_cast<short>(RTNONE); }

private:
    resbuf* mList = nullptr;
};

// Invokes the function `name` with the argument nodes `args` (a chain built
// with acutBuildList; released here, may be null). True when the call
// returned RTNORM; the result is stored in `result`.
bool invokeLisp(const char* name, resbuf* args, LispCallResult& result);
// Same, but the call succeeds only when the result's first node is of
// `expectedType` (RTREAL also accepts the integer types when asked for a real).
bool invokeLispExpecting(const char* name, resbuf* args, short expectedType, LispCallResult& result);
// Invokes a function for its side effects; the result is released.
bool invokeLispIgnoringResult(const char* name, resbuf* args = nullptr);
// The result read as a number (RTSHORT, RTLONG or RTREAL), if it is one.
std::optional<double> resultNumber(const resbuf* node);
