#pragma once
// Files and folders for tests: scratch folders, whole-file reads and writes.
#include <string>
#include <vector>

namespace snapora::test {

// A fresh empty folder under the system's temporary folder, named after
// `name` (any characters), removed with everything in it when it goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& name = L"snapora-test");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    [[nodiscard]] bool Valid() const { return !path_.empty(); }
    [[nodiscard]] const std::wstring& Path() const { return path_; }
    [[nodiscard]] std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }
    // Names of everything in the folder, sorted.
    [[nodiscard]] std::vector<std::wstring> Names() const;

private:
    std::wstring path_;
};

// Names in a folder, sorted; empty when there is no such folder.
std::vector<std::wstring> FolderEntries(const std::wstring& folder);
// Removes a folder with everything in it.
void RemoveFolder(const std::wstring& folder);
bool IsFolder(const std::wstring& path);

// A fresh file path in the temporary folder.
std::wstring TempFilePath(const std::wstring& stem);
bool FileExists(const std::wstring& path);
// The whole file; empty when it cannot be read.
std::string ReadWholeFile(const std::wstring& path);
bool WriteWholeFile(const std::wstring& path, const std::string& content);

}  // namespace snapora::test
