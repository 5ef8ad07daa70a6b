#pragma once
// The file formats a picture can be written in: one row each, and every
// part of the program that names formats (saving, the save dialog's type
// list, the automatic format choice, the settings store) reads this table.
// A new format is a new row, a text for its name and nothing else. No
// window system here.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "picture/PictureResource.h"

namespace snapora {

enum class PictureFormat { Bmp, Png, Jpeg, Tiff };

// Who encodes a format: one of the program's own writers, or a platform codec.
enum class PictureWriter { OwnBmp, OwnPng, PlatformCodec };

// A platform codec's container id: the fields of its GUID.
struct CodecId {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};
};

// One option set on the codec before it encodes; a format without one has
// an empty name.
enum class CodecOptionType { Byte, Float };
struct CodecOption {
    std::wstring_view name;
    CodecOptionType type = CodecOptionType::Byte;
    float value = 0;
};

// How a codec writes its file: front to back, or going back to fill in
// what it wrote earlier (then the file ends where the stream ends, not
// where the codec stopped).
enum class CodecOutput { InOrder, Seeking };

struct PictureFormatRow {
    PictureFormat format;
    unsigned typeText;            // its entry in the save dialog's type list
    std::wstring_view patterns;   // that entry's patterns; the first one's extension is what files get
    std::wstring_view storedName; // how the settings keep it
    PictureWriter writer;
    CodecId codec;                // PlatformCodec only
    CodecOption option;
    CodecOutput output;
    unsigned automaticText;       // its name in the automatic format choice; 0: not offered there
};

// JPEG at quality 90. PNG by the program's own writer: the platform's
// codec compresses at one fixed level on one core, several times slower on
// screens than a writer made for them, and its files are twice the size.
inline constexpr std::array<PictureFormatRow, 4> kPictureFormats{{
    {PictureFormat::Bmp, IDS_FORMAT_TYPE_BMP, L"*.bmp", L"BMP", PictureWriter::OwnBmp, {}, {},
     CodecOutput::InOrder, IDS_FORMAT_CHOICE_BMP},
    {PictureFormat::Png, IDS_FORMAT_TYPE_PNG, L"*.png", L"PNG", PictureWriter::OwnPng, {}, {},
     CodecOutput::InOrder, IDS_FORMAT_CHOICE_PNG},
    {PictureFormat::Jpeg, IDS_FORMAT_TYPE_JPEG, L"*.jpg;*.jpeg", L"JPEG", PictureWriter::PlatformCodec,
     {0x19e4a5aa, 0x5662, 0x4fc5, {0xa0, 0xc0, 0x17, 0x58, 0x02, 0x8e, 0x10, 0x57}},
     {L"ImageQuality", CodecOptionType::Float, 0.9f}, CodecOutput::InOrder, 0},
    {PictureFormat::Tiff, IDS_FORMAT_TYPE_TIFF, L"*.tif;*.tiff", L"TIFF", PictureWriter::PlatformCodec,
     {0x163bcc30, 0xe2e9, 0x4f0b, {0x96, 0x1d, 0xa3, 0xe9, 0xfd, 0xb7, 0x88, 0xa3}}, {}, CodecOutput::Seeking, 0},
}};

// Rows stand in the order of the enumeration, so a format finds its row by
// its number; the first row is what a name without a known extension gets.
constexpr bool PictureFormatsInOrder() {
    for (std::size_t i = 0; i < kPictureFormats.size(); ++i) {
        if (static_cast<std::size_t>(kPictureFormats[i].format) != i) return false;
    }
    return true;
}
static_assert(PictureFormatsInOrder());

const PictureFormatRow& PictureFormatRowOf(PictureFormat format);

// The format for the file a save ends up with: the row one of whose
// patterns matches the name's extension (in any case); every other name -
// another extension, none at all - is BMP. The file system drops trailing
// dots and blanks from a name, so they do not hide its extension.
PictureFormat PictureFormatForFileName(std::wstring_view path);

// The extension files of this format get: ".bmp", ".png", ".jpg", ...
std::wstring_view PictureFormatExtension(PictureFormat format);

// The formats automatic capture offers, in the order of the table.
std::span<const PictureFormat> AutomaticPictureFormats();

// The automatic format a stored name stands for: one the choice offers, or
// BMP for anything else.
PictureFormat AutomaticFormatFromStoredName(std::wstring_view name);

// One row of 0x00RRGGBB pixels as blue, green, red bytes: `out` takes
// 3 x `width` bytes.
void PackBgr24Row(const std::uint32_t* pixels, std::size_t width, std::uint8_t* out);

}  // namespace snapora
