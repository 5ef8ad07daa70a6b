#pragma once
// The program's one BMP writer: saving and automatic capture both use it.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "capture/Picture.h"

namespace snapora {

// Writes the picture's pixels at full size as an uncompressed BMP file at
// `path` exactly as given (no extension is added), creating or replacing
// it. False on any failure, an empty picture included; an existing file at
// `path` is then left exactly as it was and no partial file stays behind.
bool WriteBitmapFile(const Picture& picture, const std::wstring& path);

namespace detail {

// One WriteFile-like step; tests put a faulty one in its place.
using WriteStep = BOOL (*)(HANDLE file, const void* data, DWORD bytes, DWORD* written);

// Writes `bytes` to a new file beside `path`, flushes it and only then moves
// it over `path`. On failure the new file is removed again.
bool ReplaceFileWith(const std::wstring& path, const std::vector<std::uint8_t>& bytes, WriteStep write);

}  // namespace detail
}  // namespace snapora
