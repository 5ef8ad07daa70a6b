// Another program on the desktop, for tests that need the clipboard to be
// used by a second process:
//   snapora_clipboard_peer hold <milliseconds> <ready-file>
//       opens the clipboard with a real window, creates <ready-file>, keeps
//       it open for the given time, then closes it.
//   snapora_clipboard_peer read-bitmap <out-file>
//       writes "<width> <height>\n" and then the CF_BITMAP's pixels as
//       32-bit 0x00RRGGBB values, top-down; exit code 2 when there is none.
//   snapora_clipboard_peer read-text <out-file>
//       writes the CF_UNICODETEXT as UTF-16; exit code 2 when there is none.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool OpenWithRetries(HWND owner) {
    for (int i = 0; i < 100; ++i) {
        if (::OpenClipboard(owner)) return true;
        ::Sleep(20);
    }
    return false;
}

int Hold(int milliseconds, const wchar_t* readyFile) {
    HWND window = ::CreateWindowExW(0, L"STATIC", L"clipboard peer", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
    if (!window || !OpenWithRetries(window)) return 1;
    HANDLE ready = ::CreateFileW(readyFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready != INVALID_HANDLE_VALUE) ::CloseHandle(ready);
    ::Sleep(static_cast<DWORD>(milliseconds));
    ::CloseClipboard();
    ::DestroyWindow(window);
    return 0;
}

int ReadBitmap(const wchar_t* outFile) {
    if (!OpenWithRetries(nullptr)) return 1;
    auto bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    int result = 2;
    if (bitmap) {
        BITMAP header{};
        ::GetObjectW(bitmap, sizeof(header), &header);
        const int width = header.bmWidth;
        const int height = header.bmHeight < 0 ? -header.bmHeight : header.bmHeight;
        std::vector<unsigned> pixels(static_cast<std::size_t>(width) * height);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        HDC screen = ::GetDC(nullptr);
        const int rows = ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
        ::ReleaseDC(nullptr, screen);
        FILE* out = _wfopen(outFile, L"wb");
        if (out && rows == height) {
            for (auto& p : pixels) p &= 0x00FFFFFFu;
            std::fprintf(out, "%d %d\n", width, height);
            std::fwrite(pixels.data(), sizeof(unsigned), pixels.size(), out);
            result = 0;
        } else {
            result = 1;
        }
        if (out) std::fclose(out);
    }
    ::CloseClipboard();
    return result;
}

int ReadText(const wchar_t* outFile) {
    if (!OpenWithRetries(nullptr)) return 1;
    int result = 2;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        const auto* text = static_cast<const wchar_t*>(::GlobalLock(data));
        FILE* out = _wfopen(outFile, L"wb");
        if (text && out) {
            std::fwrite(text, sizeof(wchar_t), std::wcslen(text), out);
            result = 0;
        }
        if (out) std::fclose(out);
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && std::wstring(argv[1]) == L"hold") return Hold(_wtoi(argv[2]), argv[3]);
    if (argc == 3 && std::wstring(argv[1]) == L"read-bitmap") return ReadBitmap(argv[2]);
    if (argc == 3 && std::wstring(argv[1]) == L"read-text") return ReadText(argv[2]);
    std::fputs("usage: snapora_clipboard_peer hold <ms> <ready-file> | read-bitmap <out> | read-text <out>\n", stderr);
    return 64;
}
