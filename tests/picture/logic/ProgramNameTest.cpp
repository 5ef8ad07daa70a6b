#include "picture/logic/ProgramName.h"

#include <gtest/gtest.h>

namespace snapora {
namespace {

TEST(ProgramName, IsTheLastPartOfThePathWhicheverSlashItUses) {
    EXPECT_EQ(ExecutableFileName(L"C:\\windows\\system32\\notepad.exe"), L"notepad.exe");
    EXPECT_EQ(ExecutableFileName(L"\\\\?\\D:/tools/ShareX.exe"), L"ShareX.exe");
    EXPECT_EQ(ExecutableFileName(L"plain.exe"), L"plain.exe");
    EXPECT_EQ(ExecutableFileName(L"C:\\odd\\"), L"");
}

}  // namespace
}  // namespace snapora
