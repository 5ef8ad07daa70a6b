#pragma once
// The formats whose row names a platform codec (the Windows Imaging
// Component). COM must be initialised on the calling thread.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <span>

#include "picture/Picture.h"
#include "picture/logic/PictureFormat.h"

namespace snapora {

// Receives a complete encoded file; valid only during the call.
using EncodedBytesSink = std::function<bool(std::span<const std::uint8_t> file)>;

// Encodes the picture at full size as 24 bits per pixel with the codec and
// option of the format's row, in memory, and hands the file to `sink`,
// returning what it returns. False without calling it for a format the
// program writes itself, an empty picture, or any failure of the codec.
bool EncodeWithPlatformCodec(const Picture& picture, PictureFormat format, const EncodedBytesSink& sink);

}  // namespace snapora
