#include "output/OutputTestSupport.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "app/MainWindow.h"
#include "documents/CaptureDocuments.h"
#include "documents/DocumentWindow.h"
#include "support/UiTest.h"
#include "win32/Handle.h"

namespace snapora::test {

namespace {

DialogScript* runningScript = nullptr;

constexpr int kFileNameBox = 0x47C;  // cmb13 / edt1 in the save dialog

bool IsDialog(HWND window) {
    wchar_t className[32] = {};
    ::GetClassNameW(window, className, 32);
    return ::lstrcmpW(className, L"#32770") == 0 && ::IsWindowVisible(window);
}

}  // namespace

DocumentWindow* OpenPictureDocument(MainWindow& main, Picture picture) {
    DocumentWindow* document = DocumentWindow::Create(main);
    if (!document) return nullptr;
    SetCurrentDocument(main, document);
    document->SetSurfaceSize(picture.Width(), picture.Height());
    document->SetPicture(std::move(picture));
    ShowCaptureDocument(main, *document);
    return document;
}

DialogScript::DialogScript(std::vector<Step> steps, std::chrono::milliseconds limit)
    : steps_(std::move(steps)), deadline_(std::chrono::steady_clock::now() + limit) {
    runningScript = this;
    timer_ = ::SetTimer(nullptr, 0, 30, &DialogScript::OnTick);
}

DialogScript::~DialogScript() {
    if (timer_) ::KillTimer(nullptr, timer_);
    if (runningScript == this) runningScript = nullptr;
}

void CALLBACK DialogScript::OnTick(HWND, UINT, UINT_PTR, DWORD) {
    if (runningScript) runningScript->Tick();
}

void DialogScript::Tick() {
    if (std::chrono::steady_clock::now() > deadline_) {
        timedOut_ = true;
        for (HWND dialog : ThreadDialogs()) ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    // One step a tick: a posted answer is handled before the next tick, so
    // a dialog just answered (hidden by EndDialog) is not found again.
    if (next_ < steps_.size() && steps_[next_]()) ++next_;
}

std::vector<HWND> ThreadDialogs() {
    std::vector<HWND> dialogs;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            if (IsDialog(window)) reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

HWND FindSaveDialog() {
    for (HWND dialog : ThreadDialogs()) {
        if (::GetDlgItem(dialog, kFileNameBox)) return dialog;
    }
    return nullptr;
}

HWND FindMessageBoxOwnedBy(HWND owner) {
    for (HWND dialog : ThreadDialogs()) {
        if (::GetDlgItem(dialog, kFileNameBox) || !::GetDlgItem(dialog, 0xFFFF)) continue;
        if (owner && ::GetWindow(dialog, GW_OWNER) != owner) continue;
        return dialog;
    }
    return nullptr;
}

void TypeFileName(HWND saveDialog, const std::wstring& name) {
    HWND box = ::GetDlgItem(saveDialog, kFileNameBox);
    ::SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

void Answer(HWND dialog, int buttonId) {
    ::PostMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(buttonId), 0);
}

DialogScript::Step SaveAs(std::wstring path, HWND* seen) {
    return [path, seen] {
        HWND dialog = FindSaveDialog();
        if (!dialog) return false;
        if (seen) *seen = dialog;
        TypeFileName(dialog, path);
        Answer(dialog, IDOK);
        return true;
    };
}

DialogScript::Step AnswerQuestion(int button, std::wstring* text, std::wstring* title) {
    return [=] {
        HWND box = FindMessageBoxOwnedBy();
        if (!box) return false;
        if (text) *text = MessageBoxText(box);
        if (title) *title = WindowText(box);
        Answer(box, button);
        return true;
    };
}

bool DialogShownDuring(const std::function<void()>& action) {
    bool shown = false;
    DialogScript watch({[&shown] {
        for (HWND dialog : ThreadDialogs()) {
            shown = true;
            Answer(dialog, IDCANCEL);
        }
        return false;
    }});
    action();
    return shown;
}

ScratchFolder::ScratchFolder() {
    wchar_t base[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, base);
    static unsigned counter = 0;
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        std::wstring candidate = std::wstring(base) + L"snapora-output-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(++counter);
        if (::CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
    }
}

ScratchFolder::~ScratchFolder() {
    if (path_.empty()) return;
    for (const auto& name : Names()) {
        const std::wstring file = File(name);
        ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(file.c_str());
    }
    ::SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryW(path_.c_str());
}

std::vector<std::wstring> ScratchFolder::Names() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((path_ + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::uint32_t OutputPattern(int x, int y) {
    return static_cast<std::uint32_t>((x * 11 + y * 5) & 0xFF) << 16 |
           static_cast<std::uint32_t>((x * 3 + y * 17 + 40) & 0xFF) << 8 | static_cast<std::uint32_t>((x ^ (y * 7)) & 0xFF);
}

Picture MakePatternPicture(int width, int height) {
    Picture picture = Picture::CreateBlank(width, height);
    if (picture.Empty()) return picture;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) pixels[static_cast<std::size_t>(y) * width + x] = OutputPattern(x, y);
    }
    BITMAPINFO info = TopDownBgra32Info(width, height);
    win32::WindowDc screen(nullptr, win32::WindowDc::Area::Client);
    ::SetDIBits(screen.get(), picture.Bitmap(), 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    return picture;
}

std::vector<std::uint8_t> ReadWholeFile(const std::wstring& path) {
    std::vector<std::uint8_t> bytes;
    win32::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return bytes;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) return bytes;
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size())) {
        bytes.clear();
    }
    return bytes;
}

void WriteWholeFile(const std::wstring& path, const std::string& content) {
    win32::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file);
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr));
}

std::vector<std::uint32_t> BitmapPixels(HBITMAP bitmap, int width, int height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    BITMAPINFO info = TopDownBgra32Info(width, height);
    win32::WindowDc screen(nullptr, win32::WindowDc::Area::Client);
    if (::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS) != height) {
        return {};
    }
    for (auto& p : pixels) p &= 0x00FFFFFFu;
    return pixels;
}

LoadedBitmap LoadBitmapFile(const std::wstring& path) {
    LoadedBitmap loaded;
    win32::UniqueBitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    BITMAP header{};
    if (!bitmap || ::GetObjectW(bitmap.get(), sizeof(header), &header) == 0) return loaded;
    loaded.width = header.bmWidth;
    loaded.height = header.bmHeight < 0 ? -header.bmHeight : header.bmHeight;
    loaded.pixels = BitmapPixels(bitmap.get(), loaded.width, loaded.height);
    return loaded;
}

}  // namespace snapora::test
