#include "support/Files.h"

#include <windows.h>

#include <algorithm>

#include "win32/Handle.h"

namespace snapora::test {

namespace {

std::wstring TempFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
    return length == 0 || length > MAX_PATH ? std::wstring() : std::wstring(temp, length);
}

std::wstring UniqueSuffix() {
    static unsigned counter = 0;
    return std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
}

}  // namespace

ScratchFolder::ScratchFolder(const std::wstring& name) {
    const std::wstring temp = TempFolder();
    for (int attempt = 0; attempt < 100 && !temp.empty(); ++attempt) {
        const std::wstring candidate = temp + name + L" " + UniqueSuffix();
        if (::CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
    }
}

ScratchFolder::~ScratchFolder() {
    if (!path_.empty()) RemoveFolder(path_);
}

std::vector<std::wstring> ScratchFolder::Names() const { return FolderEntries(path_); }

std::vector<std::wstring> FolderEntries(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

void RemoveFolder(const std::wstring& folder) {
    for (const auto& name : FolderEntries(folder)) {
        const std::wstring path = folder + L"\\" + name;
        if (IsFolder(path)) {
            RemoveFolder(path);
            continue;
        }
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        // A program started from here may take a moment to end.
        for (int attempt = 0; attempt < 100 && !::DeleteFileW(path.c_str()); ++attempt) ::Sleep(20);
    }
    ::SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryW(folder.c_str());
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring TempFilePath(const std::wstring& stem) { return TempFolder() + L"snapora-" + stem + L"-" + UniqueSuffix(); }

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadWholeFile(const std::wstring& path) {
    std::string bytes;
    win32::UniqueFile file(
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size)) return bytes;
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && !::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
    bytes.resize(read);
    return bytes;
}

bool WriteWholeFile(const std::wstring& path, const std::string& content) {
    win32::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    return file && ::WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
           written == content.size();
}

}  // namespace snapora::test
