// Result-buffer nodes: allocation, release, copying and acutBuildList.
#include "lisp/AdsConvert.h"
#include "lisp/BlockCache.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace lisp {

namespace {

constexpr RbKind groupCodeKind(int code) {
    if (code == -1 || code == -2) return RbKind::Name;
    if (code == -4) return RbKind::String;
    if (code < 0) return RbKind::None;
    if (code <= 9) return RbKind::String;
    if (code <= 17) return RbKind::Point;
    if (code <= 59) return RbKind::Real;
    if (code <= 79) return RbKind::Short;
    if (code <= 89) return RbKind::None;
    if (code <= 99) return RbKind::Long;
    if (code <= 109) return RbKind::String;
    if (code <= 112) return RbKind::Point;
    if (code <= 149) return RbKind::Real;
    if (code <= 159) return RbKind::None;
    if (code <= 169) return RbKind::Long;
    if (code <= 179) return RbKind::Short;
    if (code <= 209) return RbKind::None;
    if (code == 210) return RbKind::Point;
    if (code <= 239) return RbKind::Real;
    if (code <= 269) return RbKind::None;
    if (code <= 299) return RbKind::Short;
    if (code <= 329) return RbKind::String;
    if (code <= 369) return RbKind::Name;
    if (code <= 389) return RbKind::Short;
    if (code <= 399) return RbKind::Name;  // hard pointers, entity names as 330-369
    if (code <= 409) return RbKind::Short;
    if (code <= 419) return RbKind::String;
    if (code <= 429) return RbKind::Long;
    if (code <= 439) return RbKind::String;
    if (code <= 459) return RbKind::Long;
    if (code <= 469) return RbKind::Real;
    if (code <= 481) return RbKind::String;
    if (code == 999) return RbKind::String;
    if (code < 1000) return RbKind::None;
    if (code <= 1009) return RbKind::String;
    if (code <= 1013) return RbKind::Point;
    if (code <= 1059) return RbKind::Real;
    if (code <= 1070) return RbKind::Short;
    if (code == 1071) return RbKind::Long;
    return RbKind::None;
}

constexpr RbKind typeKind(int restype) {
    switch (restype) {
    case RTREAL:
    case RTANG:
    case RTORINT: return RbKind::Real;
    case RTPOINT:
    case RT3DPOINT: return RbKind::Point;
    case RTSHORT: return RbKind::Short;
    case RTLONG: return RbKind::Long;
    case RTSTR: return RbKind::String;
    case RTENAME:
    case RTPICKS: return RbKind::Name;
    case RTLB:
    case RTLE:
    case RTDOTE:
    case RTNIL:
    case RTT:
    case RTNONE: return RbKind::None;
    default: return groupCodeKind(restype);
    }
}

// Every node released or copied asks its kind: a table from the lowest
// group code to the last result type answers without the chain of ranges.
constexpr int kFirstTabled = -5;
constexpr int kLastTabled = 5100;  // past every result type
struct KindTable {
    RbKind kinds[kLastTabled - kFirstTabled + 1]{};
    constexpr KindTable() {
        for (int t = kFirstTabled; t <= kLastTabled; ++t) kinds[t - kFirstTabled] = typeKind(t);
    }
};
constexpr KindTable kKinds;

}  // namespace

RbKind resbufKind(int restype) {
    if (restype >= kFirstTabled && restype <= kLastTabled) return kKinds.kinds[restype - kFirstTabled];
    return typeKind(restype);
}

resbuf* copyResbufs(const resbuf* list) {
    resbuf* head = nullptr;
    resbuf** link = &head;
    for (const resbuf* node = list; node; node = node->rbnext) {
        resbuf* copy = acutNewRb(node->restype);
        copy->resval = node->resval;
        if (resbufKind(node->restype) == RbKind::String)
            copy->resval.rstring = node->resval.rstring ? strdup(node->resval.rstring) : nullptr;
        *link = copy;
        link = &copy->rbnext;
    }
    return head;
}

}  // namespace lisp

using lisp::RbKind;
using lisp::resbufKind;

// Nodes come from the block cache: a call's arguments and result are made
// and released node by node.
using ResbufCache = lisp::BlockCache<sizeof(resbuf)>;

resbuf* acutNewRb(int type) {
    resbuf* node;
    try {
        node = static_cast<resbuf*>(ResbufCache::take());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    std::memset(node, 0, sizeof(resbuf));
    node->restype = static_cast<short>(type);
    return node;
}

int acutRelRb(resbuf* rb) {
    while (rb) {
        resbuf* next = rb->rbnext;
        if (resbufKind(rb->restype) == RbKind::String) std::free(rb->resval.rstring);
        ResbufCache::give(rb);
        rb = next;
    }
    return RTNORM;
}

resbuf* acutBuildList(int type, ...) {
    va_list args;
    va_start(args, type);
    resbuf* head = nullptr;
    resbuf** link = &head;
    for (; type != 0; type = va_arg(args, int)) {
        resbuf* node = acutNewRb(type == RTDXF0 ? 0 : type);
        switch (resbufKind(node->restype)) {
        case RbKind::Real: node->resval.rreal = va_arg(args, double); break;
        case RbKind::Point: {
            const double* point = va_arg(args, const double*);
            for (int i = 0; i < 3; ++i) node->resval.rpoint[i] = point ? point[i] : 0.0;
            break;
        }
        case RbKind::Short: node->resval.rint = static_cast<short>(va_arg(args, int)); break;
        case RbKind::Long: node->resval.rlong = va_arg(args, int32_t); break;
        case RbKind::String: {
            const char* text = va_arg(args, const char*);
            node->resval.rstring = strdup(text ? text : "");
            break;
        }
        case RbKind::Name: {
            const int64_t* name = va_arg(args, const int64_t*);
            node->resval.rlname[0] = name ? name[0] : 0;
            node->resval.rlname[1] = name ? name[1] : 0;
            break;
        }
        case RbKind::None: break;
        }
        *link = node;
        link = &node->rbnext;
    }
    va_end(args);
    return head;
}
