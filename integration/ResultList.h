// Builds an AutoLISP list result node by node and returns it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "ads/ads.h"

class AcDbObjectId;

// The nodes live in blocks the list owns (a few hundred pairs cost a handful
// of allocations, not one per node) and are released together; the chain
// handed to acedRetList is an ordinary resbuf chain.
class ResultList {
public:
    ResultList() = default;
    ~ResultList() { clear(); }
    ResultList(const ResultList&) = delete;
    ResultList& operator=(const ResultList&) = delete;

    // Starts the list with its RTLB node (any unfinished list is dropped).
    void begin();
    void addString(const std::string& text);
    void addInt(int32_t value);
    void addReal(double value);
    void addPoint(const double point[3]);
    // An entity name; nothing when the id does not convert.
    void addEntity(const AcDbObjectId& id);
    void addStringInt(const std::string& key, int32_t value);
    void addStringReal(const std::string& key, double value);
    // (key . entity name); nothing when the id does not convert. A null
    // object gives (key . nil).
    void addStringEntity(const std::string& key, const AcDbObjectId* id);
    void addRealLong(double x, int32_t n);
    void addListBegin();
    void addListEnd();
    // Closes the list, returns it with acedRetList and releases it.
    int finish();
    bool started() const { return mStart.rbnext != nullptr; }

private:
    // A zeroed node of the given type linked at the end of the chain
    // (inline: every item of every result list passes here).
    resbuf* add(int type) {
        if (mNext == mEnd) nextBlock();
        resbuf* node = mNext++;
        node->rbnext = nullptr;
        node->restype = static_cast<short>(type);
        std::memset(&node->resval, 0, sizeof node->resval);
        mTail->rbnext = node;
        mTail = node;
        return node;
    }
    // Nodes of the given types, one after the other in one block, linked at
    // the end of the chain with zeroed values (n at most the smallest block).
    resbuf* addNodes(const short* types, std::size_t n) {
        if (static_cast<std::size_t>(mEnd - mNext) < n) nextBlock();
        resbuf* first = mNext;
        mNext += n;
        for (std::size_t i = 0; i < n; ++i) {
            first[i].rbnext = first + i + 1;
            first[i].restype = types[i];
            std::memset(&first[i].resval, 0, sizeof first[i].resval);
        }
        first[n - 1].rbnext = nullptr;
        mTail->rbnext = first;
        mTail = first + n - 1;
        return first;
    }
    resbuf* addString(int type, const std::string& text);
    void addName(const int64_t name[2]);
    // Frees the strings and rewinds the blocks for reuse.
    void clear();

    // Takes the next block (reused after clear, else allocated) for add.
    void nextBlock();

    std::vector<std::unique_ptr<resbuf[]>> mBlocks;
    std::size_t mBlock = 0;       // index of the block being filled
    resbuf* mNext = nullptr;      // its next free node
    resbuf* mEnd = nullptr;       // and its end
    bool mHasStrings = false;
    resbuf mStart{};           // links to the first node: every node has one before it
    resbuf* mTail = &mStart;
};
