// Speed of the table and store functions through the AutoLISP interpreter, against an empty registered function.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "database/dbdatabase.h"
#include "integration/FunctionTable.h"
#include "integration/LispCall.h"
#include "integration/ResultList.h"
#include "lisp/AdsHost.h"
#include "lisp/Interpreter.h"
#include "loads/CltdLookup.h"
#include "runtime/docman.h"
#include "tests/support/DocumentHooks.h"

namespace {

constexpr short kNoopCode = 200;
constexpr short kNoopWrappedCode = 201;
constexpr short kPairsCode = 202;

int noopHandler() {
    acedRetNil();
    return RSRSLT;
}

LispStatus noopImplementation() {
    acedRetNil();
    return kLispOk;
}
int noopWrappedHandler() { return invokeLispFunction(noopImplementation, nullptr); }

// Returns 288 constant pairs: the result-list cost of a 12-month call without any table lookup.
int pairsHandler() {
    ResultList result;
    result.begin();
    for (int i = 0; i < 288; ++i) result.addRealLong(i % 24 + (i / 24) / 100.0, i);
    result.finish();
    return RSRSLT;
}

// One open drawing with the module's functions and the two empty ones registered.
struct Host {
    Host() {
        adsSetOutputSink([](std::string_view) {});
        installDocumentHooks();
        acDocManager->createDocument("/projects/bench/A.dwg", new AcDbDatabase(true));
        registerFunctionTable(kLispFunctionTable, kLispFunctionCount, 0);
        acedDefun("bench-noop", kNoopCode);
        acedRegFunc(noopHandler, kNoopCode);
        acedDefun("bench-noop-wrapped", kNoopWrappedCode);
        acedRegFunc(noopWrappedHandler, kNoopWrappedCode);
        acedDefun("bench-288-pairs", kPairsCode);
        acedRegFunc(pairsHandler, kPairsCode);
    }
    ~Host() {
        acDocManager->closeAll();
        adsSetOutputSink({});
    }
    lisp::Ref form(const std::string& text) {
        std::istringstream in(text);
        lisp::Ref f;
        std::string error;
        interp.readForm(in, f, error);
        return f;
    }
    lisp::Interpreter interp;
};

Host& host() {
    static Host h;
    return h;
}

const char* const kWallArgs = " 40 1 \"WSW\" 0 1 2 3 4 5 6 7 8 9 10 11)";
const char* const kStoreArgs =
    " 1 2 3 \"dRoof\" 1.5 \"dFloor\" 2.5 \"dWall\" 3 \"dDoor\" 4.5 \"dGlass\" 5 \"iCoolingCFM\" 6.7 "
    "\"dLights\" 7 \"dPeopleSensible\" 8 \"dPeopleLatent\" 9 \"dPeopleRatio\" 10)";

void runForm(benchmark::State& state, const std::string& text) {
    const lisp::Ref f = host().form(text);
    for (auto _ : state) {
        lisp::EvalResult r = host().interp.evalForm(f);
        benchmark::DoNotOptimize(r.value);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_EmptyFunction_WallArguments(benchmark::State& s) { runForm(s, std::string("(bench-noop") + kWallArgs); }
void BM_EmptyWrappedFunction_WallArguments(benchmark::State& s) {
    runForm(s, std::string("(bench-noop-wrapped") + kWallArgs);
}
void BM_GetWallCLTDDxf_12Months(benchmark::State& s) { runForm(s, std::string("(zk_hvac-getWallCLTDDxf") + kWallArgs); }
void BM_ResultOf288Pairs_WallArguments(benchmark::State& s) { runForm(s, std::string("(bench-288-pairs") + kWallArgs); }
void BM_EmptyFunction_StoreArguments(benchmark::State& s) { runForm(s, std::string("(bench-noop") + kStoreArgs); }
void BM_EmptyWrappedFunction_StoreArguments(benchmark::State& s) {
    runForm(s, std::string("(bench-noop-wrapped") + kStoreArgs);
}
void BM_StoreRoomData_10Pairs(benchmark::State& s) {
    runForm(s, std::string("(zk_hvac-loads-storeRoomData") + kStoreArgs);
}

// The lookups alone, without the interpreter: 12 months of a two-row exposure.
void BM_WallCltdLookup_12Months(benchmark::State& state) {
    int32_t hours[24];
    for (auto _ : state)
        for (int m = 0; m < 12; ++m) {
            hvac::wallCltd(40, 1, "WSW", m, hours);
            benchmark::DoNotOptimize(hours);
        }
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK(BM_EmptyFunction_WallArguments);
BENCHMARK(BM_EmptyWrappedFunction_WallArguments);
BENCHMARK(BM_ResultOf288Pairs_WallArguments);
BENCHMARK(BM_GetWallCLTDDxf_12Months);
BENCHMARK(BM_EmptyFunction_StoreArguments);
BENCHMARK(BM_EmptyWrappedFunction_StoreArguments);
BENCHMARK(BM_StoreRoomData_10Pairs);
BENCHMARK(BM_WallCltdLookup_12Months);

BENCHMARK_MAIN();
