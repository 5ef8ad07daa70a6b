#include "help/logic/SysInfoLocation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace snapora {
namespace {

struct FakeFiles {
    std::vector<std::wstring> existing;
    std::vector<std::wstring> asked;
    std::function<bool(const std::wstring&)> Probe() {
        return [this](const std::wstring& path) {
            asked.push_back(path);
            for (const auto& e : existing) {
                if (e == path) return true;
            }
            return false;
        };
    }
};

TEST(ChooseSysInfoProgram, TheFullPathWinsAndTheFolderIsNotLookedAt) {
    FakeFiles files;
    files.existing = {L"D:\\Tools\\MSINFO32.EXE"};
    const auto chosen = ChooseSysInfoProgram(std::wstring(L"C:\\Programs\\msinfo32.exe"), std::wstring(L"D:\\Tools"),
                                             files.Probe());
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, L"C:\\Programs\\msinfo32.exe");
    EXPECT_TRUE(files.asked.empty());
    // The path is used even if nothing is there yet: starting it decides.
    EXPECT_EQ(ChooseSysInfoProgram(std::wstring(L"C:\\gone.exe"), std::nullopt, files.Probe()).value_or(L""),
              L"C:\\gone.exe");
}

TEST(ChooseSysInfoProgram, TheFolderCountsOnlyWhenItHoldsTheProgram) {
    FakeFiles files;
    files.existing = {L"D:\\Tools\\MSINFO32.EXE", L"E:\\系统\\MSINFO32.EXE"};
    EXPECT_EQ(ChooseSysInfoProgram(std::nullopt, std::wstring(L"D:\\Tools"), files.Probe()).value_or(L""),
              L"D:\\Tools\\MSINFO32.EXE");
    EXPECT_EQ(ChooseSysInfoProgram(std::nullopt, std::wstring(L"D:\\Tools\\"), files.Probe()).value_or(L""),
              L"D:\\Tools\\MSINFO32.EXE");
    EXPECT_EQ(ChooseSysInfoProgram(std::nullopt, std::wstring(L"E:\\系统"), files.Probe()).value_or(L""),
              L"E:\\系统\\MSINFO32.EXE");
    EXPECT_FALSE(ChooseSysInfoProgram(std::nullopt, std::wstring(L"F:\\Empty"), files.Probe()));
    EXPECT_EQ(files.asked.back(), L"F:\\Empty\\MSINFO32.EXE");
}

TEST(ChooseSysInfoProgram, NothingUsableGivesNothing) {
    FakeFiles files;
    EXPECT_FALSE(ChooseSysInfoProgram(std::nullopt, std::nullopt, files.Probe()));
    EXPECT_FALSE(ChooseSysInfoProgram(std::wstring(), std::nullopt, files.Probe()));
    // An empty folder must not turn into "\MSINFO32.EXE" on the current drive.
    files.existing = {L"\\MSINFO32.EXE", L"MSINFO32.EXE"};
    EXPECT_FALSE(ChooseSysInfoProgram(std::nullopt, std::wstring(), files.Probe()));
    EXPECT_TRUE(files.asked.empty());
}

TEST(TextUpToFirstNul, CutsTheRegistryTextAtItsTerminator) {
    EXPECT_EQ(TextUpToFirstNul(std::wstring_view(L"C:\\a.exe\0junk", 13)), L"C:\\a.exe");
    EXPECT_EQ(TextUpToFirstNul(std::wstring_view(L"C:\\a.exe", 8)), L"C:\\a.exe");
    EXPECT_EQ(TextUpToFirstNul(std::wstring_view(L"\0x", 2)), L"");
    EXPECT_EQ(TextUpToFirstNul(std::wstring_view()), L"");
}

}  // namespace
}  // namespace snapora
