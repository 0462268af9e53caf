// The flat handle index: every filed handle is found after any number of
// growths, unfiled ones are not, and clearing drops everything.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "database/dbdatabase.h"
#include "database/dbhandletable.h"

namespace {

struct Filed {
    AcDbStubStore stubs;
    AcDbHandleTable table{stubs};
    AcDbStub* file(uint64_t handle) {
        AcDbStub* stub = stubs.allocate();
        stub->handle = handle;
        table.insert(stubs.size() - 1);
        return stub;
    }
};

TEST(HandleTable, EmptyTableFindsNothing) {
    Filed f;
    EXPECT_EQ(f.table.find(1), nullptr);
    EXPECT_EQ(f.table.find(0), nullptr);
    EXPECT_EQ(f.table.slotCount(), 0u);
}

TEST(HandleTable, ConsecutiveHandlesSurviveEveryGrowthAndStayWithinTheLoadBound) {
    Filed f;
    std::vector<AcDbStub*> stubs;
    for (uint64_t h = 0x20; h < 0x20 + 100000; ++h) {
        stubs.push_back(f.file(h));
        // Never more than three quarters full, never less than three eighths
        // past the first table (memory per entry stays 5-11 bytes).
        ASSERT_LE(f.table.size() * 4, f.table.slotCount() * 3) << h;
        if (f.table.slotCount() > 16) {
            ASSERT_GT(f.table.size() * 8, f.table.slotCount() * 3) << h;
        }
    }
    EXPECT_EQ(f.table.size(), 100000u);
    for (uint64_t h = 0x20; h < 0x20 + 100000; ++h) ASSERT_EQ(f.table.find(h), stubs[h - 0x20]) << h;
    EXPECT_EQ(f.table.find(0x1F), nullptr);
    EXPECT_EQ(f.table.find(0x20 + 100000), nullptr);
}

// Random and widely spaced handles collide and wrap around the table's end;
// every probe run must still end at the right stub or at a free slot.
TEST(HandleTable, CollidingAndSparseHandlesAreAllFoundAndOthersNot) {
    Filed f;
    std::mt19937_64 random(17);
    std::set<uint64_t> filed;
    std::vector<std::pair<uint64_t, AcDbStub*>> expected;
    while (filed.size() < 5000) {
        const uint64_t h = filed.size() % 2 ? random() | 1 : ((filed.size() + 1) << 40);
        if (h == 0 || !filed.insert(h).second) continue;
        expected.emplace_back(h, f.file(h));
    }
    filed.insert(UINT64_MAX);
    expected.emplace_back(UINT64_MAX, f.file(UINT64_MAX));
    for (const auto& [h, stub] : expected) ASSERT_EQ(f.table.find(h), stub) << std::hex << h;
    for (int k = 0; k < 20000; ++k) {
        const uint64_t h = random();
        if (!filed.count(h)) {
            ASSERT_EQ(f.table.find(h), nullptr) << std::hex << h;
        }
    }
    for (uint64_t k = 1; k < 12000; ++k) {
        if (!filed.count(k << 40)) {
            ASSERT_EQ(f.table.find(k << 40), nullptr) << k;
        }
    }
}

TEST(HandleTable, ClearDropsEveryEntryAndTheTableFillsAgain) {
    Filed f;
    for (uint64_t h = 1; h <= 1000; ++h) f.file(h);
    f.table.clear();
    EXPECT_EQ(f.table.size(), 0u);
    EXPECT_EQ(f.table.slotCount(), 0u);
    for (uint64_t h = 1; h <= 1000; ++h) ASSERT_EQ(f.table.find(h), nullptr);
    AcDbStub* again = f.file(500);
    EXPECT_EQ(f.table.find(500), again);
    EXPECT_EQ(f.table.find(501), nullptr);
}

// Ids of a cleared database dangle: their handles name nothing until filed
// anew, and then under a new stub.
TEST(HandleTable, ClearedDatabaseForgetsHandlesAndFilesThemAnew) {
    AcDbDatabase db(false, true);
    AcDbObjectId first;
    auto* object = new AcDbObject();
    ASSERT_EQ(db.addAcDbObject(first, object, AcDbHandle(0x2A)), Acad::eOk);
    object->close();
    db.clear();
    AcDbObjectId found;
    EXPECT_EQ(db.getAcDbObjectId(found, false, AcDbHandle(0x2A)), Acad::eUnknownHandle);
    EXPECT_FALSE(first.isValid());
    AcDbObjectId second;
    object = new AcDbObject();
    ASSERT_EQ(db.addAcDbObject(second, object, AcDbHandle(0x2A)), Acad::eOk);
    object->close();
    EXPECT_NE(second, first);
    EXPECT_FALSE(first.isValid());
    ASSERT_EQ(db.getAcDbObjectId(found, false, AcDbHandle(0x2A)), Acad::eOk);
    EXPECT_EQ(found, second);
    // The next new object skips handles already filed.
    AcDbObjectId next;
    object = new AcDbObject();
    ASSERT_EQ(db.addAcDbObject(next, object), Acad::eOk);
    object->close();
    EXPECT_EQ(next.handle(), AcDbHandle(0x2B));
}

} // namespace
