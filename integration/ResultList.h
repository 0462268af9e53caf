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
    bool started() const { return mHead != nullptr; }

private:
    // A zeroed node of the given type linked at the end of the chain
    // (inline: every item of every result list passes here).
    resbuf* add(int type) {
        if (mNext == mEnd) nextBlock();
        resbuf* node = mNext++;
        node->rbnext = nullptr;
        node->restype = static_cast<short>(type);
        std::memset(&node->resval, 0, sizeof node->resval);
        if (mTail)
            mTail->rbnext = node;
        else
            mHead = node;
        mTail = node;
        return node;
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
    resbuf* mHead = nullptr;
    resbuf* mTail = nullptr;
};
