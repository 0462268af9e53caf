// Id stubs: the small records object ids point at, kept by each database in
// stable chunks so ids stay valid while the database lives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class AcDbObject;
class AcDbDatabase;

struct AcDbStub {
    enum Flags : uint32_t { kErased = 1u, kInWriteJournal = 2u };
    AcDbObject* object = nullptr;
    AcDbDatabase* database = nullptr;
    uint64_t handle = 0;
    uint32_t flags = 0;

    bool erased() const { return (flags & kErased) != 0; }
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
