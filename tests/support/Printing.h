#pragma once
// The test printer: a CUPS queue whose jobs end as PDF files in a folder of
// the Unix side.
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace snapora::test {

std::string UnixPdfFolder();
// A Unix path as Wine's Z: drive shows it.
std::wstring WinePath(const std::string& unixPath);
std::vector<std::wstring> PdfFiles();

// Other test runs may print to the same queue at the same time: a job is
// told apart by a caption of its own, which names the job and so the file.
// Captions `document` with a fresh token and returns it.
std::string UniqueJobToken(HWND document);

// The new PDF with `token` in its name once the printer has finished
// writing it; empty when none appears in time. The back end takes a few
// seconds.
std::wstring WaitForNewPdf(const std::vector<std::wstring>& before, std::chrono::seconds limit,
                           const std::string& token);

}  // namespace snapora::test
