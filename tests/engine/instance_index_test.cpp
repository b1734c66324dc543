// The index by id never answers with the instance it kept at hand once
// the id was given to another instance, erased or cleared.

#include <gtest/gtest.h>

#include "engine/instance.h"
#include "engine/instance_index.h"

namespace kestrin::engine {
namespace {

TEST(InstanceIndex, TheInstanceKeptAtHandFollowsEveryChange) {
    Instance a, b;
    InstanceIndex index;
    index.Set(100001, &a);
    ASSERT_EQ(index.Find(100001), &a);
    index.Set(100001, &b);
    EXPECT_EQ(index.Find(100001), &b);
    index.Erase(100001);
    EXPECT_EQ(index.Find(100001), nullptr);
    EXPECT_FALSE(index.Contains(100001));
    index.Set(100002, &a);
    ASSERT_EQ(index.Find(100002), &a);
    index.Clear();
    EXPECT_EQ(index.Find(100002), nullptr);
    // An id never set is not mistaken for the one kept at hand.
    index.Set(0, &a);
    index.Erase(0);
    EXPECT_EQ(index.Find(0), nullptr);
}

}  // namespace
}  // namespace kestrin::engine
