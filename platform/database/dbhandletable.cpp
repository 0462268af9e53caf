// Linear probing over a power-of-two table; the handle is read back from the
// stub, so a slot holds only the stub's number.
#include "database/dbhandletable.h"

#include <bit>
#include <stdexcept>

namespace {
// Kept at most three quarters full: probe runs stay short while the table
// costs 5.3 to 10.7 bytes an entry.
bool overFull(size_t count, size_t slots) { return count * 4 > slots * 3; }
constexpr size_t kMinSlots = 16;
} // namespace

// Fibonacci hashing: consecutive handles (the usual case) land far apart.
size_t AcDbHandleTable::home(uint64_t handle) const {
    const int bits = std::countr_zero(mMask + 1);
    return static_cast<size_t>((handle * 0x9E3779B97F4A7C15ull) >> (64 - bits));
}

AcDbStub* AcDbHandleTable::find(uint64_t handle) const {
    if (mCount == 0) return nullptr;
    for (size_t i = home(handle);; i = (i + 1) & mMask) {
        const uint32_t slot = mSlots[i];
        if (slot == 0) return nullptr;
        AcDbStub& stub = mStubs.at(slot - 1);
        if (stub.handle == handle) return &stub;
    }
}

void AcDbHandleTable::insert(size_t index) {
    if (index >= UINT32_MAX) throw std::length_error("too many objects for the handle table");
    if (mMask == 0 || overFull(mCount + 1, mMask + 1)) grow();
    size_t i = home(mStubs.at(index).handle);
    while (mSlots[i] != 0) i = (i + 1) & mMask;
    mSlots[i] = static_cast<uint32_t>(index + 1);
    ++mCount;
}

void AcDbHandleTable::grow() {
    const size_t oldSlots = slotCount();
    std::unique_ptr<uint32_t[]> old = std::move(mSlots);
    const size_t slots = oldSlots ? oldSlots * 2 : kMinSlots;
    mSlots = std::make_unique<uint32_t[]>(slots);
    mMask = slots - 1;
    for (size_t k = 0; k < oldSlots; ++k) {
        if (old[k] == 0) continue;
        size_t i = home(mStubs.at(old[k] - 1).handle);
        while (mSlots[i] != 0) i = (i + 1) & mMask;
        mSlots[i] = old[k];
    }
}

void AcDbHandleTable::clear() {
    mSlots.reset();
    mMask = 0;
    mCount = 0;
}
