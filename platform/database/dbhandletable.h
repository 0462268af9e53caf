// The handle index of a database: handle -> id stub, kept as one flat
// open-addressing table of stub numbers (4 bytes a slot, no node per entry).
// Handles are never reused within a database, so entries are only added, or
// all dropped at once when the database is cleared.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "database/dbstub.h"

class AcDbHandleTable {
public:
    // Entries name stubs of this store by their number in it.
    explicit AcDbHandleTable(const AcDbStubStore& stubs) : mStubs(stubs) {}
    AcDbHandleTable(const AcDbHandleTable&) = delete;
    AcDbHandleTable& operator=(const AcDbHandleTable&) = delete;

    // The stub filed under handle, or null.
    AcDbStub* find(uint64_t handle) const;
    bool contains(uint64_t handle) const { return find(handle) != nullptr; }
    // Files stub number index of the store under the stub's handle, which
    // must not be filed yet.
    void insert(size_t index);
    // Drops every entry and the table's memory.
    void clear();
    size_t size() const { return mCount; }
    size_t slotCount() const { return mMask ? mMask + 1 : 0; }

private:
    size_t home(uint64_t handle) const;
    void grow();
    const AcDbStubStore& mStubs;
    // Stub number + 1; 0 is a free slot.
    std::unique_ptr<uint32_t[]> mSlots;
    size_t mMask = 0;  // slot count - 1 (a power of two), 0 while empty
    size_t mCount = 0;
};
