#pragma once
// The picture formats: the automatic tick in BMP and PNG on a desktop-like
// screen, and the bytes each format takes for it and for noise.
#include <windows.h>

#include <string>

#include "picture/Picture.h"

namespace snapora::bench {

//   snapora_bench formats <repetitions>
int RunFormats(int repetitions);

//   snapora_bench show <folder>: shows the desktop-like screen, writes
//   <folder>\showing once it is up and ends when <folder>\stop appears, so
//   the peer tools can take the same screen.
int RunShow(const std::wstring& folder);

// A topmost window showing `picture` with its top-left corner at `at`,
// shown and painted before this returns; the picture must outlive it.
HWND ShowPictureAt(const Picture& picture, POINT at);

}  // namespace snapora::bench
