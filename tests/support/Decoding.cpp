#include "support/Decoding.h"

#include <windows.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cmath>
#include <cstdlib>
#include <initializer_list>

#include "support/Files.h"
#include "win32/Handle.h"

namespace snapora::test {

LoadedBitmap DecodeWithPlatform(const std::wstring& path) {
    using win32::UniqueCom;
    UniqueCom<IWICImagingFactory> factory;
    UniqueCom<IWICBitmapDecoder> decoder;
    UniqueCom<IWICBitmapFrameDecode> frame;
    UniqueCom<IWICFormatConverter> converter;
    LoadedBitmap decoded;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.Put()))) ||
        FAILED(factory.get()->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                        WICDecodeMetadataCacheOnDemand, decoder.Put())) ||
        FAILED(decoder.get()->GetFrame(0, frame.Put())) || FAILED(frame.get()->GetSize(&width, &height)) ||
        FAILED(factory.get()->CreateFormatConverter(converter.Put())) ||
        FAILED(converter.get()->Initialize(frame.get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr,
                                           0.0, WICBitmapPaletteTypeCustom))) {
        return decoded;
    }
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    if (FAILED(converter.get()->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size() * 4),
                                           reinterpret_cast<BYTE*>(pixels.data())))) {
        return decoded;
    }
    for (std::uint32_t& p : pixels) p &= 0xFFFFFFu;
    decoded.width = static_cast<int>(width);
    decoded.height = static_cast<int>(height);
    decoded.pixels = std::move(pixels);
    return decoded;
}

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

namespace {

// The first luminance quantisation table of a JPEG file, in the file's
// zig-zag order; empty when it has none.
std::vector<int> JpegLuminanceTable(const std::wstring& path) {
    const std::string bytes = ReadWholeFile(path);
    const auto at = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    // Segments from the start of the file up to the first frame: each DQT
    // holds tables of a precision/destination byte and 64 entries.
    for (std::size_t i = 2; i + 4 <= bytes.size() && at(i) == 0xFF;) {
        const std::size_t length = (at(i + 2) << 8u) | at(i + 3);
        if (at(i + 1) == 0xDB) {
            for (std::size_t t = i + 4; t < i + 2 + length && t + 65 <= bytes.size();) {
                const bool wide = (at(t) >> 4u) != 0;
                if ((at(t) & 0x0Fu) == 0 && !wide) {
                    std::vector<int> table;
                    for (std::size_t k = 0; k < 64; ++k) table.push_back(at(t + 1 + k));
                    return table;
                }
                t += wide ? 129 : 65;
            }
        }
        if (at(i + 1) == 0xDA) break;
        i += 2 + length;
    }
    return {};
}

bool UnderWine() {
    return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// The standard (IJG) luminance table scaled to quality 90, in zig-zag order.
std::vector<int> LuminanceTableAtQuality90() {
    constexpr std::array<int, 64> kStandard{
        16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,  14, 13, 16, 24, 40, 57,
        69, 56, 14, 17, 22,  29,  51,  87,  80, 62, 18, 22, 37,  56,  68,  109, 103, 77, 24, 35, 55, 64,
        81, 104, 113, 92, 49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
    constexpr std::array<int, 64> kZigZag{0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                          12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                          35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                          58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};
    std::vector<int> table;
    for (const int natural : kZigZag) table.push_back(std::clamp((kStandard[natural] * 20 + 50) / 100, 1, 255));
    return table;
}

}  // namespace

void ExpectFaithfulJpeg(const std::wstring& path, const std::vector<std::uint32_t>& expected, int width, int height) {
    constexpr double kWineFloor = 30;
    const LoadedBitmap decoded = DecodeIndependently(path);
    ASSERT_EQ(decoded.width, width);
    ASSERT_EQ(decoded.height, height);
    const double psnr = Psnr(expected, decoded.pixels);
    if (!UnderWine()) {
        EXPECT_EQ(JpegLuminanceTable(path), LuminanceTableAtQuality90());
        EXPECT_GE(psnr, 38.0);
        return;
    }
    EXPECT_GE(psnr, kWineFloor);
    // The floor means something for this picture: red and blue swapped, or
    // the rows upside down, fall below it.
    std::vector<std::uint32_t> swapped = expected;
    for (std::uint32_t& p : swapped) p = (p & 0xFF00FF00u) | ((p >> 16u) & 0xFFu) | ((p & 0xFFu) << 16u);
    std::vector<std::uint32_t> flipped;
    for (int y = height - 1; y >= 0; --y) {
        const auto row = expected.begin() + static_cast<std::ptrdiff_t>(y) * width;
        flipped.insert(flipped.end(), row, row + width);
    }
    EXPECT_LT(Psnr(swapped, decoded.pixels), kWineFloor);
    EXPECT_LT(Psnr(flipped, decoded.pixels), kWineFloor);
}

}  // namespace snapora::test
