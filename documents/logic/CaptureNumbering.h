#pragma once
// Numbers and captions of capture documents: 截图0, 截图1, ...
// The counter is 64-bit so it never runs out within a run.
#include <cstdint>
#include <string>

namespace snapora {

using CaptureNumber = std::uint64_t;

std::wstring CaptureCaption(CaptureNumber number);

}  // namespace snapora
