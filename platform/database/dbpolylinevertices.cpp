// Vertex block of lightweight polylines: the arrays move together on insert,
// erase and growth; a kind of value gets its array the first time a vertex
// has a non-zero one.
#include "database/dbpolylinevertices.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>
#include <type_traits>

static_assert(std::is_trivially_copyable_v<AcGePoint2d> && sizeof(AcGePoint2d) == 2 * sizeof(double));

namespace {
constexpr unsigned kMaxCapacity = (1u << 30) - 1;

// Shifts the n items from index i one place up (insert) or down (erase).
template <class T>
void shiftUp(T* items, unsigned i, unsigned n) { std::memmove(items + i + 1, items + i, (n - i) * sizeof(T)); }
template <class T>
void shiftDown(T* items, unsigned i, unsigned n) { std::memmove(items + i, items + i + 1, (n - i - 1) * sizeof(T)); }
} // namespace

void AcDbPolylineVertices::relocate(unsigned capacity, bool withBulges, bool withWidths) {
    if (capacity > kMaxCapacity) throw std::length_error("too many polyline vertices");
    const unsigned n = size();
    const size_t bytes = sizeof(Header) + size_t(capacity) * (sizeof(AcGePoint2d) + (withBulges ? sizeof(double) : 0) +
                                                               (withWidths ? 2 * sizeof(double) : 0));
    Header* old = mBlock;
    Header* block = static_cast<Header*>(::operator new(bytes));
    block->size = n;
    block->capacity = capacity;
    block->bulges = withBulges;
    block->widths = withWidths;
    mBlock = block;
    if (!old) return;
    std::memcpy(points(), pointsOf(old), n * sizeof(AcGePoint2d));
    if (withBulges) {
        if (old->bulges) std::memcpy(bulges(), bulgesOf(old), n * sizeof(double));
        else std::fill_n(bulges(), n, 0.0);
    }
    if (withWidths) {
        if (old->widths) std::memcpy(widths(), widthsOf(old), 2 * size_t(n) * sizeof(double));
        else std::fill_n(widths(), 2 * size_t(n), 0.0);
    }
    ::operator delete(old);
}

void AcDbPolylineVertices::setBulge(unsigned i, double bulge) {
    if (!hasBulges()) {
        if (bulge == 0.0) return;
        relocate(capacity(), true, hasWidths());
    }
    bulges()[i] = bulge;
}

void AcDbPolylineVertices::setWidths(unsigned i, double startWidth, double endWidth) {
    if (!hasWidths()) {
        if (startWidth == 0.0 && endWidth == 0.0) return;
        relocate(capacity(), hasBulges(), true);
    }
    widths()[2 * i] = startWidth;
    widths()[2 * i + 1] = endWidth;
}

void AcDbPolylineVertices::insert(unsigned i, const AcDbPolylineVertex& v) {
    const unsigned n = size();
    if (n >= kMaxCapacity) throw std::length_error("too many polyline vertices");
    i = std::min(i, n);
    const bool withBulges = hasBulges() || v.bulge != 0.0;
    const bool withWidths = hasWidths() || v.startWidth != 0.0 || v.endWidth != 0.0;
    if (n == capacity()) relocate(std::max(4u, n > kMaxCapacity / 2 ? kMaxCapacity : 2 * n), withBulges, withWidths);
    else if (withBulges != hasBulges() || withWidths != hasWidths()) relocate(capacity(), withBulges, withWidths);
    shiftUp(points(), i, n);
    points()[i] = v.point;
    if (withBulges) {
        shiftUp(bulges(), i, n);
        bulges()[i] = v.bulge;
    }
    if (withWidths) {
        auto* pairs = reinterpret_cast<double(*)[2]>(widths());
        shiftUp(pairs, i, n);
        pairs[i][0] = v.startWidth;
        pairs[i][1] = v.endWidth;
    }
    ++mBlock->size;
}

void AcDbPolylineVertices::erase(unsigned i) {
    const unsigned n = size();
    if (i >= n) return;
    shiftDown(points(), i, n);
    if (hasBulges()) shiftDown(bulges(), i, n);
    if (hasWidths()) shiftDown(reinterpret_cast<double(*)[2]>(widths()), i, n);
    --mBlock->size;
}

void AcDbPolylineVertices::reserve(unsigned n) {
    if (n > capacity()) relocate(n, hasBulges(), hasWidths());
}

void AcDbPolylineVertices::clear() {
    ::operator delete(mBlock);
    mBlock = nullptr;
}
