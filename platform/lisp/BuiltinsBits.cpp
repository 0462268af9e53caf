// Bitwise built-ins on 32-bit integers: logand logior lsh boole ~.
#include "lisp/Builtins.h"
#include "lisp/LispEval.h"

namespace lisp {

namespace {

uint32_t bits(const Ref& value) { return static_cast<uint32_t>(intArg(value)); }
Ref fromBits(uint32_t value) { return makeInt(static_cast<int32_t>(value)); }

template <typename Combine>
Ref fold(Args a, uint32_t start, Combine combine) {
    uint32_t result = start;
    for (const Ref& v : a) result = combine(result, bits(v));
    return fromBits(a.empty() ? 0 : result);
}

// (boole OP I1 I2 ...): for each bit pair (b1, b2) the result bit is the bit
// of OP at 8 for (0,0), 4 for (0,1), 2 for (1,0), 1 for (1,1).
Ref boole(Args a) {
    uint32_t op = bits(a[0]);
    uint32_t result = bits(a[1]);
    for (size_t k = 2; k < a.size(); ++k) {
        uint32_t next = bits(a[k]), combined = 0;
        for (int bit = 0; bit < 32; ++bit) {
            uint32_t b1 = (result >> bit) & 1u, b2 = (next >> bit) & 1u;
            uint32_t select = 3u - (2u * b1 + b2);
            combined |= ((op >> select) & 1u) << bit;
        }
        result = combined;
    }
    return fromBits(result);
}

}  // namespace

void registerBitBuiltins() {
    defineSubr("logand", [](Args a) { return fold(a, ~0u, [](uint32_t x, uint32_t y) { return x & y; }); });
    defineSubr("logior", [](Args a) { return fold(a, 0u, [](uint32_t x, uint32_t y) { return x | y; }); });
    defineSubr("~", [](Args a) { return fromBits(~bits(a[0])); }, 1, 1);
    defineSubr("lsh", [](Args a) {
        if (a.empty()) return makeInt(0);
        uint32_t value = bits(a[0]);
        int32_t shift = a.size() > 1 ? intArg(a[1]) : 0;
        if (shift >= 32 || shift <= -32) return makeInt(0);
        return fromBits(shift >= 0 ? value << shift : value >> -shift);
    }, 0, 2);
    defineSubr("boole", boole, 2);
}

}  // namespace lisp
