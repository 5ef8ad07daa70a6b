#include "picture/logic/TemporaryName.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace snapora {
namespace {

TEST(TemporarySiblingPath, StaysInTheFolderAndNeverOutgrowsTheTarget) {
    const std::wstring longFolder = L"C:\\" + std::wstring(240, L'd') + L"\\";
    for (const std::wstring& target :
         {std::wstring(L"C:\\pictures\\shot.png"), std::wstring(L"C:\\a\\x"), std::wstring(L"ab"),
          std::wstring(L"D:/mixed\\sep/y.bmp"), longFolder + std::wstring(14, L'n'), longFolder + L"p.jpg"}) {
        const std::size_t nameStart = target.find_last_of(L"\\/") + 1;  // npos + 1 is 0
        for (std::uint64_t seed = 0; seed < 200; ++seed) {
            const std::wstring temporary = TemporarySiblingPath(target, seed);
            ASSERT_FALSE(temporary.empty()) << seed;
            EXPECT_LE(temporary.size(), target.size());
            EXPECT_NE(temporary, target);
            EXPECT_EQ(temporary.substr(0, nameStart), target.substr(0, nameStart));
            const std::wstring name = temporary.substr(nameStart);
            EXPECT_GE(name.size(), 1u);
            EXPECT_LE(name.size(), 12u);
            EXPECT_EQ(name.find_first_of(L"\\/:*?\"<>|."), std::wstring::npos) << name;
        }
    }
}

TEST(TemporarySiblingPath, SeedsGiveDifferentNamesAndAFolderGivesNone) {
    std::set<std::wstring> names;
    for (std::uint64_t seed = 0; seed < 100; ++seed) names.insert(TemporarySiblingPath(L"C:\\x\\picture.png", seed));
    EXPECT_GT(names.size(), 95u);
    // A one-letter name still has somewhere to go, and never onto itself.
    std::set<std::wstring> single;
    for (std::uint64_t seed = 0; seed < 500; ++seed) single.insert(TemporarySiblingPath(L"C:\\x\\a", seed));
    EXPECT_GT(single.size(), 20u);
    EXPECT_EQ(single.count(L"C:\\x\\a"), 0u);
    EXPECT_EQ(TemporarySiblingPath(L"C:\\folder\\", 1), L"");
    EXPECT_EQ(TemporarySiblingPath(L"", 1), L"");
}

}  // namespace
}  // namespace snapora
