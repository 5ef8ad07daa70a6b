#include "documents/logic/CaptureNumbering.h"

namespace snapora {

std::wstring CaptureCaption(CaptureNumber number) { return L"截图" + std::to_wstring(number); }

}  // namespace snapora
