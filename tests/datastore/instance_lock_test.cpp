#include "datastore/instance_lock.h"
#include "tests/support/workspace.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(InstanceLockTest, OnlyOneProgramRunsForAUserAtATime) {
    TestWorkspace workspace;
    auto first = std::make_unique<InstanceLock>(workspace.locations());
    ASSERT_EQ(first->take(), "");
    InstanceLock second(workspace.locations());
    EXPECT_EQ(second.take(), "Quorvel4 is already running for this user.");
    first.reset();
    EXPECT_EQ(second.take(), "");
}

}  // namespace
