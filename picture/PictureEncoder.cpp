#include "picture/PictureEncoder.h"

#include <objidl.h>
#include <wincodec.h>

#include <algorithm>
#include <string>
#include <vector>

#include "picture/logic/BmpEncoder.h"
#include "picture/logic/PngEncoder.h"
#include "win32/ComApartment.h"
#include "win32/Handle.h"
#include "win32/SystemLibrary.h"

namespace snapora {
namespace {

using win32::UniqueCom;

// Rows converted to 24 bits at a time: a band stays in the cache and no
// second screen-sized buffer is needed.
constexpr UINT kBandRows = 32;

// The stream's memory is reserved for the worst case up front (a noise
// picture does not compress); growing it a codec write at a time copies
// the whole file again and again.
bool ReserveStream(IStream& stream, std::size_t width, std::size_t height) {
    ULARGE_INTEGER size{};
    size.QuadPart = width * height * 3 + height + width * height * 3 / 64 + 65536;
    LARGE_INTEGER start{};
    return SUCCEEDED(stream.SetSize(size)) && SUCCEEDED(stream.Seek(start, STREAM_SEEK_SET, nullptr));
}

// The row's option, if it has one, in the codec's property bag.
bool SetEncoderOption(IPropertyBag2& options, const CodecOption& option) {
    if (option.name.empty()) return true;
    const std::wstring name(option.name);
    VARIANT value{};  // VT_EMPTY, as VariantInit makes it
    if (option.type == CodecOptionType::Float) {
        value.vt = VT_R4;
        value.fltVal = option.value;
    } else {
        value.vt = VT_UI1;
        value.bVal = static_cast<BYTE>(option.value);
    }
    PROPBAG2 bagName{};
    bagName.pstrName = const_cast<LPOLESTR>(name.c_str());
    return SUCCEEDED(options.Write(1, &bagName, &value));
}

UniqueCom<IWICBitmapFrameEncode> NewFrame(IWICBitmapEncoder& encoder, const CodecOption& option, UINT width,
                                          UINT height) {
    UniqueCom<IWICBitmapFrameEncode> frame;
    UniqueCom<IPropertyBag2> options;
    if (FAILED(encoder.CreateNewFrame(frame.Put(), options.Put()))) return {};
    if (!options || !SetEncoderOption(*options.get(), option)) return {};
    if (FAILED(frame.get()->Initialize(options.get())) || FAILED(frame.get()->SetSize(width, height))) return {};
    WICPixelFormatGUID pixelFormat = GUID_WICPixelFormat24bppBGR;
    if (FAILED(frame.get()->SetPixelFormat(&pixelFormat)) || pixelFormat != GUID_WICPixelFormat24bppBGR) return {};
    return frame;
}

bool WriteRows(IWICBitmapFrameEncode& frame, const std::uint32_t* pixels, UINT width, UINT height) {
    const UINT stride = width * 3;
    std::vector<std::uint8_t> band(static_cast<std::size_t>(stride) * kBandRows);
    for (UINT top = 0; top < height; top += kBandRows) {
        const UINT rows = height - top < kBandRows ? height - top : kBandRows;
        for (UINT row = 0; row < rows; ++row) {
            PackBgr24Row(pixels + static_cast<std::size_t>(top + row) * width, width,
                         band.data() + static_cast<std::size_t>(row) * stride);
        }
        if (FAILED(frame.WritePixels(rows, stride, stride * rows, band.data()))) return false;
    }
    return SUCCEEDED(frame.Commit());
}

// COM's own functions, from its DLL, loaded at the first encoding.
struct ComFunctions {
    decltype(&::CoCreateInstance) createInstance =
        win32::LoadSystemFunction<decltype(&::CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
    decltype(&::CreateStreamOnHGlobal) createStream =
        win32::LoadSystemFunction<decltype(&::CreateStreamOnHGlobal)>(L"ole32.dll", "CreateStreamOnHGlobal");
    decltype(&::GetHGlobalFromStream) streamMemory =
        win32::LoadSystemFunction<decltype(&::GetHGlobalFromStream)>(L"ole32.dll", "GetHGlobalFromStream");
    [[nodiscard]] bool Loaded() const { return createInstance && createStream && streamMemory; }
};

// The bytes the codec wrote: from the start up to where it stopped, or, for
// a codec that goes back to fill in what it wrote earlier, the whole stream
// (which was then not reserved beyond what it wrote).
bool HandOver(const ComFunctions& com, IStream& stream, CodecOutput output, const EncodedBytesSink& sink) {
    LARGE_INTEGER none{};
    ULARGE_INTEGER end{};
    HGLOBAL memory = nullptr;
    const DWORD from = output == CodecOutput::InOrder ? STREAM_SEEK_CUR : STREAM_SEEK_END;
    if (FAILED(stream.Seek(none, from, &end)) || end.QuadPart == 0 ||
        FAILED(com.streamMemory(&stream, &memory))) {
        return false;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(::GlobalLock(memory));
    if (!bytes) return false;
    const bool kept = sink(std::span<const std::uint8_t>(bytes, static_cast<std::size_t>(end.QuadPart)));
    ::GlobalUnlock(memory);
    return kept;
}

// The picture's rows in place, or copied into `copied` when its bitmap
// cannot be read in place; null for an empty picture.
const std::uint32_t* PixelsOf(const Picture& picture, std::vector<std::uint32_t>& copied) {
    if (picture.Empty() || picture.Width() <= 0 || picture.Height() <= 0) return nullptr;
    if (const std::uint32_t* pixels = picture.DirectPixels()) return pixels;
    copied = picture.ReadPixels();
    return copied.empty() ? nullptr : copied.data();
}

}  // namespace

bool EncodePicture(const Picture& picture, PictureFormat format, std::vector<std::uint8_t>& scratch,
                   const EncodedBytesSink& sink) {
    const PictureFormatRow& row = PictureFormatRowOf(format);
    if (row.writer == PictureWriter::PlatformCodec) {
        return EncodeWithPlatformCodec(picture, row.codec, row.option, row.output, sink);
    }
    std::vector<std::uint32_t> copied;
    const std::uint32_t* pixels = PixelsOf(picture, copied);
    if (!pixels) return false;
    const int width = picture.Width();
    const int height = picture.Height();
    const auto pitch = static_cast<std::size_t>(width);
    const bool encoded = row.writer == PictureWriter::OwnPng
                             ? EncodePngInto(scratch, pixels, pitch, width, height, PngBandsFor(width, height))
                             : EncodeBmp24Into(scratch, pixels, pitch, width, height);
    return encoded && sink(scratch);
}

bool EncodeWithPlatformCodec(const Picture& picture, const CodecId& codec, const CodecOption& option,
                             CodecOutput output, const EncodedBytesSink& sink) {
    std::vector<std::uint32_t> copied;
    const std::uint32_t* pixels = PixelsOf(picture, copied);
    if (!pixels) return false;
    const auto width = static_cast<UINT>(picture.Width());
    const auto height = static_cast<UINT>(picture.Height());

    // COM starts here, not at the program's start: most runs never need it.
    const win32::ComApartment apartment;
    const ComFunctions com;
    if (!apartment.Usable() || !com.Loaded()) return false;
    UniqueCom<IWICImagingFactory> factory;
    UniqueCom<IStream> stream;
    UniqueCom<IWICBitmapEncoder> encoder;
    GUID container{codec.data1, codec.data2, codec.data3, {}};
    std::copy(codec.data4.begin(), codec.data4.end(), container.Data4);
    if (FAILED(com.createInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.Put()))) ||
        FAILED(com.createStream(nullptr, TRUE, stream.Put())) ||
        (output == CodecOutput::InOrder && !ReserveStream(*stream.get(), width, height)) ||
        FAILED(factory.get()->CreateEncoder(container, nullptr, encoder.Put())) ||
        FAILED(encoder.get()->Initialize(stream.get(), WICBitmapEncoderNoCache))) {
        return false;
    }
    const UniqueCom<IWICBitmapFrameEncode> frame = NewFrame(*encoder.get(), option, width, height);
    if (!frame || !WriteRows(*frame.get(), pixels, width, height) || FAILED(encoder.get()->Commit())) return false;
    return HandOver(com, *stream.get(), output, sink);
}

}  // namespace snapora
