#include "capture/logic/GrabBands.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace snapora {
namespace {

// The bands must read every row once, in order; after the first, each must
// be at most half of it (the buffers of two stay under the bar the first
// sets) and, where rows allow, no more than 4 MiB of pixels.
TEST(GrabBands, CoverEveryRowOnceWithLaterBandsAtMostHalfTheFirst) {
    const struct {
        int width, height;
    } sizes[] = {{1, 1},       {7, 3},       {160, 120},  {1024, 768},
                 {1920, 1080}, {3840, 2160}, {7680, 4320}, {100000, 5}, {16, 100000}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width << "x" << size.height);
        const std::vector<RowBand> bands = GrabBands(size.width, size.height);
        ASSERT_FALSE(bands.empty());
        int next = 0;
        for (const RowBand& band : bands) {
            EXPECT_EQ(band.top, next);
            EXPECT_GT(band.rows, 0);
            next = band.top + band.rows;
            if (&band == &bands.front()) continue;
            EXPECT_LE(band.rows * 2, bands.front().rows);
            const auto bytes = static_cast<std::size_t>(band.rows) * static_cast<std::size_t>(size.width) * 4;
            EXPECT_TRUE(band.rows == 1 || bytes <= (std::size_t{4} << 20)) << bytes;
        }
        EXPECT_EQ(next, size.height);
        // A screen is read in a handful of round trips, not row by row,
        // and a pointer-sized area in one.
        if (size.height >= 768 && size.width <= 3840) {
            EXPECT_LE(bands.size(), 9u);
            EXPECT_GT(bands.size(), 1u);
        }
        if (size.width * size.height <= 160 * 120) {
            EXPECT_EQ(bands.size(), 1u);
        }
    }
    EXPECT_TRUE(GrabBands(0, 10).empty());
    EXPECT_TRUE(GrabBands(10, 0).empty());
    EXPECT_TRUE(GrabBands(-5, 10).empty());
}

}  // namespace
}  // namespace snapora
