#include "picture/logic/PixelGeometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace snapora {
namespace {

TEST(EnlargePixels, RepeatsEachPixelAsABlockAndRefusesWhatCannotBe) {
    const std::vector<std::uint32_t> art = {1, 2, 3, 4, 5, 6};  // 3 x 2
    EXPECT_EQ(EnlargePixels(art, 3, 2, 1), art);
    EXPECT_EQ(EnlargePixels(art, 3, 2, 2), (std::vector<std::uint32_t>{1, 1, 2, 2, 3, 3,  //
                                                                        1, 1, 2, 2, 3, 3,  //
                                                                        4, 4, 5, 5, 6, 6,  //
                                                                        4, 4, 5, 5, 6, 6}));
    EXPECT_TRUE(EnlargePixels(art, 2, 2, 2).empty());
    EXPECT_TRUE(EnlargePixels(art, 3, 2, 0).empty());
    EXPECT_TRUE(EnlargePixels({7}, 1, 1, 100000).empty());
}

}  // namespace
}  // namespace snapora
