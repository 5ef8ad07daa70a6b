#include "picture/PictureEncoder.h"

#include <objidl.h>
#include <wincodec.h>

#include <vector>

#include "win32/ComApartment.h"
#include "win32/Handle.h"
#include "win32/SystemLibrary.h"

namespace snapora {
namespace {

using win32::UniqueCom;

constexpr float kJpegQuality = 0.9f;
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

bool SetOption(IPropertyBag2& options, const wchar_t* option, const VARIANT& value) {
    PROPBAG2 name{};
    name.pstrName = const_cast<LPOLESTR>(option);
    return SUCCEEDED(options.Write(1, &name, const_cast<VARIANT*>(&value)));
}

// JPEG at quality 90. PNG rows unfiltered: screens are flat areas and
// sharp text, which the filters only make harder to compress; a 1080p
// desktop came out a third smaller and a third faster than with the
// codec's adaptive choice (noise is the same either way).
bool SetEncoderOptions(IPropertyBag2& options, PictureFormat format) {
    VARIANT value{};  // VT_EMPTY, as VariantInit makes it
    if (format == PictureFormat::Jpeg) {
        value.vt = VT_R4;
        value.fltVal = kJpegQuality;
        return SetOption(options, L"ImageQuality", value);
    }
    value.vt = VT_UI1;
    value.bVal = static_cast<BYTE>(WICPngFilterNone);
    return SetOption(options, L"FilterOption", value);
}

UniqueCom<IWICBitmapFrameEncode> NewFrame(IWICBitmapEncoder& encoder, PictureFormat format, UINT width, UINT height) {
    UniqueCom<IWICBitmapFrameEncode> frame;
    UniqueCom<IPropertyBag2> options;
    if (FAILED(encoder.CreateNewFrame(frame.Put(), options.Put()))) return {};
    if (!options || !SetEncoderOptions(*options.get(), format)) return {};
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

// The bytes the codec wrote: from the start up to where it stopped.
bool HandOver(const ComFunctions& com, IStream& stream, const EncodedBytesSink& sink) {
    LARGE_INTEGER none{};
    ULARGE_INTEGER end{};
    HGLOBAL memory = nullptr;
    if (FAILED(stream.Seek(none, STREAM_SEEK_CUR, &end)) || end.QuadPart == 0 ||
        FAILED(com.streamMemory(&stream, &memory))) {
        return false;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(::GlobalLock(memory));
    if (!bytes) return false;
    const bool kept = sink(std::span<const std::uint8_t>(bytes, static_cast<std::size_t>(end.QuadPart)));
    ::GlobalUnlock(memory);
    return kept;
}

}  // namespace

bool EncodeWithPlatformCodec(const Picture& picture, PictureFormat format, const EncodedBytesSink& sink) {
    if (format == PictureFormat::Bmp || picture.Empty() || picture.Width() <= 0 || picture.Height() <= 0) return false;
    const auto width = static_cast<UINT>(picture.Width());
    const auto height = static_cast<UINT>(picture.Height());
    std::vector<std::uint32_t> copied;
    const std::uint32_t* pixels = picture.DirectPixels();
    if (!pixels) {
        copied = picture.ReadPixels();
        if (copied.empty()) return false;
        pixels = copied.data();
    }

    // COM starts here, not at the program's start: most runs never need it.
    const win32::ComApartment apartment;
    const ComFunctions com;
    if (!apartment.Usable() || !com.Loaded()) return false;
    UniqueCom<IWICImagingFactory> factory;
    UniqueCom<IStream> stream;
    UniqueCom<IWICBitmapEncoder> encoder;
    const GUID container = format == PictureFormat::Png ? GUID_ContainerFormatPng : GUID_ContainerFormatJpeg;
    if (FAILED(com.createInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.Put()))) ||
        FAILED(com.createStream(nullptr, TRUE, stream.Put())) || !ReserveStream(*stream.get(), width, height) ||
        FAILED(factory.get()->CreateEncoder(container, nullptr, encoder.Put())) ||
        FAILED(encoder.get()->Initialize(stream.get(), WICBitmapEncoderNoCache))) {
        return false;
    }
    const UniqueCom<IWICBitmapFrameEncode> frame = NewFrame(*encoder.get(), format, width, height);
    if (!frame || !WriteRows(*frame.get(), pixels, width, height) || FAILED(encoder.get()->Commit())) return false;
    return HandOver(com, *stream.get(), sink);
}

}  // namespace snapora
