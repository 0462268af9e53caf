// Registered application functions: per-document function tables, calls from
// AutoLISP into handlers (acedGetArgs / acedRet*), and acedInvoke back into
// AutoLISP.
#include "lisp/AdsConvert.h"
#include "lisp/AdsHost.h"
#include "lisp/LispError.h"
#include "lisp/LispEval.h"
#include "runtime/rxobject.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace {

using lisp::Ref;

struct Registration {
    std::string name;
    short code;
    Ref value;  // the EXRXSUBR value the symbol evaluates to
};

struct FunctionContext {
    std::unordered_map<lisp::Symbol*, Registration> bySymbol;
    std::unordered_map<int, AdsFunctionHandler> handlers;
};

// State of one call from AutoLISP into a handler. Calls nest when a handler
// uses acedInvoke, so they form a stack.
struct CallFrame {
    lisp::Args args;
    resbuf* argList = nullptr;  // converted arguments, until handed out
    Ref result;
    std::string error;  // a result that could not be converted
};

struct AdsState {
    std::map<void*, FunctionContext> contexts;
    FunctionContext* current = &contexts[nullptr];
    std::vector<CallFrame> calls;
};

AdsState& state() {
    static AdsState instance;
    return instance;
}

int setResult(Ref value) {
    auto& calls = state().calls;
    if (calls.empty()) return RTERROR;
    calls.back().result = std::move(value);
    return RTNORM;
}

// Pops the frame and frees arguments the handler never asked for.
struct FrameGuard {
    FrameGuard() = default;
    FrameGuard(const FrameGuard&) = delete;
    FrameGuard& operator=(const FrameGuard&) = delete;
    ~FrameGuard() {
        auto& calls = state().calls;
        acutRelRb(calls.back().argList);
        calls.pop_back();
    }
};

}  // namespace

namespace lisp {

Ref lookupRegisteredFunction(Symbol* symbol) {
    const auto& bySymbol = state().current->bySymbol;
    if (bySymbol.empty()) return nullptr;
    auto found = bySymbol.find(symbol);
    return found == bySymbol.end() ? nullptr : found->second.value;
}

Ref callRegisteredFunction(const Function& function, Args args) {
    AdsState& ads = state();
    auto handler = ads.current->handlers.find(function.code);
    if (handler == ads.current->handlers.end())
        raiseError("no function definition: " + function.name->name);
    AdsFunctionHandler code = handler->second;
    resbuf* argList = valuesToResbufs(args);
    ads.calls.push_back(CallFrame{args, argList, nullptr, {}});
    FrameGuard guard;
    int status = RSRSLT;
    try {
        status = code();
    } catch (const LispError&) {
        throw;
    } catch (const AcRxAbort& abort) {
        raiseError(abort.message);
    } catch (const std::exception& error) {
        raiseError(std::string("exception in ") + function.name->name + ": " + error.what());
    } catch (...) {
        raiseError("unknown exception in " + function.name->name);
    }
    CallFrame& frame = ads.calls.back();
    if (!frame.error.empty()) raiseError(frame.error);
    if (status == RSERR) return nullptr;
    return std::move(frame.result);
}

}  // namespace lisp

void adsSetFunctionContext(void* documentKey) {
    AdsState& ads = state();
    ads.current = &ads.contexts[documentKey];
}

void adsDropFunctionContext(void* documentKey) {
    AdsState& ads = state();
    auto found = ads.contexts.find(documentKey);
    if (found == ads.contexts.end()) return;
    bool wasCurrent = &found->second == ads.current;
    ads.contexts.erase(found);
    if (wasCurrent) ads.current = &ads.contexts[nullptr];
}

void* adsCurrentFunctionContext() {
    AdsState& ads = state();
    for (auto& [key, context] : ads.contexts)
        if (&context == ads.current) return key;
    return nullptr;
}

std::vector<std::pair<std::string, short>> adsRegisteredFunctions() {
    std::vector<std::pair<std::string, short>> functions;
    for (const auto& [symbol, registration] : state().current->bySymbol)
        functions.emplace_back(registration.name, registration.code);
    std::sort(functions.begin(), functions.end(),
              [](const auto& a, const auto& b) { return a.second < b.second || (a.second == b.second && a.first < b.first); });
    return functions;
}

int acedDefun(const char* name, short code) {
    if (!name || !*name) return RTERROR;
    lisp::ensureEnvironment();
    lisp::Symbol* symbol = lisp::intern(name);
    auto function = std::make_shared<lisp::Function>();
    function->name = symbol;
    function->code = code;
    auto value = lisp::makeValue(lisp::Type::Exrxsubr);
    value->fn = std::move(function);
    state().current->bySymbol[symbol] = Registration{name, code, std::move(value)};
    return RTNORM;
}

int acedRegFunc(AdsFunctionHandler handler, int code) {
    if (!handler) {
        state().current->handlers.erase(code);
        return RTNORM;
    }
    state().current->handlers[code] = handler;
    return RTNORM;
}

int acedUndef(const char* name, short code) {
    if (!name) return RTERROR;
    auto& bySymbol = state().current->bySymbol;
    auto found = bySymbol.find(lisp::intern(name));
    if (found == bySymbol.end() || found->second.code != code) return RTERROR;
    bySymbol.erase(found);
    return RTNORM;
}

resbuf* acedGetArgs() {
    auto& calls = state().calls;
    if (calls.empty()) return nullptr;
    CallFrame& frame = calls.back();
    if (frame.argList) {  // first request: hand over the converted list
        resbuf* list = frame.argList;
        frame.argList = nullptr;
        return list;
    }
    try {
        return lisp::valuesToResbufs(frame.args);
    } catch (const std::exception&) {
        return nullptr;
    }
}

int acedRetNil() { return setResult(nullptr); }
int acedRetT() { return setResult(lisp::trueValue()); }
int acedRetVoid() { return setResult(lisp::quietValue()); }
int acedRetInt(int value) { return setResult(lisp::makeInt(value)); }
int acedRetReal(ads_real value) { return setResult(lisp::makeReal(value)); }
int acedRetStr(const char* text) { return setResult(lisp::makeString(text ? text : "")); }

int acedRetName(const ads_name name, int type) {
    if (!name) return RTERROR;
    return setResult(type == RTPICKS ? lisp::makePickset(name) : lisp::makeEname(name));
}

int acedRetPoint(const ads_point point) {
    if (!point) return RTERROR;
    return setResult(lisp::makeList(
        {lisp::makeReal(point[0]), lisp::makeReal(point[1]), lisp::makeReal(point[2])}));
}

int acedRetList(const resbuf* list) {
    auto& calls = state().calls;
    if (calls.empty()) return RTERROR;
    try {
        return setResult(lisp::resbufsToResult(list));
    } catch (const lisp::LispError& error) {
        calls.back().error = error.what();
        return RTERROR;
    }
}

int acedInvoke(const resbuf* args, resbuf** result) {
    if (result) *result = nullptr;
    if (!args || args->restype != RTSTR || !args->resval.rstring) return RTERROR;
    lisp::ensureEnvironment();
    try {
        Ref function = lisp::symbolValue(lisp::intern(args->resval.rstring));
        if (!lisp::isFunction(function)) return RTERROR;
        std::vector<Ref> values = lisp::resbufsToValues(args->rbnext);
        Ref value = lisp::apply(function, values);
        if (result) *result = lisp::valueToResbufs(value);
        return RTNORM;
    } catch (const std::exception& error) {
        adsWriteOutput(std::string("; error: ") + error.what() + "\n");
        return RTERROR;
    }
}
