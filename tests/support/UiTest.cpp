#include "support/UiTest.h"

#include <commctrl.h>

#include <cstdlib>

#include "documents/CaptureDocuments.h"
#include "documents/DocumentWindow.h"
#include "support/Registry.h"
#include "win32/Screen.h"

namespace snapora::test {

namespace {

bool& QuitFlag() {
    static bool posted = false;
    return posted;
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (true) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                QuitFlag() = true;
                continue;
            }
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(std::chrono::milliseconds duration) {
    PumpUntil([] { return false; }, duration);
}

bool QuitPosted() { return QuitFlag(); }

void MainWindowTest::SetUp() {
    win32::EnableDpiAwareness();
    // Every window test starts from the defaults, whatever an earlier test
    // applied with OK.
    ForgetStoredSettings();
    QuitFlag() = false;
    main_ = MainWindow::Create(::GetModuleHandleW(nullptr));
    ASSERT_NE(main_, nullptr);
    mainWindow_ = main_->Handle();
    main_->Show(SW_SHOWNORMAL);
    PumpFor(std::chrono::milliseconds(50));
}

void MainWindowTest::TearDown() {
    if (MainWindow::FromHandle(mainWindow_)) ::DestroyWindow(mainWindow_);
    PumpFor(std::chrono::milliseconds(20));
    ForgetStoredSettings();
    QuitFlag() = false;
}

DocumentWindow* OpenPictureDocument(MainWindow& main, Picture picture) {
    DocumentWindow* document = DocumentWindow::Create(main);
    if (!document) return nullptr;
    SetCurrentDocument(main, document);
    document->SetSurfaceSize(picture.Width(), picture.Height());
    document->SetPicture(std::move(picture));
    ShowCaptureDocument(main, *document);
    return document;
}

std::vector<HWND> Documents(const MainWindow& main) {
    std::vector<HWND> documents;
    for (HWND child = ::GetWindow(main.MdiClient(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (DocumentWindow::FromHandle(child)) documents.push_back(child);
    }
    return documents;
}

void ExpectTheRunsDpi() {
    const char* expected = std::getenv("SNAPORA_EXPECT_DPI");
    if (const int dpi = expected ? std::atoi(expected) : 0) {
        EXPECT_EQ(win32::ScreenDpiX(), dpi);
        EXPECT_EQ(win32::ScreenDpiY(), dpi);
    }
}

std::wstring WindowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

std::wstring ProgramFolderForTests() { return win32::ProgramFolder(); }

bool MenuChecked(HWND frame, UINT commandId) {
    return (::GetMenuState(::GetMenu(frame), commandId, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

bool MenuEnabled(HWND frame, UINT commandId) {
    return (::GetMenuState(::GetMenu(frame), commandId, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

bool ToolbarPressed(HWND toolbar, UINT commandId) {
    return ::SendMessageW(toolbar, TB_ISBUTTONCHECKED, commandId, 0) != 0;
}

}  // namespace snapora::test

namespace snapora::test {

std::wstring FirstStatusPanel(HWND statusBar) {
    wchar_t text[256] = {};
    if (LOWORD(::SendMessageW(statusBar, SB_GETTEXTLENGTHW, 0, 0)) >= 256) return L"(too long)";
    ::SendMessageW(statusBar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    return text;
}

}  // namespace snapora::test
