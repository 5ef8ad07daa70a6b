#pragma once
// The temporary file that a save writes in full before it replaces the
// target: beside the target, so the final move is a rename on one volume,
// and never with a longer path than the target's, so any target the file
// system accepts also accepts its temporary.
#include <cstdint>
#include <string>
#include <string_view>

namespace snapora {

// A path in the target's folder whose name is made from `seed` (callers
// vary it between attempts), at most 12 characters long and never longer
// than the target's name, and never the target itself. "" when the target
// has no name.
std::wstring TemporarySiblingPath(std::wstring_view targetPath, std::uint64_t seed);

}  // namespace snapora
