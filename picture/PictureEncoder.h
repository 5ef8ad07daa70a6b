#pragma once
// PNG and JPEG through the platform's own codecs (the Windows Imaging
// Component). COM is started on the calling thread for each encoding.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <span>

#include "picture/Picture.h"
#include "picture/logic/PictureFormat.h"

namespace snapora {

// Receives a complete encoded file; valid only during the call.
using EncodedBytesSink = std::function<bool(std::span<const std::uint8_t> file)>;

// Encodes the picture at full size as 24-bit PNG (what the program wrote
// before its own writer; the benchmark compares the two), or as JPEG of quality 90,
// in memory and hands the file to `sink`, returning what it returns. False
// without calling it for BMP (the program writes that itself), an empty
// picture, or any failure of the codec.
bool EncodeWithPlatformCodec(const Picture& picture, PictureFormat format, const EncodedBytesSink& sink);

}  // namespace snapora
