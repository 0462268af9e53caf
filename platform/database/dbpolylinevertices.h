// The vertices of a lightweight polyline in one heap block: the points, then
// the bulges and the start/end widths only once some vertex has a non-zero
// one. Most polylines have neither and take 16 bytes a vertex instead of 40;
// readers see every vertex with all its values either way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "geometry/AcGePoint2d.h"

struct AcDbPolylineVertex {
    AcGePoint2d point;
    double bulge = 0.0;
    double startWidth = 0.0;
    double endWidth = 0.0;
};

class AcDbPolylineVertices {
public:
    AcDbPolylineVertices() = default;
    ~AcDbPolylineVertices() { clear(); }
    AcDbPolylineVertices(const AcDbPolylineVertices&) = delete;
    AcDbPolylineVertices& operator=(const AcDbPolylineVertices&) = delete;

    unsigned size() const { return mBlock ? mBlock->size : 0; }
    bool empty() const { return size() == 0; }
    unsigned capacity() const { return mBlock ? mBlock->capacity : 0; }
    bool hasBulges() const { return mBlock && mBlock->bulges; }
    bool hasWidths() const { return mBlock && mBlock->widths; }

    const AcGePoint2d& point(unsigned i) const { return points()[i]; }
    double bulge(unsigned i) const { return hasBulges() ? bulges()[i] : 0.0; }
    double startWidth(unsigned i) const { return hasWidths() ? widths()[2 * i] : 0.0; }
    double endWidth(unsigned i) const { return hasWidths() ? widths()[2 * i + 1] : 0.0; }
    AcDbPolylineVertex operator[](unsigned i) const { return {point(i), bulge(i), startWidth(i), endWidth(i)}; }

    void setPoint(unsigned i, const AcGePoint2d& p) { points()[i] = p; }
    // A non-zero value gives every vertex room for its kind (zeros).
    void setBulge(unsigned i, double bulge);
    void setWidths(unsigned i, double startWidth, double endWidth);
    void insert(unsigned i, const AcDbPolylineVertex& vertex);
    void append(const AcDbPolylineVertex& vertex) { insert(size(), vertex); }
    void erase(unsigned i);
    // Room for n vertices without another allocation.
    void reserve(unsigned n);
    // No vertices and no memory.
    void clear();

    // Vertices by value, for reading loops and algorithms.
    class const_iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = AcDbPolylineVertex;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = AcDbPolylineVertex;
        const_iterator(const AcDbPolylineVertices* list, unsigned i) : mList(list), mIndex(i) {}
        AcDbPolylineVertex operator*() const { return (*mList)[mIndex]; }
        const_iterator& operator++() { ++mIndex; return *this; }
        const_iterator operator++(int) { const_iterator old = *this; ++mIndex; return old; }
        bool operator==(const const_iterator& other) const { return mIndex == other.mIndex; }

    private:
        const AcDbPolylineVertices* mList;
        unsigned mIndex;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    // The block starts with this, then capacity points, then capacity bulges
    // when kept, then capacity start/end width pairs when kept.
    struct Header {
        uint32_t size;
        uint32_t capacity : 30;
        uint32_t bulges : 1;
        uint32_t widths : 1;
    };
    static AcGePoint2d* pointsOf(Header* b) { return reinterpret_cast<AcGePoint2d*>(b + 1); }
    static double* bulgesOf(Header* b) { return reinterpret_cast<double*>(pointsOf(b) + b->capacity); }
    static double* widthsOf(Header* b) { return bulgesOf(b) + (b->bulges ? b->capacity : 0); }
    AcGePoint2d* points() const { return pointsOf(mBlock); }
    double* bulges() const { return bulgesOf(mBlock); }
    double* widths() const { return widthsOf(mBlock); }
    // Moves the vertices into a new block of that capacity and layout.
    void relocate(unsigned capacity, bool withBulges, bool withWidths);
    Header* mBlock = nullptr;
};
