#include "picture/logic/PictureFormat.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace snapora {
namespace {

TEST(PictureFormatForFileName, TheLastExtensionOfTheNameDecidesAndEverythingElseIsBmp) {
    EXPECT_EQ(PictureFormatForFileName(L"C:\\pics\\a.png"), PictureFormat::Png);
    EXPECT_EQ(PictureFormatForFileName(L"C:\\pics\\a.PnG"), PictureFormat::Png);
    EXPECT_EQ(PictureFormatForFileName(L"a.jpg"), PictureFormat::Jpeg);
    EXPECT_EQ(PictureFormatForFileName(L"a.JPEG"), PictureFormat::Jpeg);
    EXPECT_EQ(PictureFormatForFileName(L"a.png.bmp"), PictureFormat::Bmp);
    EXPECT_EQ(PictureFormatForFileName(L"a.bmp.jpg"), PictureFormat::Jpeg);
    EXPECT_EQ(PictureFormatForFileName(L"a.gif"), PictureFormat::Bmp);
    EXPECT_EQ(PictureFormatForFileName(L"name"), PictureFormat::Bmp);
    EXPECT_EQ(PictureFormatForFileName(L".png"), PictureFormat::Png);
    EXPECT_EQ(PictureFormatForFileName(L"a.pngx"), PictureFormat::Bmp);
    EXPECT_EQ(PictureFormatForFileName(L""), PictureFormat::Bmp);
    // A dot in a folder name is no extension of the file.
    EXPECT_EQ(PictureFormatForFileName(L"C:\\my.png\\name"), PictureFormat::Bmp);
    EXPECT_EQ(PictureFormatForFileName(L"/tmp/x.jpg/name"), PictureFormat::Bmp);
    // The file system drops trailing dots and blanks.
    EXPECT_EQ(PictureFormatForFileName(L"a.png. "), PictureFormat::Png);
    EXPECT_EQ(PictureFormatForFileName(L"a.jpeg..."), PictureFormat::Jpeg);
}

TEST(PictureFormats, EveryRowIsFoundFromItsOwnNamesAndOnlyOfferedFormatsAreStored) {
    for (const PictureFormatRow& row : kPictureFormats) {
        const std::wstring extension(PictureFormatExtension(row.format));
        EXPECT_EQ(PictureFormatForFileName(L"x" + extension), row.format) << row.storedName.size();
        EXPECT_NE(row.typeText, 0u);
        EXPECT_EQ(AutomaticFormatFromStoredName(row.storedName), row.automaticText ? row.format : PictureFormat::Bmp);
    }
    EXPECT_EQ(PictureFormatForFileName(L"scan.TIFF"), PictureFormat::Tiff);
    EXPECT_EQ(PictureFormatExtension(PictureFormat::Jpeg), L".jpg");
    EXPECT_EQ(AutomaticPictureFormats().size(), 2u);
    EXPECT_EQ(AutomaticFormatFromStoredName(L"png"), PictureFormat::Bmp);
}

TEST(PackBgr24Row, WritesBlueGreenRedAndIgnoresTheHighByte) {
    const std::vector<std::uint32_t> row{0xFF112233u, 0x00A0B0C0u};
    std::vector<std::uint8_t> out(6, 0xEE);
    PackBgr24Row(row.data(), row.size(), out.data());
    EXPECT_EQ(out, (std::vector<std::uint8_t>{0x33, 0x22, 0x11, 0xC0, 0xB0, 0xA0}));
}

}  // namespace
}  // namespace snapora
