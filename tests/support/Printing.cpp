#include "support/Printing.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "support/UiTest.h"

namespace snapora::test {

std::string UnixPdfFolder() {
    const char* folder = std::getenv("SNAPORA_PDF_DIR");
    return folder && *folder ? folder : "/var/spool/cups-pdf/snapora";
}

std::wstring WinePath(const std::string& unixPath) {
    std::wstring path = L"Z:";
    for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return path;
}

std::vector<std::wstring> PdfFiles() {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((WinePath(UnixPdfFolder()) + L"\\*.pdf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.emplace_back(found.cFileName);
    while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return names;
}

std::string UniqueJobToken(HWND document) {
    static int job = 0;
    // Wine numbers processes per server, so the clock makes it unique.
    std::ostringstream unique;
    unique << "j" << std::hex
           << ((::GetTickCount64() << 8) ^ (static_cast<ULONGLONG>(::GetCurrentProcessId()) << 24) ^ ++job);
    const std::string token = unique.str();
    ::SetWindowTextW(document, std::wstring(token.begin(), token.end()).c_str());
    return token;
}

std::wstring WaitForNewPdf(const std::vector<std::wstring>& before, std::chrono::seconds limit,
                           const std::string& token) {
    const std::wstring wideToken(token.begin(), token.end());
    std::wstring found;
    LONGLONG lastSize = -1;
    auto stableSince = std::chrono::steady_clock::now();
    const auto finished = [&] { return std::chrono::steady_clock::now() - stableSince > std::chrono::milliseconds(800); };
    PumpUntil(
        [&] {
            for (const auto& name : PdfFiles()) {
                if (std::find(before.begin(), before.end(), name) == before.end() &&
                    name.find(wideToken) != std::wstring::npos) {
                    found = name;
                }
            }
            WIN32_FILE_ATTRIBUTE_DATA data{};
            if (found.empty() || !::GetFileAttributesExW((WinePath(UnixPdfFolder()) + L"\\" + found).c_str(),
                                                         GetFileExInfoStandard, &data)) {
                return false;
            }
            const LONGLONG size = (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
            if (size <= 0 || size != lastSize) stableSince = std::chrono::steady_clock::now();
            lastSize = size;
            // Unchanged for a while: the back end has finished writing it.
            return finished();
        },
        limit);
    return !found.empty() && finished() ? found : std::wstring();
}

}  // namespace snapora::test
