#pragma once
// The arithmetic and the file names of automatic capture.
#include <string>
#include <string_view>
#include <vector>

#include "picture/logic/PictureFormat.h"

namespace snapora {

// True when tick number `tick` of a run comes after the run's last
// picture: the run holds every tick up to duration / period, compared
// unrounded, so a duration shorter than one period holds none.
bool AutomaticRunEnds(double durationSeconds, unsigned periodMs, int tick);

// The folder `name` directly below `parent`, with exactly one separator
// even when `parent` is a root folder such as "C:\".
std::wstring AutomaticFolderPath(const std::wstring& parent, const std::wstring& name);

// The sub-folders a prefix such as "day1\shot" names inside the run's
// folder, outermost first ("a\b\shot" gives "a" and "a\b"), made before
// each picture just as the folder itself is. Nothing for a plain prefix.
std::vector<std::wstring> PrefixSubfolders(std::wstring_view prefix);

// folder\<prefix><tick> and the format's extension (.bmp, .png).
std::wstring AutomaticPicturePath(const std::wstring& folder, const std::wstring& prefix, int tick,
                                  PictureFormat format);

}  // namespace snapora
