#pragma once
// Scroll bars of the document workspace along one axis. Documents keep
// their places in client coordinates; the view always starts at 0, so the
// range reaches out to wherever documents lie beyond either edge, and
// scrolling moves the documents rather than the view.
namespace snapora {

struct WorkspaceAxis {
    int minimum = 0;  // first coordinate the range covers
    int maximum = 0;  // last coordinate the range covers
    int page = 0;     // visible length
    // Whether some document lies partly outside: only then the bar shows.
    [[nodiscard]] bool Needed() const noexcept;
    // The highest position the view can start at.
    [[nodiscard]] int LastPosition() const noexcept;
};

// The axis for a client `clientLength` long and documents spanning
// [low, high) along it; `hasDocuments` false ignores low and high.
WorkspaceAxis MeasureWorkspaceAxis(int clientLength, bool hasDocuments, int low, int high) noexcept;

enum class WorkspaceScrollRequest { LineBack, LineForward, PageBack, PageForward, ToStart, ToEnd, ToPosition };

// Where the view should start after `request`, from 0, kept within the
// range. `line` is one line step; `position` is used by ToPosition.
int WorkspaceScrollTarget(const WorkspaceAxis& axis, WorkspaceScrollRequest request, int line, int position) noexcept;

}  // namespace snapora
