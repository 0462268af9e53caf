// Selection filters: a list of DXF groups an entity must have, with -4
// relational operators before a group and <AND <OR <XOR <NOT groupings;
// (-3 ("APP") ...) asks for extended data of each application named.
#include "editor/EditorSelection.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "lisp/AdsConvert.h"
#include "lisp/Wildcard.h"

namespace {

using lisp::RbKind;

bool compareNumbers(const std::string& op, double value, double test) {
    if (op == "*") return true;
    if (op == "=" || op.empty()) return value == test;
    if (op == "!=" || op == "/=" || op == "<>") return value != test;
    if (op == "<") return value < test;
    if (op == "<=") return value <= test;
    if (op == ">") return value > test;
    if (op == ">=") return value >= test;
    long long v = std::llround(value), t = std::llround(test);
    if (op == "&") return (v & t) != 0;
    if (op == "&=") return (v & t) == t;
    return false;
}

// One coordinate operator per component ("<,<,*"); a single one applies to all.
bool comparePoints(const std::string& op, const double* value, const double* test) {
    std::vector<std::string> ops;
    size_t start = 0;
    while (true) {
        size_t comma = op.find(',', start);
        ops.push_back(op.substr(start, comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (op.empty() || op == "=") return value[0] == test[0] && value[1] == test[1] && value[2] == test[2];
    for (int i = 0; i < 3; ++i)
        if (!compareNumbers(ops[std::min<size_t>(i, ops.size() - 1)], value[i], test[i])) return false;
    return true;
}

bool groupPasses(const resbuf& group, const resbuf& test, const std::string& op) {
    switch (lisp::resbufKind(test.restype)) {
    case RbKind::String: {
        const char* text = group.resval.rstring ? group.resval.rstring : "";
        bool match = lisp::wildcardMatch(text, test.resval.rstring ? test.resval.rstring : "", true);
        return (op == "!=" || op == "/=" || op == "<>") ? !match : (op == "*" || match);
    }
    case RbKind::Short: return compareNumbers(op, group.resval.rint, test.resval.rint);
    case RbKind::Long: return compareNumbers(op, group.resval.rlong, test.resval.rlong);
    case RbKind::Real: return compareNumbers(op, group.resval.rreal, test.resval.rreal);
    case RbKind::Point: return comparePoints(op, group.resval.rpoint, test.resval.rpoint);
    case RbKind::Name:
        return std::memcmp(group.resval.rlname, test.resval.rlname, sizeof(ads_name)) == 0;
    case RbKind::None: return true;
    }
    return false;
}

// Values an entity has even when its list leaves the group out.
bool defaultGroup(int code, resbuf& group) {
    group = resbuf{};
    group.restype = static_cast<short>(code);
    if (code == 62) {
        group.resval.rint = 256;  // by layer
        return true;
    }
    if (code == 6) {
        static char byLayer[] = "BYLAYER";
        group.resval.rstring = byLayer;
        return true;
    }
    return false;
}

bool testPasses(const resbuf& test, const std::string& op, const resbuf* groups) {
    bool present = false;
    for (const resbuf* g = groups; g; g = g->rbnext) {
        if (g->restype == -3) break;
        if (g->restype != test.restype) continue;
        present = true;
        if (groupPasses(*g, test, op)) return true;
    }
    resbuf fallback;
    return !present && defaultGroup(test.restype, fallback) && groupPasses(fallback, test, op);
}

std::string upper(const char* text) {
    std::string result = text ? text : "";
    for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

bool evalItem(const resbuf*& rb, const resbuf* groups);

// Whether the groups' extended data (after their -3 marker) has an
// application whose name matches the pattern (wildcards, any case).
bool hasXDataOf(const char* pattern, const resbuf* groups) {
    const resbuf* g = groups;
    while (g && g->restype != -3) g = g->rbnext;
    for (; g; g = g->rbnext)
        if (g->restype == 1001 && g->resval.rstring && lisp::wildcardMatch(g->resval.rstring, pattern ? pattern : "", true))
            return true;
    return false;
}

// Items up to the closing operator (consumed); their results.
std::vector<bool> evalUntil(const resbuf*& rb, const resbuf* groups, const std::string& close) {
    std::vector<bool> results;
    while (rb) {
        if (rb->restype == -4 && upper(rb->resval.rstring) == close) {
            rb = rb->rbnext;
            return results;
        }
        results.push_back(evalItem(rb, groups));
    }
    return results;  // an unclosed grouping ends with the list
}

bool evalItem(const resbuf*& rb, const resbuf* groups) {
    if (rb->restype == -3) {  // every application named must have data
        rb = rb->rbnext;
        bool passes = true;
        for (; rb && rb->restype == 1001; rb = rb->rbnext)
            passes = passes && hasXDataOf(rb->resval.rstring, groups);
        return passes;
    }
    if (rb->restype != -4) {
        const resbuf& test = *rb;
        rb = rb->rbnext;
        return testPasses(test, "=", groups);
    }
    std::string op = upper(rb->resval.rstring);
    rb = rb->rbnext;
    if (op == "<AND" || op == "<OR" || op == "<XOR" || op == "<NOT") {
        std::string name = op.substr(1);
        std::vector<bool> results = evalUntil(rb, groups, name + ">");
        size_t passed = std::count(results.begin(), results.end(), true);
        if (name == "AND") return passed == results.size();
        if (name == "OR") return passed > 0;
        if (name == "XOR") return passed == 1;
        return passed == 0;
    }
    if (!rb) return true;
    const resbuf& test = *rb;
    rb = rb->rbnext;
    return testPasses(test, op, groups);
}

}  // namespace

bool acedFilterMatches(const resbuf* filter, const resbuf* entityGroups) {
    const resbuf* rb = filter;
    while (rb)
        if (!evalItem(rb, entityGroups)) return false;
    return true;
}
