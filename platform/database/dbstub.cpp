// Chunked stub storage and the registry of live stores used to validate
// entity names coming from AutoLISP.
#include "database/dbstub.h"

#include <algorithm>
#include <functional>

#include "database/dbobject.h"

namespace {
std::vector<const AcDbStubStore*>& liveStores() {
    static std::vector<const AcDbStubStore*> stores;
    return stores;
}
} // namespace

bool AcDbStub::erased() const { return object && object->isErased(); }

AcDbStubStore::AcDbStubStore() { liveStores().push_back(this); }

AcDbStubStore::~AcDbStubStore() {
    auto& stores = liveStores();
    stores.erase(std::remove(stores.begin(), stores.end(), this), stores.end());
}

AcDbStub* AcDbStubStore::allocate() {
    if (mCount == mChunks.size() * kChunk) mChunks.push_back(std::make_unique<AcDbStub[]>(kChunk));
    AcDbStub* stub = &at(mCount);
    ++mCount;
    return stub;
}

bool AcDbStubStore::owns(const AcDbStub* stub) const {
    std::less<const AcDbStub*> less;
    for (size_t c = 0; c < mChunks.size(); ++c) {
        const AcDbStub* first = mChunks[c].get();
        size_t used = std::min(kChunk, mCount - c * kChunk);
        if (!less(stub, first) && less(stub, first + used)) return true;
    }
    return false;
}

bool AcDbStubStore::isLive(const AcDbStub* stub) {
    if (!stub) return false;
    for (const AcDbStubStore* store : liveStores())
        if (store->owns(stub)) return true;
    return false;
}
