#include "frame/logic/DelayedTickCounter.h"

#include <gtest/gtest.h>

namespace snapora {
namespace {

TEST(DelayedTickCounter, FirstUseFiresOnTheThirdTickLaterUsesOnTheSecond) {
    DelayedTickCounter counter;
    EXPECT_FALSE(counter.Tick());
    EXPECT_FALSE(counter.Tick());
    EXPECT_TRUE(counter.Tick());
    EXPECT_EQ(counter.Value(), 1);  // the capturing tick leaves it at 1
    // Next use of the command: the counter survived.
    EXPECT_FALSE(counter.Tick());
    EXPECT_TRUE(counter.Tick());
    EXPECT_FALSE(counter.Tick());
    EXPECT_TRUE(counter.Tick());
}

}  // namespace
}  // namespace snapora
