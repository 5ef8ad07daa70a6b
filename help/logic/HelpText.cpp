#include "help/logic/HelpText.h"

#include <array>

namespace snapora {

namespace {

// Item lines start with two spaces; menu names sit in ASCII quotes so the
// text reads the same in any code page the user copies it into.
constexpr std::array<const wchar_t*, 23> kLines{
    L"一、功能：",
    L"  1.捕获全屏幕图形；",
    L"  2.捕获指定窗体图形；",
    L"  3.捕获矩形区域图形；",
    L"  4.捕获光标就近图形；",
    L"  5.后台自动连续截图；",
    L"  6.支持存档、打印；",
    L"  7.支持多文档；",
    L"  8.自动截图、光标截图均可进行适应性设置；",
    L"  9.设置功能快捷按钮。",
    L"二、使用说明：",
    L"  1.捕获全屏幕图形，点取\"整个屏幕\"菜单；",
    L"  2.捕获指定窗体图形，点取\"选择窗体\"菜单，两秒钟内选中目标窗体；",
    L"  3.捕获矩形区域图形，点取\"矩形区域\"菜单，然后拉取矩形范围即可；",
    L"  4.捕获光标就近图形，点取\"光标截图\"菜单，移动光标至目标区域，按回车键或空格键确认；",
    L"  5.后台自动连续截图，点取\"自动截图\"菜单；",
    L"  6.捕获光标就近图形时，可以设置范围大小；",
    L"  7.后台自动连续截图时，预先设置截图频率及截图时长，所截图片存于根目录下自建子目录内(若有重名文件将覆盖)；",
    L"三、软件信息：",
    L"  出品：Snapora 开发组",
    L"  网站：https://www.snapora.example/",
    L"  反馈：support@snapora.example",
    L"  欢迎来信提出意见和建议。",
};

std::wstring JoinLines() {
    std::wstring text;
    for (const wchar_t* line : kLines) {
        text += line;
        text += L"\r\n";
    }
    return text;
}

int AtLeastZero(int value) { return value > 0 ? value : 0; }

}  // namespace

const std::wstring& HelpContentsText() {
    static const std::wstring text = JoinLines();
    return text;
}

InsetBox InsetWithMargins(int clientWidth, int clientHeight, int marginX, int marginY) {
    return InsetBox{marginX, marginY, AtLeastZero(clientWidth - 2 * marginX), AtLeastZero(clientHeight - 2 * marginY)};
}

}  // namespace snapora
