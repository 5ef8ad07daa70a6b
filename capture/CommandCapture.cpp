#include "capture/CommandCapture.h"

#include <memory>
#include <optional>
#include <utility>

#include "capture/RectangleOverlay.h"
#include "capture/ScreenGrab.h"
#include "documents/CaptureDocuments.h"
#include "documents/DocumentWindow.h"
#include "frame/Frame.h"
#include "frame/Texts.h"
#include "picture/PictureFile.h"
#include "picture/Clipboard.h"
#include "win32/Screen.h"
#include "win32/Window.h"
#include "win32/WindowPlacement.h"

namespace snapora {

namespace {

constexpr wchar_t kClassName[] = L"SnaporaCommandCapture";
constexpr UINT_PTR kWaitTimer = 1;
constexpr UINT kSelectionEnded = WM_APP + 1;
// A hidden main window takes a moment to leave the screen; the menu's
// captures wait two or three 100 ms ticks.
constexpr int kHideWaitMs = 250;

std::wstring RectangleText(const CaptureRequest& request) {
    return std::to_wstring(request.left) + L" " + std::to_wstring(request.top) + L" " + std::to_wstring(request.width) +
           L" " + std::to_wstring(request.height);
}

// A message-only window that lives as long as one command: it owns the
// wait, and hears the overlay end.
class CommandCapture : public win32::WindowBase<CommandCapture, win32::WindowKind::TopLevel> {
public:
    static CommandCapture* Find() { return FromHandle(::FindWindowExW(HWND_MESSAGE, nullptr, kClassName, nullptr)); }

    static bool Start(Frame& frame, const CaptureRequest& request, CommandFinished finished) {
        win32::WindowClassOptions options;
        if (!win32::RegisterWindowClassOnce(frame.Instance(), kClassName, &Procedure, options)) return false;
        Owner self(new CommandCapture(frame, request, std::move(finished)));
        CommandCapture* command = FromHandle(::CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                                               nullptr, frame.Instance(), reinterpret_cast<void*>(Handover(self))));
        if (!command) return false;
        command->Begin();
        return true;
    }

private:
    friend class win32::WindowBase<CommandCapture, win32::WindowKind::TopLevel>;
    CommandCapture(Frame& frame, CaptureRequest request, CommandFinished finished)
        : frame_(frame), frameWindow_(frame.Handle()), request_(std::move(request)), finished_(std::move(finished)) {}

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_TIMER && wParam == kWaitTimer) {
            ::KillTimer(window_, kWaitTimer);
            Capture();
            return 0;
        }
        if (message == kSelectionEnded) {
            if (selected_) {
                Deliver(std::move(*selected_));
            } else {
                Finish({CommandOutcome::Cancelled, {}, false});
            }
            return 0;
        }
        return CallDefault(window_, message, wParam, lParam);
    }

    void Begin() {
        const bool hides = request_.kind == CommandCaptureKind::Screen || request_.kind == CommandCaptureKind::Region;
        hidMain_ = hides && ::IsWindowVisible(frameWindow_) && !::IsIconic(frameWindow_);
        if (hidMain_) ::ShowWindow(frameWindow_, SW_HIDE);
        const int wait = hidMain_ && request_.delayMs < kHideWaitMs ? kHideWaitMs : request_.delayMs;
        // Always from the message loop, even without a wait: the caller
        // hears of the end only after it has started the command.
        ::SetTimer(window_, kWaitTimer, static_cast<UINT>(wait), nullptr);
    }

    void Capture() {
        // The program may have been closed during the wait.
        if (!::IsWindow(frameWindow_)) return Finish({CommandOutcome::CaptureFailed, {}, false});
        switch (request_.kind) {
            case CommandCaptureKind::Screen: {
                const SIZE screen = win32::PrimaryScreenSize();
                return Deliver(GrabScreenArea(0, 0, screen.cx, screen.cy));
            }
            case CommandCaptureKind::Window: {
                WindowGrab grab = CaptureForegroundWindow();
                return Deliver(std::move(grab.picture), POINT{grab.origin.x, grab.origin.y});
            }
            case CommandCaptureKind::Rect:
                if (!RectangleWithin(request_, ::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN),
                                     ::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN))) {
                    return Finish({CommandOutcome::OutsideDesktop, RectangleText(request_), false});
                }
                return Deliver(GrabScreenArea(request_.left, request_.top, request_.width, request_.height),
                               POINT{request_.left, request_.top});
            case CommandCaptureKind::Region:
                return OpenOverlay();
        }
    }

    void OpenOverlay() {
        const HWND window = window_;
        // The overlay calls back while it closes; the picture is taken over
        // here and delivered from the message loop, once it is gone.
        const auto receiver = [window](Picture* selected) {
            if (CommandCapture* self = FromHandle(window)) {
                if (selected) self->selected_ = std::move(*selected);
                ::PostMessageW(window, kSelectionEnded, 0, 0);
            }
        };
        const PixelRect desktop = VirtualScreen(CurrentMonitors().monitors);
        if (!RectangleOverlay::Open(frame_, GrabScreenArea(desktop.left, desktop.top, desktop.Width(), desktop.Height()),
                                    desktop, receiver)) {
            Finish({CommandOutcome::CaptureFailed, {}, false});
        }
    }

    // `origin`: where the picture was on the screen, for a pin of its document.
    void Deliver(Picture picture, std::optional<POINT> origin = std::nullopt) {
        if (picture.Empty()) return Finish({CommandOutcome::CaptureFailed, {}, false});
        if (!request_.outPath.empty() &&
            !WritePictureFile(picture, request_.outPath, PictureFormatForFileName(request_.outPath))) {
            return Finish({CommandOutcome::CannotWrite, request_.outPath, false});
        }
        if (request_.clipboard) {
            auto offered = std::make_shared<const Picture>(std::move(picture));
            const ClipboardWrite write =
                frame_.Clipboard().Offer(frameWindow_, std::move(offered), ClipboardOffer::Bitmap::AtOnce);
            if (write.busy) return Finish({CommandOutcome::ClipboardBusy, write.holder, false});
            if (!write.placed) return Finish({CommandOutcome::CaptureFailed, {}, false});
        }
        if (!request_.outPath.empty() || request_.clipboard) return Finish({});
        const int width = picture.Width();
        const int height = picture.Height();
        const bool made = OpenCaptureDocument(frame_, std::move(picture), width, height, origin);
        Finish({made ? CommandOutcome::Success : CommandOutcome::CaptureFailed, {}, made});
    }

    void Finish(const CommandResult& result) {
        // A document brings the main window back itself.
        if (hidMain_ && !result.documentMade && ::IsWindow(frameWindow_)) win32::ShowHiddenWindowAgain(frameWindow_);
        const CommandFinished finished = std::move(finished_);
        // Gone before the caller hears of it: it may start the next command.
        ::DestroyWindow(window_);
        if (finished) finished(result);
    }

    Frame& frame_;
    HWND frameWindow_;
    CaptureRequest request_;
    CommandFinished finished_;
    bool hidMain_ = false;
    std::optional<Picture> selected_;
};

}  // namespace

bool StartCommandCapture(Frame& frame, const CaptureRequest& request, CommandFinished finished) {
    if (CommandCapture::Find() || RectangleOverlay::Find()) return false;
    return CommandCapture::Start(frame, request, std::move(finished));
}

std::wstring CommandReason(const CommandResult& result) {
    if (result.outcome == CommandOutcome::ClipboardBusy) return ClipboardBusyText(result.detail);
    const unsigned id = ReasonTextIdOf(result.outcome);
    return id ? FormatText(id, result.detail) : std::wstring();
}

}  // namespace snapora
