#include "win32/logic/WorkspaceScroll.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace snapora {

namespace {

int ClampToInt(std::int64_t value) noexcept {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                      std::numeric_limits<int>::max()));
}

}  // namespace

bool WorkspaceAxis::Needed() const noexcept {
    return static_cast<std::int64_t>(maximum) - minimum + 1 > page;
}

int WorkspaceAxis::LastPosition() const noexcept {
    return ClampToInt(std::max<std::int64_t>(minimum, static_cast<std::int64_t>(maximum) - page + 1));
}

WorkspaceAxis MeasureWorkspaceAxis(int clientLength, bool hasDocuments, int low, int high) noexcept {
    WorkspaceAxis axis;
    axis.page = std::max(clientLength, 0);
    std::int64_t first = 0;
    std::int64_t end = axis.page;
    if (hasDocuments && high > low) {
        first = std::min<std::int64_t>(first, low);
        end = std::max<std::int64_t>(end, high);
    }
    axis.minimum = ClampToInt(first);
    // A client of no size and no document leave an empty range: maximum
    // then lies one below minimum.
    axis.maximum = ClampToInt(end - 1);
    return axis;
}

int WorkspaceScrollTarget(const WorkspaceAxis& axis, WorkspaceScrollRequest request, int line, int position) noexcept {
    std::int64_t target = 0;
    switch (request) {
        case WorkspaceScrollRequest::LineBack: target = -static_cast<std::int64_t>(line); break;
        case WorkspaceScrollRequest::LineForward: target = line; break;
        case WorkspaceScrollRequest::PageBack: target = -static_cast<std::int64_t>(axis.page); break;
        case WorkspaceScrollRequest::PageForward: target = axis.page; break;
        case WorkspaceScrollRequest::ToStart: target = axis.minimum; break;
        case WorkspaceScrollRequest::ToEnd: target = axis.LastPosition(); break;
        case WorkspaceScrollRequest::ToPosition: target = position; break;
    }
    return ClampToInt(std::clamp<std::int64_t>(target, std::min(axis.minimum, 0), std::max(axis.LastPosition(), 0)));
}

}  // namespace snapora
