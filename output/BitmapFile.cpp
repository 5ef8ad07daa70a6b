#include "output/BitmapFile.h"

#include <atomic>
#include <cwchar>

#include "output/logic/BmpEncoder.h"
#include "win32/Handle.h"

namespace snapora {
namespace {

BOOL PlainWrite(HANDLE file, const void* data, DWORD bytes, DWORD* written) {
    return ::WriteFile(file, data, bytes, written, nullptr);
}

// A name in the target's own folder, so the final move is a rename on the
// same volume and never a copy that could stop half way.
std::wstring SiblingName(const std::wstring& path, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    wchar_t suffix[64];
    std::swprintf(suffix, sizeof(suffix) / sizeof(suffix[0]), L".%lx-%x-%x.tmp",
                  static_cast<unsigned long>(::GetCurrentProcessId()), counter.fetch_add(1), attempt);
    return path + suffix;
}

}  // namespace

namespace detail {

bool ReplaceFileWith(const std::wstring& path, const std::vector<std::uint8_t>& bytes, WriteStep write) {
    if (path.empty() || bytes.empty() || bytes.size() > MAXDWORD) return false;
    std::wstring temporary;
    win32::UniqueFile file;
    for (unsigned attempt = 0; attempt < 8 && !file; ++attempt) {
        temporary = SiblingName(path, attempt);
        file.reset(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file && ::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    if (!file) return false;

    const auto size = static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    const bool complete = write(file.get(), bytes.data(), size, &written) && written == size &&
                          ::FlushFileBuffers(file.get());
    file.reset();
    if (complete && ::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    ::DeleteFileW(temporary.c_str());
    return false;
}

}  // namespace detail

bool WriteBitmapFile(const Picture& picture, const std::wstring& path) {
    if (picture.Empty() || picture.Width() <= 0 || picture.Height() <= 0) return false;
    const std::vector<std::uint32_t> pixels = picture.ReadPixels();
    const std::vector<std::uint8_t> file = EncodeBmp24(pixels, picture.Width(), picture.Height());
    if (file.empty()) return false;
    return detail::ReplaceFileWith(path, file, &PlainWrite);
}

}  // namespace snapora
