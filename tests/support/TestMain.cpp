#include <gtest/gtest.h>

#include "win32/ComApartment.h"

int main(int argc, char** argv) {
    // As in the program: the picture codecs need COM on the UI thread.
    const snapora::win32::ComApartment com;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
