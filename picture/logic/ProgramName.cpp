#include "picture/logic/ProgramName.h"

namespace snapora {

std::wstring_view ExecutableFileName(std::wstring_view path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring_view::npos ? path : path.substr(slash + 1);
}

}  // namespace snapora
