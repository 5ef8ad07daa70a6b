#include "win32/Workspace.h"

#include "win32/Window.h"
#include "win32/logic/WorkspaceScroll.h"

namespace snapora {

namespace {

// Posted to the workspace when a child changed, so the children are
// measured once they have settled.
constexpr UINT kChildrenChanged = WM_APP + 0x57;
// WM_MDICALCCHILDSCROLL, which the system's MDI code posts to itself to set
// its own bars; not every SDK's headers name it.
constexpr UINT kMdiCalcChildScroll = 0x003F;

class Workspace {
public:
    explicit Workspace(HWND client) : client_(client) {}

    // The MDI client's user data, not a window property: the workspace is
    // looked up for every message, and under Wine a property is a round
    // trip to the window server.
    static Workspace* Of(HWND client) {
        return reinterpret_cast<Workspace*>(::GetWindowLongPtrW(client, GWLP_USERDATA));
    }
    static void SetOf(HWND client, Workspace* workspace) {
        ::SetWindowLongPtrW(client, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(workspace));
    }

    // The workspace's procedure in front of the system's MDI client. A plain
    // replacement of the window procedure: the common controls' subclassing
    // would load their DLL with the first window.
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
        auto* self = Of(window);
        if (!self) {
            // Not attached (any more): the MDI client's own procedure.
            const auto system = reinterpret_cast<WNDPROC>(::GetClassLongPtrW(window, GCLP_WNDPROC));
            return ::CallWindowProcW(system, window, message, wParam, lParam);
        }
        return win32::Guarded<LRESULT>(0, [&] { return self->Handle(message, wParam, lParam); });
    }

    bool Attach() {
        previous_ = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(client_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Workspace::Procedure)));
        return previous_ != nullptr;
    }

    LRESULT CallSystem(UINT message, WPARAM wParam, LPARAM lParam) const {
        return ::CallWindowProcW(previous_, client_, message, wParam, lParam);
    }

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case kMdiCalcChildScroll:
                return 0;  // every change it stands for has posted kChildrenChanged too
            case kChildrenChanged:
                updatePosted_ = false;
                UpdateScrollBars();
                return 0;
            case WM_SIZE: {
                const LRESULT result = CallSystem(message, wParam, lParam);
                UpdateScrollBars();
                return result;
            }
            case WM_HSCROLL:
            case WM_VSCROLL:
                OnScroll(message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
                return 0;
            case WM_NCDESTROY: {
                const HWND client = client_;
                const WNDPROC system = previous_;
                SetOf(client, nullptr);
                ::SetWindowLongPtrW(client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(system));
                delete this;
                return ::CallWindowProcW(system, client, message, wParam, lParam);
            }
            default:
                return CallSystem(message, wParam, lParam);
        }
    }

    // A drag moves a child many times before the workspace gets to run:
    // one measurement serves them all.
    void PostUpdate() {
        if (!updatePosted_) updatePosted_ = ::PostMessageW(client_, kChildrenChanged, 0, 0) != FALSE;
    }

private:
    struct Extent {
        bool any = false;
        bool maximized = false;
        RECT bounds{};
    };

    Extent MeasureChildren() const {
        Extent extent;
        for (HWND child = ::GetWindow(client_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (!::IsWindowVisible(child)) continue;
            if (::IsZoomed(child)) extent.maximized = true;
            RECT rect{};
            ::GetWindowRect(child, &rect);
            ::MapWindowPoints(nullptr, client_, reinterpret_cast<POINT*>(&rect), 2);
            if (extent.any) {
                ::UnionRect(&extent.bounds, &extent.bounds, &rect);
            } else {
                extent.bounds = rect;
                extent.any = true;
            }
        }
        return extent;
    }

    struct Axes {
        WorkspaceAxis horizontal;
        WorkspaceAxis vertical;
    };

    Axes Measure() const {
        RECT client{};
        ::GetClientRect(client_, &client);
        const Extent extent = MeasureChildren();
        // A maximised child fills the workspace: nothing lies outside.
        const bool any = extent.any && !extent.maximized;
        return {MeasureWorkspaceAxis(client.right, any, extent.bounds.left, extent.bounds.right),
                MeasureWorkspaceAxis(client.bottom, any, extent.bounds.top, extent.bounds.bottom)};
    }

    void SetBar(int bar, const WorkspaceAxis& axis) {
        SCROLLINFO info{sizeof(info)};
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        if (axis.Needed()) {
            info.nMin = axis.minimum;
            info.nMax = axis.maximum;
            info.nPage = static_cast<UINT>(axis.page);
        }
        // A range that fits the page hides the bar.
        ::SetScrollInfo(client_, bar, &info, TRUE);
    }

    void UpdateScrollBars() {
        if (updating_) return;
        updating_ = true;
        // Showing one bar narrows the client and may make the other needed:
        // measure again until nothing changes (at most twice more).
        for (int pass = 0; pass < 3; ++pass) {
            const LONG before = ::GetWindowLongW(client_, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL);
            const Axes axes = Measure();
            SetBar(SB_HORZ, axes.horizontal);
            SetBar(SB_VERT, axes.vertical);
            if ((::GetWindowLongW(client_, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) == before) break;
        }
        updating_ = false;
    }

    void OnScroll(int bar, WORD code, int messagePosition) {
        auto request = WorkspaceScrollRequest::LineBack;
        int position = 0;
        switch (code) {
            case SB_LINEUP: request = WorkspaceScrollRequest::LineBack; break;
            case SB_LINEDOWN: request = WorkspaceScrollRequest::LineForward; break;
            case SB_PAGEUP: request = WorkspaceScrollRequest::PageBack; break;
            case SB_PAGEDOWN: request = WorkspaceScrollRequest::PageForward; break;
            case SB_TOP: request = WorkspaceScrollRequest::ToStart; break;
            case SB_BOTTOM: request = WorkspaceScrollRequest::ToEnd; break;
            case SB_THUMBPOSITION: {
                // The range starts below 0 when a child lies beyond the left
                // or top edge, so the message's 16 bits are signed; while the
                // thumb is still being tracked the bar also knows the full
                // 32-bit position.
                SCROLLINFO info{sizeof(info), SIF_TRACKPOS | SIF_POS};
                const bool tracked = ::GetScrollInfo(client_, bar, &info) && info.nTrackPos != info.nPos;
                request = WorkspaceScrollRequest::ToPosition;
                position = tracked ? info.nTrackPos : messagePosition;
                break;
            }
            default:
                return;  // the thumb is moved on release only
        }
        const int line = ::GetSystemMetrics(bar == SB_HORZ ? SM_CXHSCROLL : SM_CYVSCROLL);
        const Axes axes = Measure();
        const int target = WorkspaceScrollTarget(bar == SB_HORZ ? axes.horizontal : axes.vertical, request, line, position);
        if (target == 0) return;
        ::ScrollWindowEx(client_, bar == SB_HORZ ? -target : 0, bar == SB_VERT ? -target : 0, nullptr, nullptr,
                         nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
        UpdateScrollBars();
    }

    HWND client_;
    WNDPROC previous_ = nullptr;
    bool updatePosted_ = false;
    bool updating_ = false;
};

}  // namespace

bool AttachWorkspaceScrolling(HWND mdiClient) {
    auto* workspace = new Workspace(mdiClient);
    Workspace::SetOf(mdiClient, workspace);
    if (Workspace::Of(mdiClient) != workspace || !workspace->Attach()) {
        Workspace::SetOf(mdiClient, nullptr);
        delete workspace;
        return false;
    }
    return true;
}

LRESULT DefWorkspaceChildProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_WINDOWPOSCHANGED || message == WM_DESTROY) {
        if (auto* workspace = Workspace::Of(::GetParent(child))) {
            workspace->PostUpdate();
        }
    }
    return ::DefMDIChildProcW(child, message, wParam, lParam);
}

}  // namespace snapora
