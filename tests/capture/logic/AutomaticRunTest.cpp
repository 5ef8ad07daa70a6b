#include "capture/logic/AutomaticRun.h"

#include <gtest/gtest.h>

namespace snapora {
namespace {

int PicturesInRun(double durationSeconds, unsigned periodMs) {
    int tick = 1;
    while (!AutomaticRunEnds(durationSeconds, periodMs, tick)) ++tick;
    return tick - 1;
}

TEST(AutomaticRunEnds, TheRunHoldsEveryWholePeriodOfTheDuration) {
    EXPECT_EQ(PicturesInRun(120, 10000), 12);
    EXPECT_EQ(PicturesInRun(3, 1000), 3);
    EXPECT_EQ(PicturesInRun(0.05f * 60, 1000), 3);
    EXPECT_EQ(PicturesInRun(3600, 1000), 3600);
    EXPECT_EQ(PicturesInRun(125, 10000), 12);
    // Shorter than one period: the first tick ends the run.
    EXPECT_EQ(PicturesInRun(6, 10000), 0);
    EXPECT_EQ(PicturesInRun(0.6, 1000), 0);
    EXPECT_TRUE(AutomaticRunEnds(100, 0, 1));
}

TEST(AutomaticPaths, OneSeparatorBetweenFolderAndName) {
    EXPECT_EQ(AutomaticFolderPath(L"C:\\Program\\Snapora", L"CapPicture"), L"C:\\Program\\Snapora\\CapPicture");
    EXPECT_EQ(AutomaticFolderPath(L"C:\\", L"CapPicture"), L"C:\\CapPicture");
    EXPECT_EQ(AutomaticFolderPath(L"D:\\x\\", L"my pics"), L"D:\\x\\my pics");
    EXPECT_EQ(AutomaticPicturePath(L"C:\\CapPicture", L"Automatic", 1, PictureFormat::Bmp),
              L"C:\\CapPicture\\Automatic1.bmp");
    EXPECT_EQ(AutomaticPicturePath(L"C:\\p", L"Automatic", 12, PictureFormat::Png), L"C:\\p\\Automatic12.png");
    EXPECT_EQ(AutomaticPicturePath(L"C:\\p", L"", 3, PictureFormat::Bmp), L"C:\\p\\3.bmp");
}

TEST(AutomaticPaths, APrefixNamesTheSubfoldersToMake) {
    EXPECT_TRUE(PrefixSubfolders(L"Automatic").empty());
    EXPECT_EQ(PrefixSubfolders(L"day1\\shot"), std::vector<std::wstring>{L"day1"});
    EXPECT_EQ(PrefixSubfolders(L"a\\b//c/"), (std::vector<std::wstring>{L"a", L"a\\b", L"a\\b//c"}));
}

}  // namespace
}  // namespace snapora
