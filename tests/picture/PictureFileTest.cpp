// The picture writers against real files under Wine: the program's own BMP
// writer, and PNG and JPEG through the platform's codecs.
#include "picture/PictureFile.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/Decoding.h"
#include "support/DesktopPicture.h"
#include "support/Files.h"
#include "support/Pixels.h"
#include "win32/Handle.h"

namespace snapora::test {
namespace {

TEST(WriteBitmapFile, WritesExactlyThePicturesPixelsForPaddedAndTinySizes) {
    ScratchFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    for (const auto& [width, height] : {std::pair{1, 1}, std::pair{3, 2}, std::pair{5, 7}, std::pair{64, 9}}) {
        const Picture picture = PatternPicture(width, height);
        ASSERT_FALSE(picture.Empty());
        const std::wstring path = folder.File(L"p" + std::to_wstring(width) + L"x" + std::to_wstring(height) + L".bmp");
        ASSERT_TRUE(WriteBitmapFile(picture, path));
        const LoadedBitmap loaded = LoadBitmapFile(path);
        EXPECT_EQ(loaded.width, width);
        EXPECT_EQ(loaded.height, height);
        EXPECT_EQ(loaded.pixels, PatternPixels(0, 0, width, height)) << width << "x" << height;
    }
    // Only the finished files remain: no temporary file is left over.
    EXPECT_EQ(folder.Names(), (std::vector<std::wstring>{L"p1x1.bmp", L"p3x2.bmp", L"p5x7.bmp", L"p64x9.bmp"}));
}

TEST(WriteBitmapFile, ADeviceDependentBitmapIsWrittenLikeAGrabbedOne) {
    // Grabs are DIB sections read in place; any other bitmap is read through
    // the system. Both must give the same file.
    constexpr int kWidth = 7;
    constexpr int kHeight = 5;
    win32::WindowDc screen(nullptr, win32::WindowDc::Area::Client);
    win32::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), kWidth, kHeight));
    ASSERT_TRUE(bitmap);
    const auto pixels = PatternPixels(0, 0, kWidth, kHeight);
    BITMAPINFO info = TopDownBgra32Info(kWidth, kHeight);
    ASSERT_EQ(::SetDIBits(screen.get(), bitmap.get(), 0, kHeight, pixels.data(), &info, DIB_RGB_COLORS), kHeight);
    const Picture device = Picture::FromBitmap(std::move(bitmap));
    ASSERT_EQ(device.DirectPixels(), nullptr);

    ScratchFolder folder;
    ASSERT_TRUE(WriteBitmapFile(device, folder.File(L"device.bmp")));
    ASSERT_TRUE(WriteBitmapFile(PatternPicture(kWidth, kHeight), folder.File(L"grabbed.bmp")));
    EXPECT_EQ(ReadWholeFile(folder.File(L"device.bmp")), ReadWholeFile(folder.File(L"grabbed.bmp")));
    EXPECT_EQ(LoadBitmapFile(folder.File(L"device.bmp")).pixels, pixels);
}

// Runs only when the test command has mounted a read-only disk holding
// "existing.bmp" and names its folder in SNAPORA_READONLY_FOLDER.
TEST(WriteBitmapFile, DISABLED_ASaveIntoAReadOnlyFolderFailsAndKeepsTheFile) {
    const wchar_t* folder = _wgetenv(L"SNAPORA_READONLY_FOLDER");
    ASSERT_NE(folder, nullptr);
    const std::wstring existing = std::wstring(folder) + L"\\existing.bmp";
    const auto before = ReadWholeFile(existing);
    ASSERT_FALSE(before.empty());
    EXPECT_FALSE(WriteBitmapFile(PatternPicture(8, 8), existing));
    EXPECT_FALSE(WriteBitmapFile(PatternPicture(8, 8), std::wstring(folder) + L"\\new.bmp"));
    EXPECT_FALSE(WritePictureFile(PatternPicture(8, 8), existing, PictureFormat::Png));
    EXPECT_FALSE(WritePictureFile(PatternPicture(8, 8), std::wstring(folder) + L"\\new.png", PictureFormat::Png));
    EXPECT_EQ(ReadWholeFile(existing), before);
    EXPECT_EQ(::GetFileAttributesW((std::wstring(folder) + L"\\new.bmp").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(::GetFileAttributesW((std::wstring(folder) + L"\\new.png").c_str()), INVALID_FILE_ATTRIBUTES);
}

// Runs only from a copy of the test program on a small disk of its own
// (see scripts/failure-tests.sh): the disk is filled, then a PNG save over
// an older PNG fails and leaves it whole.
TEST(WritePictureFile, DISABLED_APngSaveOnAFullDiskKeepsTheOldFile) {
    wchar_t program[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameW(nullptr, program, MAX_PATH), 0u);
    std::wstring folder = program;
    folder.resize(folder.find_last_of(L'\\'));
    const std::wstring old = folder + L"\\old.png";
    ASSERT_TRUE(WritePictureFile(PatternPicture(16, 16), old, PictureFormat::Png));
    const auto before = ReadWholeFile(old);

    const std::wstring filler = folder + L"\\filler";
    {
        win32::UniqueFile file(::CreateFileW(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(file);
        const std::vector<std::uint8_t> block(64 * 1024, 0x33);
        DWORD written = 0;
        while (::WriteFile(file.get(), block.data(), static_cast<DWORD>(block.size()), &written, nullptr) &&
               written == block.size()) {
        }
    }
    EXPECT_FALSE(WritePictureFile(MakeNoisePicture(400, 400), old, PictureFormat::Png));
    ::DeleteFileW(filler.c_str());
    EXPECT_EQ(ReadWholeFile(old), before);
    EXPECT_EQ(FileKind(old), "PNG");
    // No temporary file was left behind: only the old file and this program.
    const std::wstring programName = std::wstring(program).substr(folder.size() + 1);
    EXPECT_EQ(FolderEntries(folder), (std::vector<std::wstring>{L"old.png", programName}));
    ::DeleteFileW(old.c_str());
}

TEST(WriteBitmapFile, UsesThePathExactlyAndReplacesAnExistingFile) {
    ScratchFolder folder;
    const Picture picture = PatternPicture(6, 4);
    const std::wstring jpg = folder.File(L"picture.jpg");
    const std::wstring bare = folder.File(L"noextension");
    ASSERT_TRUE(WriteWholeFile(jpg, "an older, longer file that must be replaced completely by the picture ........................."));
    ASSERT_TRUE(WriteBitmapFile(picture, jpg));
    ASSERT_TRUE(WriteBitmapFile(picture, bare));
    EXPECT_EQ(folder.Names(), (std::vector<std::wstring>{L"noextension", L"picture.jpg"}));
    for (const auto& path : {jpg, bare}) {
        const auto bytes = ReadWholeFile(path);
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[1], 'M');
        EXPECT_EQ(LoadBitmapFile(path).pixels, PatternPixels(0, 0, 6, 4));
    }
}

TEST(WriteBitmapFile, FailureLeavesTheExistingFileUntouchedAndNothingBehind) {
    ScratchFolder folder;
    const std::wstring target = folder.File(L"keep.bmp");
    const std::string original = "the user's earlier file";
    ASSERT_TRUE(WriteWholeFile(target, original));

    // A picture emptied by the delete command has nothing to write.
    EXPECT_FALSE(WriteBitmapFile(Picture{}, target));
    EXPECT_EQ(ReadWholeFile(target), original);

    // The disk fills up half way through the write.
    const std::vector<std::uint8_t> content(1000, 0x5A);
    const auto shortWrite = [](HANDLE file, const void* data, DWORD bytes, DWORD* written) -> BOOL {
        return ::WriteFile(file, data, bytes / 2, written, nullptr);
    };
    EXPECT_FALSE(detail::ReplaceFileWith(target, content, shortWrite));
    EXPECT_EQ(ReadWholeFile(target), original);
    const auto failingWrite = [](HANDLE, const void*, DWORD, DWORD* written) -> BOOL {
        *written = 0;
        ::SetLastError(ERROR_DISK_FULL);
        return FALSE;
    };
    EXPECT_FALSE(detail::ReplaceFileWith(target, content, failingWrite));
    EXPECT_EQ(ReadWholeFile(target), original);

    // A folder that does not exist, and a name that is a folder.
    EXPECT_FALSE(WriteBitmapFile(PatternPicture(2, 2), folder.File(L"missing\\x.bmp")));
    ASSERT_TRUE(::CreateDirectoryW(folder.File(L"sub").c_str(), nullptr));
    EXPECT_FALSE(WriteBitmapFile(PatternPicture(2, 2), folder.File(L"sub")));
    ::RemoveDirectoryW(folder.File(L"sub").c_str());

    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"keep.bmp"});
    EXPECT_EQ(ReadWholeFile(target), original);
}

TEST(WriteBitmapFile, ReadOnlyTargetIsLeftAsItWas) {
    ScratchFolder folder;
    const std::wstring target = folder.File(L"locked.bmp");
    ASSERT_TRUE(WriteWholeFile(target, "read-only"));
    ASSERT_TRUE(::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(WriteBitmapFile(PatternPicture(4, 4), target));
    EXPECT_EQ(ReadWholeFile(target), "read-only");
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"locked.bmp"});
}

TEST(WritePictureFile, PngAndJpegHoldThePictureAsAnotherDecoderReadsThem) {
    ScratchFolder folder;
    const Picture desktop = MakeDesktopLikePicture(480, 300);
    const std::vector<std::uint32_t> expected = desktop.ReadPixels();
    ASSERT_TRUE(WritePictureFile(desktop, folder.File(L"desktop.png"), PictureFormat::Png));
    ASSERT_TRUE(WritePictureFile(desktop, folder.File(L"desktop.jpg"), PictureFormat::Jpeg));
    EXPECT_EQ(FileKind(folder.File(L"desktop.png")), "PNG");
    EXPECT_EQ(FileKind(folder.File(L"desktop.jpg")), "JPEG");
    const LoadedBitmap png = DecodeIndependently(folder.File(L"desktop.png"));
    EXPECT_EQ(png.width, 480);
    EXPECT_EQ(png.height, 300);
    EXPECT_TRUE(png.pixels == expected);
    // Our own PNG writer, read by the platform's decoder too.
    EXPECT_TRUE(DecodeWithPlatform(folder.File(L"desktop.png")).pixels == expected);
    ExpectFaithfulJpeg(folder.File(L"desktop.jpg"), expected, 480, 300);

    // Odd sizes, a height that is no whole number of bands, and a bitmap
    // that is not read in place.
    win32::WindowDc screen(nullptr, win32::WindowDc::Area::Client);
    win32::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), 7, 33));
    const auto pattern = PatternPixels(0, 0, 7, 33);
    BITMAPINFO info = TopDownBgra32Info(7, 33);
    ASSERT_EQ(::SetDIBits(screen.get(), bitmap.get(), 0, 33, pattern.data(), &info, DIB_RGB_COLORS), 33);
    ASSERT_TRUE(WritePictureFile(Picture::FromBitmap(std::move(bitmap)), folder.File(L"device.png"), PictureFormat::Png));
    ASSERT_TRUE(WritePictureFile(PatternPicture(1, 1), folder.File(L"one.png"), PictureFormat::Png));
    EXPECT_EQ(DecodeIndependently(folder.File(L"device.png")).pixels, pattern);
    EXPECT_EQ(DecodeWithPlatform(folder.File(L"device.png")).pixels, pattern);
    EXPECT_EQ(DecodeIndependently(folder.File(L"one.png")).pixels, PatternPixels(0, 0, 1, 1));
    // Too many colours for a palette: truecolour rows.
    const Picture noise = MakeNoisePicture(61, 17);
    ASSERT_TRUE(WritePictureFile(noise, folder.File(L"noise.png"), PictureFormat::Png));
    EXPECT_EQ(DecodeIndependently(folder.File(L"noise.png")).pixels, noise.ReadPixels());
    EXPECT_EQ(DecodeWithPlatform(folder.File(L"noise.png")).pixels, noise.ReadPixels());
    EXPECT_EQ(folder.Names(),
              (std::vector<std::wstring>{L"desktop.jpg", L"desktop.png", L"device.png", L"noise.png", L"one.png"}));
}

TEST(WritePictureFile, EncodedFormatsFailCleanlyOnBadTargets) {
    ScratchFolder folder;
    const std::wstring keep = folder.File(L"keep.png");
    WriteWholeFile(keep, "the user's earlier file");
    const auto original = ReadWholeFile(keep);
    const std::wstring locked = folder.File(L"locked.jpg");
    WriteWholeFile(locked, "read-only");
    ASSERT_TRUE(::SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(::CreateDirectoryW(folder.File(L"sub.png").c_str(), nullptr));
    const Picture picture = PatternPicture(9, 9);
    for (const PictureFormat format : {PictureFormat::Png, PictureFormat::Jpeg, PictureFormat::Tiff}) {
        EXPECT_FALSE(WritePictureFile(Picture{}, keep, format));
        EXPECT_FALSE(WritePictureFile(picture, locked, format));
        EXPECT_FALSE(WritePictureFile(picture, folder.File(L"sub.png"), format));
        EXPECT_FALSE(WritePictureFile(picture, folder.File(L"missing\\x.png"), format));
        EXPECT_FALSE(WritePictureFile(picture, folder.File(L"bad?name.png"), format));
        EXPECT_FALSE(WritePictureFile(picture, folder.File(std::wstring(300, L'n') + L".png"), format));
    }
    EXPECT_EQ(ReadWholeFile(keep), original);
    const auto lockedBytes = ReadWholeFile(locked);
    EXPECT_EQ(std::string(lockedBytes.begin(), lockedBytes.end()), "read-only");
    EXPECT_EQ(folder.Names(), (std::vector<std::wstring>{L"keep.png", L"locked.jpg", L"sub.png"}));
    ::SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryW(folder.File(L"sub.png").c_str());
}

}  // namespace
}  // namespace snapora::test
