#include "picture/PictureFile.h"

#include <vector>

#include "picture/PictureEncoder.h"
#include "picture/logic/TemporaryName.h"
#include "win32/Handle.h"

namespace snapora {
namespace {

BOOL PlainWrite(HANDLE file, const void* data, DWORD bytes, DWORD* written) {
    return ::WriteFile(file, data, bytes, written, nullptr);
}

// Differs between processes, threads, moments and attempts; a clash with
// an existing file only costs another attempt.
std::uint64_t TemporarySeed(unsigned attempt) {
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return (static_cast<std::uint64_t>(::GetCurrentProcessId()) << 40) ^
           (static_cast<std::uint64_t>(::GetCurrentThreadId()) << 20) ^ static_cast<std::uint64_t>(now.QuadPart) ^
           (static_cast<std::uint64_t>(attempt) << 56);
}

}  // namespace

namespace detail {

bool ReplaceFileWith(const std::wstring& path, std::span<const std::uint8_t> bytes, WriteStep write,
                     WriteDurability durability) {
    const bool flushed = durability == WriteDurability::Flushed;
    if (path.empty() || bytes.empty() || bytes.size() > MAXDWORD) return false;
    // A rename may replace a read-only file on some systems (Wine does);
    // the user marked it so it would not change.
    const DWORD existing = ::GetFileAttributesW(path.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        return false;
    }
    std::wstring temporary;
    win32::UniqueFile file;
    for (unsigned attempt = 0; attempt < 16 && !file; ++attempt) {
        temporary = TemporarySiblingPath(path, TemporarySeed(attempt));
        if (temporary.empty()) return false;
        file.reset(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file && ::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    if (!file) return false;

    const auto size = static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    const bool complete = write(file.get(), bytes.data(), size, &written) && written == size &&
                          (!flushed || ::FlushFileBuffers(file.get()));
    file.reset();
    const DWORD moveFlags = MOVEFILE_REPLACE_EXISTING | (flushed ? MOVEFILE_WRITE_THROUGH : 0);
    if (complete && ::MoveFileExW(temporary.c_str(), path.c_str(), moveFlags)) {
        return true;
    }
    ::DeleteFileW(temporary.c_str());
    return false;
}

}  // namespace detail

bool WriteBitmapFile(const Picture& picture, const std::wstring& path, WriteDurability durability) {
    std::vector<std::uint8_t> file;
    return WriteBitmapFile(picture, path, durability, file);
}

bool WriteBitmapFile(const Picture& picture, const std::wstring& path, WriteDurability durability,
                     std::vector<std::uint8_t>& file) {
    return WritePictureFile(picture, path, PictureFormat::Bmp, durability, file);
}

bool WritePictureFile(const Picture& picture, const std::wstring& path, PictureFormat format,
                      WriteDurability durability) {
    std::vector<std::uint8_t> file;
    return WritePictureFile(picture, path, format, durability, file);
}

bool WritePictureFile(const Picture& picture, const std::wstring& path, PictureFormat format,
                      WriteDurability durability, std::vector<std::uint8_t>& file) {
    return EncodePicture(picture, format, file, [&](std::span<const std::uint8_t> encoded) {
        return detail::ReplaceFileWith(path, encoded, &PlainWrite, durability);
    });
}

}  // namespace snapora
