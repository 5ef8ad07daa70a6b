#pragma once
// Shared by the picture-output tests: scratch folders, pictures with a known
// pattern, and an independent way to read a BMP file back.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "capture/Picture.h"

namespace snapora::test {

// A fresh empty folder under the system's temporary folder, removed with
// everything in it when the object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    [[nodiscard]] const std::wstring& Path() const { return path_; }
    [[nodiscard]] std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }
    // Names of everything in the folder, sorted.
    [[nodiscard]] std::vector<std::wstring> Names() const;

private:
    std::wstring path_;
};

// A picture whose every pixel differs from its neighbours.
Picture MakePatternPicture(int width, int height);
std::uint32_t OutputPattern(int x, int y);

std::vector<std::uint8_t> ReadWholeFile(const std::wstring& path);
void WriteWholeFile(const std::wstring& path, const std::string& content);

// Reads a BMP file with the system's own loader (which shares no code with
// the program's writer). Pixels 0x00RRGGBB, top-down; empty on failure.
struct LoadedBitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};
LoadedBitmap LoadBitmapFile(const std::wstring& path);

// Pixels (0x00RRGGBB, top-down) of any bitmap handle.
std::vector<std::uint32_t> BitmapPixels(HBITMAP bitmap, int width, int height);

}  // namespace snapora::test
