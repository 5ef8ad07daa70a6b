#pragma once
// The program's picture files in every format of the table, each encoded
// in memory by the writer its row names, all replacing a file the same
// safe way.
// Saving and automatic capture both use it.
#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "picture/Picture.h"
#include "picture/logic/PictureFormat.h"

namespace snapora {

// Writes the picture's pixels at full size as an uncompressed BMP file at
// `path` exactly as given (no extension is added), creating or replacing
// it. False on any failure, an empty picture included; an existing file at
// `path` is then left exactly as it was and no partial file stays behind.
//
// A saved file is flushed to the disk before it replaces anything: the
// user chose it and may switch off right after. Automatic capture writes a
// new screen every second for as long as it runs, and waiting for the disk
// at every tick would cost more than the grab; its files are left to the
// system's own write-back (still never partial: the rename comes last).
enum class WriteDurability { Flushed, Buffered };
bool WriteBitmapFile(const Picture& picture, const std::wstring& path,
                     WriteDurability durability = WriteDurability::Flushed);
// The same, encoding into `file`, whose memory a caller that writes every
// tick keeps between writes instead of allocating and touching it afresh.
bool WriteBitmapFile(const Picture& picture, const std::wstring& path, WriteDurability durability,
                     std::vector<std::uint8_t>& file);

// The same in any format, with the same guarantees.
bool WritePictureFile(const Picture& picture, const std::wstring& path, PictureFormat format,
                      WriteDurability durability = WriteDurability::Flushed);
// The same, the program's own writers encoding into the caller's `file` as
// above.
bool WritePictureFile(const Picture& picture, const std::wstring& path, PictureFormat format,
                      WriteDurability durability, std::vector<std::uint8_t>& file);

namespace detail {

// One WriteFile-like step; tests put a faulty one in its place.
using WriteStep = BOOL (*)(HANDLE file, const void* data, DWORD bytes, DWORD* written);

// Writes `bytes` to a new file beside `path`, flushes it (when asked) and
// only then moves it over `path`. On failure the new file is removed again.
bool ReplaceFileWith(const std::wstring& path, std::span<const std::uint8_t> bytes, WriteStep write,
                     WriteDurability durability = WriteDurability::Flushed);

}  // namespace detail
}  // namespace snapora
