#pragma once
// The document workspace (the MDI client). It shows a scroll bar along an
// axis while some child window lies partly outside it, and scrolling moves
// the children. The workspace keeps these bars itself: the system's own
// MDI bars cost a redraw of both bars at every activation even while
// hidden, and some window systems never show them again once hidden.
#include <windows.h>

namespace snapora {

// Takes over the scroll bars of `mdiClient`, created without WS_HSCROLL
// and WS_VSCROLL. False when the client cannot be subclassed.
bool AttachWorkspaceScrolling(HWND mdiClient);

// What MDI child windows call instead of DefMDIChildProc, so the workspace
// hears when a child moves, changes size, shows, hides or goes.
LRESULT DefWorkspaceChildProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace snapora
