#include "picture/PictureEncoder.h"

#include <objidl.h>
#include <wincodec.h>

#include <algorithm>
#include <string>
#include <vector>

#include "win32/Handle.h"

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
    VARIANT value;
    ::VariantInit(&value);
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

// The bytes the codec wrote: from the start up to where it stopped, or, for
// a codec that goes back to fill in what it wrote earlier, the whole stream
// (which was then not reserved beyond what it wrote).
bool HandOver(IStream& stream, CodecOutput output, const EncodedBytesSink& sink) {
    LARGE_INTEGER none{};
    ULARGE_INTEGER end{};
    HGLOBAL memory = nullptr;
    const DWORD from = output == CodecOutput::InOrder ? STREAM_SEEK_CUR : STREAM_SEEK_END;
    if (FAILED(stream.Seek(none, from, &end)) || end.QuadPart == 0 ||
        FAILED(::GetHGlobalFromStream(&stream, &memory))) {
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
    const PictureFormatRow& row = PictureFormatRowOf(format);
    if (row.writer != PictureWriter::PlatformCodec || picture.Empty() || picture.Width() <= 0 ||
        picture.Height() <= 0) {
        return false;
    }
    const auto width = static_cast<UINT>(picture.Width());
    const auto height = static_cast<UINT>(picture.Height());
    std::vector<std::uint32_t> copied;
    const std::uint32_t* pixels = picture.DirectPixels();
    if (!pixels) {
        copied = picture.ReadPixels();
        if (copied.empty()) return false;
        pixels = copied.data();
    }

    UniqueCom<IWICImagingFactory> factory;
    UniqueCom<IStream> stream;
    UniqueCom<IWICBitmapEncoder> encoder;
    GUID container{row.codec.data1, row.codec.data2, row.codec.data3, {}};
    std::copy(row.codec.data4.begin(), row.codec.data4.end(), container.Data4);
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.Put()))) ||
        FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, stream.Put())) ||
        (row.output == CodecOutput::InOrder && !ReserveStream(*stream.get(), width, height)) ||
        FAILED(factory.get()->CreateEncoder(container, nullptr, encoder.Put())) ||
        FAILED(encoder.get()->Initialize(stream.get(), WICBitmapEncoderNoCache))) {
        return false;
    }
    const UniqueCom<IWICBitmapFrameEncode> frame = NewFrame(*encoder.get(), row.option, width, height);
    if (!frame || !WriteRows(*frame.get(), pixels, width, height) || FAILED(encoder.get()->Commit())) return false;
    return HandOver(*stream.get(), row.output, sink);
}

}  // namespace snapora
