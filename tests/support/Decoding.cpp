#include "support/Decoding.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>

#include "support/Files.h"

namespace snapora::test {

LoadedBitmap DecodeIndependently(const std::wstring& path) {
    const wchar_t* configured = _wgetenv(L"SNAPORA_IMAGEMAGICK_CONVERT");
    const std::wstring convert = configured && *configured ? configured : L"/usr/bin/convert";
    // Both files go to /tmp, seen from here as Z:\tmp: names the Unix
    // program reads as they are (it misreads the "c:" in Wine's own paths).
    static unsigned counter = 0;
    const std::wstring stem = L"/tmp/snapora-decode-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++counter);
    const auto windowsPath = [](std::wstring unix) {
        std::replace(unix.begin(), unix.end(), L'/', L'\\');
        return L"Z:" + unix;
    };
    LoadedBitmap decoded;
    if (!::CopyFileW(path.c_str(), windowsPath(stem).c_str(), FALSE)) return decoded;
    std::wstring command = L"\"" + convert + L"\" \"" + stem + L"\" -type TrueColor \"BMP3:" + stem + L".bmp\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        // Wine cannot wait for a Unix process: the BMP is done once its
        // length is the one its header gives.
        const std::wstring output = windowsPath(stem + L".bmp");
        for (int wait = 0; wait < 600 && decoded.width == 0; ++wait) {
            const std::string bytes = ReadWholeFile(output);
            const auto byte = [&bytes](std::size_t at) { return static_cast<std::size_t>(static_cast<unsigned char>(bytes[at])); };
            if (bytes.size() >= 54 && (byte(2) | byte(3) << 8 | byte(4) << 16 | byte(5) << 24) == bytes.size()) {
                decoded = LoadBitmapFile(output);
            } else {
                ::Sleep(50);
            }
        }
    }
    ::DeleteFileW(windowsPath(stem).c_str());
    ::DeleteFileW(windowsPath(stem + L".bmp").c_str());
    return decoded;
}

std::string FileKind(const std::wstring& path) {
    const std::string bytes = ReadWholeFile(path);
    const auto starts = [&bytes](std::initializer_list<unsigned char> magic) {
        return bytes.size() >= magic.size() &&
               std::equal(magic.begin(), magic.end(), bytes.begin(),
                          [](unsigned char m, char b) { return m == static_cast<unsigned char>(b); });
    };
    if (starts({'B', 'M'})) return "BMP";
    if (starts({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) return "PNG";
    if (starts({0xFF, 0xD8, 0xFF})) return "JPEG";
    if (starts({'I', 'I', 42, 0}) || starts({'M', 'M', 0, 42})) return "TIFF";
    return "";
}

double Psnr(const std::vector<std::uint32_t>& expected, const std::vector<std::uint32_t>& actual) {
    if (expected.size() != actual.size() || expected.empty()) return 0;
    double squares = 0;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        for (int shift = 0; shift < 24; shift += 8) {
            const double d =
                static_cast<double>((expected[i] >> shift) & 0xFFu) - static_cast<double>((actual[i] >> shift) & 0xFFu);
            squares += d * d;
        }
    }
    if (squares == 0) return 1000;
    const double meanSquare = squares / (3.0 * static_cast<double>(expected.size()));
    return 10.0 * std::log10(255.0 * 255.0 / meanSquare);
}

double ExpectedJpegPsnr(const std::wstring& path) {
    // The first luminance quantiser of the first table: the standard table
    // starts at 16 and quality 90 scales it to 3 or less.
    const std::string bytes = ReadWholeFile(path);
    for (std::size_t at = 2; at + 5 < bytes.size(); ++at) {
        if (static_cast<unsigned char>(bytes[at]) == 0xFF && static_cast<unsigned char>(bytes[at + 1]) == 0xDB) {
            return static_cast<unsigned char>(bytes[at + 5]) <= 3 ? 38.0 : 30.0;
        }
    }
    return 38.0;
}

}  // namespace snapora::test
