#pragma once
// A picture encoded in memory in any format of the table, by the writer
// its row names: the program's own BMP and PNG writers, or a platform
// codec (the Windows Imaging Component), for which COM is started on the
// calling thread at each encoding.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "picture/Picture.h"
#include "picture/logic/PictureFormat.h"

namespace snapora {

// Receives a complete encoded file; valid only during the call.
using EncodedBytesSink = std::function<bool(std::span<const std::uint8_t> file)>;

// Encodes the picture at full size in `format` and hands the file to
// `sink`, returning what it returns. The program's own writers encode into
// `scratch`, whose memory a caller that encodes every tick keeps. False
// without calling the sink for an empty picture or any failure to encode.
bool EncodePicture(const Picture& picture, PictureFormat format, std::vector<std::uint8_t>& scratch,
                   const EncodedBytesSink& sink);

// The same through a platform codec, given by its container, with one
// option, as 24 bits per pixel (the benchmark also compares the program's
// own writers with the codecs).
bool EncodeWithPlatformCodec(const Picture& picture, const CodecId& container, const CodecOption& option,
                             CodecOutput output, const EncodedBytesSink& sink);

}  // namespace snapora
