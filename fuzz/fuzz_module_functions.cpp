// The module's AutoLISP functions called with random argument lists: a few
// calls per input, in a fresh drawing of the project, so that later calls
// see the entities and rows earlier ones made.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <utility>
#include <vector>

#include "FuzzHost.h"
#include "FuzzValues.h"
#include "app/HostSession.h"
#include "lisp/AdsHost.h"
#include "lisp/Interpreter.h"

namespace {

constexpr int kMaxCalls = 4;
constexpr int kMaxArguments = 7;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    HostSession& host = fuzzHost();
    freshFuzzDocument();
    // The module registers its functions in each document it is loaded into.
    const std::vector<std::pair<std::string, short>> functions = adsRegisteredFunctions();
    if (functions.empty()) __builtin_trap();
    FuzzedDataProvider input(data, size);
    for (int call = 0; call < kMaxCalls && input.remaining_bytes() > 0; ++call) {
        const std::string& name = functions[input.ConsumeIntegralInRange<size_t>(0, functions.size() - 1)].first;
        std::vector<lisp::Ref> arguments(input.ConsumeIntegralInRange(0, kMaxArguments));
        for (lisp::Ref& argument : arguments) argument = fuzzValue(input);
        host.lisp().call(lisp::Interpreter::symbol(name), arguments);
    }
    return 0;
}
