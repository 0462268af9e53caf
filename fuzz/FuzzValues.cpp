#include "FuzzValues.h"

#include <cstring>
#include <limits>
#include <vector>

#include "app/HostSession.h"
#include "FuzzHost.h"
#include "lisp/Interpreter.h"

namespace {

using lisp::Interpreter;
using lisp::Ref;

constexpr int kMaxDepth = 3;
constexpr size_t kMaxItems = 6;

double telling(FuzzedDataProvider& input) {
    static const double kReals[] = {0.0, -0.0, 1.0, -1.0, 0.5, 12.0, 14.0, 1e-9, 1e-300, 1e100, -1e100, 1e101,
                                    1e308, -1e308, std::numeric_limits<double>::infinity(),
                                    -std::numeric_limits<double>::infinity(),
                                    std::numeric_limits<double>::quiet_NaN(),
                                    std::numeric_limits<double>::denorm_min()};
    return input.PickValueInArray(kReals);
}

double anyReal(FuzzedDataProvider& input) {
    if (input.ConsumeBool()) return telling(input);
    uint64_t bits = input.ConsumeIntegral<uint64_t>();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string knownName(FuzzedDataProvider& input) {
    static const char* const kNames[] = {"0", "", "ROOM OUTLINES", "sa", "ra", "YES", "NO", "ZK_HVAC", "ORVANE",
                                         "SIZEFOR", "WIDTH", "DEPTH", "Z1", "Z2", "14x10", "N", "S", "E", "W",
                                         "NE", "*", "FLOOR1", "ZONE1", "ROOM1", "ZKARROW", "X"};
    return input.PickValueInArray(kNames);
}

Ref point(FuzzedDataProvider& input, int dimensions) {
    std::vector<Ref> coordinates;
    for (int i = 0; i < dimensions; ++i) coordinates.push_back(Interpreter::real(anyReal(input)));
    return Interpreter::list(coordinates);
}

// An entity or selection set of the current drawing, through AutoLISP.
Ref fromDrawing(const char* expression) {
    lisp::EvalResult result = fuzzHost().lisp().evalString(expression);
    return result.ok ? result.value : Interpreter::nil();
}

} // namespace

lisp::Ref fuzzValue(FuzzedDataProvider& input, int depth) {
    switch (input.ConsumeIntegralInRange(0, 15)) {
    case 0: return Interpreter::nil();
    case 1: return Interpreter::t();
    case 2: return Interpreter::integer(input.ConsumeIntegralInRange(-3, 40));
    case 3: return Interpreter::integer(input.ConsumeIntegral<int32_t>());
    case 4: return Interpreter::real(telling(input));
    case 5: return Interpreter::real(anyReal(input));
    case 6: return Interpreter::string(knownName(input));
    case 7: return Interpreter::string(input.ConsumeRandomLengthString(40));
    case 8: return point(input, 2);
    case 9: return point(input, 3);
    case 10:
    case 11: {
        if (depth >= kMaxDepth) return Interpreter::nil();
        std::vector<Ref> items(input.ConsumeIntegralInRange<size_t>(0, kMaxItems));
        for (Ref& item : items) item = fuzzValue(input, depth + 1);
        return Interpreter::list(items);
    }
    case 12: {
        if (depth >= kMaxDepth) return Interpreter::nil();
        Ref car = fuzzValue(input, depth + 1);
        return Interpreter::cons(car, fuzzValue(input, depth + 1));
    }
    case 13: return fromDrawing(input.ConsumeBool() ? "(entlast)" : "(entnext)");
    case 14: return fromDrawing("(ssget \"X\")");
    default: return Interpreter::symbol(input.ConsumeBool() ? knownName(input) : input.ConsumeRandomLengthString(12));
    }
}
