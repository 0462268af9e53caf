// Id stubs: the small records object ids point at, kept by each database in
// stable chunks so ids stay valid while the database lives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class AcDbObject;
class AcDbDatabase;

// One per object of a database, 24 bytes: what the object itself knows (its
// erase state, its open state) is asked of the object.
struct AcDbStub {
    AcDbObject* object = nullptr;
    AcDbDatabase* database = nullptr;
    uint64_t handle = 0;

    // The object is there and erased.
    bool erased() const;
};

// Chunked, append-only storage of stubs (never moves a stub).
class AcDbStubStore {
public:
    AcDbStubStore();
    ~AcDbStubStore();
    AcDbStubStore(const AcDbStubStore&) = delete;
    AcDbStubStore& operator=(const AcDbStubStore&) = delete;

    AcDbStub* allocate();
    size_t size() const { return mCount; }
    AcDbStub& at(size_t index) const { return mChunks[index / kChunk][index % kChunk]; }
    // Whether stub was handed out by a store that still exists.
    static bool isLive(const AcDbStub* stub);

private:
    static constexpr size_t kChunk = 4096;
    bool owns(const AcDbStub* stub) const;
    std::vector<std::unique_ptr<AcDbStub[]>> mChunks;
    size_t mCount = 0;
};
