#include "documents/logic/CaptureNumbering.h"

#include <gtest/gtest.h>

namespace snapora {
namespace {

TEST(CaptureCaption, IsTheWordFollowedByThePlainNumber) {
    EXPECT_EQ(CaptureCaption(0), L"截图0");
    EXPECT_EQ(CaptureCaption(1), L"截图1");
    EXPECT_EQ(CaptureCaption(32767), L"截图32767");
    // The counter does not stop at the 16-bit limit.
    EXPECT_EQ(CaptureCaption(32768), L"截图32768");
    EXPECT_EQ(CaptureCaption(4294967296ull), L"截图4294967296");
}

}  // namespace
}  // namespace snapora
