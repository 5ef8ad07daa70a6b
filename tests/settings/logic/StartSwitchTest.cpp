#include "settings/logic/StartSwitch.h"

#include <gtest/gtest.h>

namespace snapora {
namespace {

TEST(StartSwitch, TheWrittenCommandIsReadBackAndOnlyAWholeSwitchCounts) {
    const std::wstring written = StartCommandLine(L"C:\\Program Files\\Snapora\\Snapora.exe");
    EXPECT_EQ(written, L"\"C:\\Program Files\\Snapora\\Snapora.exe\" /tray");
    EXPECT_TRUE(HasTraySwitch(written));
    EXPECT_TRUE(HasTraySwitch(L"Snapora.exe\t/TRAY  "));
    // The program's own path is never a switch, quoted or not, and a longer
    // word is another switch.
    EXPECT_FALSE(HasTraySwitch(L"\"C:\\a /tray\\Snapora.exe\""));
    EXPECT_FALSE(HasTraySwitch(L"/tray"));
    EXPECT_FALSE(HasTraySwitch(L"Snapora.exe /trays"));
    EXPECT_FALSE(HasTraySwitch(L"\"unclosed /tray"));
    EXPECT_FALSE(HasTraySwitch(L""));
}

}  // namespace
}  // namespace snapora
