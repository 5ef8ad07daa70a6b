// The floor: the least a Win32 program can do to put the screen into a BMP
// file. BitBlt into a 24-bit DIB section, then one WriteFile of header and
// pixels to a new file.  bench_floor <repetitions> <folder>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "BenchTiming.h"

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::atoi(argv[1]) : 30;
    const std::string folder = argc > 2 ? argv[2] : ".";
    ::SetProcessDPIAware();
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    const int stride = ((width * 3) + 3) & ~3;
    const DWORD imageBytes = static_cast<DWORD>(stride) * static_cast<DWORD>(height);
    const DWORD headerBytes = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);

    // The file is one block: headers followed by the DIB section's pixels.
    std::vector<unsigned char> file(headerBytes + imageBytes);
    int counter = 0;
    auto path = [&] { return folder + "\\floor" + std::to_string(counter) + ".bmp"; };
    const auto timing = snapora::bench::Measure(3, repetitions, [&] {
        HDC screen = ::GetDC(nullptr);
        HDC memory = ::CreateCompatibleDC(screen);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        void* bits = nullptr;
        HBITMAP dib = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = ::SelectObject(memory, dib);
        ::BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        ::GdiFlush();
        auto* fileHeader = reinterpret_cast<BITMAPFILEHEADER*>(file.data());
        fileHeader->bfType = 0x4D42;
        fileHeader->bfSize = headerBytes + imageBytes;
        fileHeader->bfOffBits = headerBytes;
        std::memcpy(file.data() + sizeof(BITMAPFILEHEADER), &info.bmiHeader, sizeof(BITMAPINFOHEADER));
        std::memcpy(file.data() + headerBytes, bits, imageBytes);
        ++counter;
        HANDLE out = ::CreateFileA(path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        ::WriteFile(out, file.data(), static_cast<DWORD>(file.size()), &written, nullptr);
        ::CloseHandle(out);
        ::SelectObject(memory, old);
        ::DeleteObject(dib);
        ::DeleteDC(memory);
        ::ReleaseDC(nullptr, screen);
    }, [&] { ::DeleteFileA(path().c_str()); });  // untimed, as Snapora's paths do
    snapora::bench::Report("floor", width, height, timing);
    return 0;
}
