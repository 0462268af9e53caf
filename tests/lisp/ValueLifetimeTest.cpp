// Reference counting of AutoLISP values: what a list shares survives its
// release, assignments keep counts right in every direction, and chains of
// any depth or length are freed without recursion.
#include <gtest/gtest.h>

#include "lisp/LispValue.h"

using namespace lisp;

TEST(ValueLifetime, AssignmentsKeepTheCount) {
    Ref a = makeReal(1.5);
    EXPECT_EQ(a.use_count(), 1);
    Ref b = a;
    EXPECT_EQ(a.use_count(), 2);
    Ref& alias = b;
    b = alias;  // self-assignment keeps the value and its count
    EXPECT_EQ(b.use_count(), 2);
    EXPECT_EQ(b->u.r, 1.5);
    Ref c = std::move(b);
    EXPECT_FALSE(b);
    EXPECT_EQ(a.use_count(), 2);
    c = makeString("x");  // dropping c's old value leaves a alone
    EXPECT_EQ(a.use_count(), 1);
    EXPECT_EQ(c->str, "x");
    a = a->cdr;  // assigning a value's own (nil) member to it frees the value
    EXPECT_FALSE(a);
    EXPECT_EQ(Ref().use_count(), 0);
}

TEST(ValueLifetime, SharedPartsOutliveTheListsThatHeldThem) {
    Ref shared = makeList({makeString("kept"), makeReal(2.5)});
    Ref first = makeCons(makeInt(5000), shared);
    Ref second = makeCons(shared, makeCons(shared, nullptr));
    EXPECT_EQ(shared.use_count(), 4);
    first.reset();
    second.reset();
    ASSERT_EQ(shared.use_count(), 1);
    EXPECT_EQ(shared->car->str, "kept");
    EXPECT_EQ(shared->cdr->car->u.r, 2.5);
    // A list holding its only reference to a part frees the part with it
    // (the sanitizer build reports a value left behind).
    Ref owner = makeCons(std::move(shared), makeString("tail"));
    owner.reset();
}

TEST(ValueLifetime, DeepAndLongChainsFreeWithoutRecursion) {
    // A million levels through car and through cdr: recursion would
    // overflow the stack long before.
    Ref deep;
    for (int i = 0; i < 1000000; ++i) deep = makeCons(std::move(deep), makeReal(i));
    deep.reset();
    Ref longList;
    for (int i = 0; i < 1000000; ++i) longList = makeCons(makeString("item"), std::move(longList));
    longList.reset();
    // The free list is rebuilt from freed cells: new values after a large
    // release start blank.
    Ref fresh = makeCons(nullptr, nullptr);
    EXPECT_FALSE(fresh->car);
    EXPECT_FALSE(fresh->cdr);
    EXPECT_EQ(fresh.use_count(), 1);
}
