#pragma once
// What the features see of the main window: a narrow interface, so that
// capture, documents, output, settings and help never know the concrete
// frame and the frame alone knows them all. It names nothing above its own
// floor.
#include <windows.h>

#include <string>

#include "frame/logic/Hotkey.h"

namespace snapora {

class ClipboardOffer;
struct CaptureDocumentState;
struct CaptureSettings;

class Frame {
public:
    [[nodiscard]] virtual HWND Handle() const noexcept = 0;
    [[nodiscard]] virtual HWND MdiClient() const noexcept = 0;
    [[nodiscard]] virtual HINSTANCE Instance() const noexcept = 0;
    // The active MDI child (a document or the help window), or nullptr.
    [[nodiscard]] virtual HWND ActiveChild() const = 0;

    virtual void SetCaption(const std::wstring& caption) = 0;
    // The first status panel; an empty text puts the version back.
    virtual void SetStatusText(const std::wstring& text) = 0;

    virtual CaptureSettings& Settings() noexcept = 0;
    virtual CaptureDocumentState& Captures() noexcept = 0;
    // Per capture key: false while another program holds it, as found the
    // last time the keys were registered.
    [[nodiscard]] virtual const HotkeyAvailability& KeysAvailable() const noexcept = 0;
    // The program's one offer on the clipboard: the frame's window owns the
    // clipboard and renders the formats offered for later.
    virtual ClipboardOffer& Clipboard() noexcept = 0;
    // True while a running capture shows its progress in the first status
    // panel; other messages then leave the panel alone.
    [[nodiscard]] virtual bool StatusShowsProgress() const = 0;

    // Menus and toolbar show what the program is doing; call this after
    // changing it outside a command or tick (which refresh by themselves).
    virtual void RefreshUi() = 0;

    // A new document window exists: the frame adds what features lay over it.
    virtual void DocumentCreated(HWND document) = 0;

    // Runs a command by its id, as the menu and toolbar do.
    virtual void Execute(UINT commandId) = 0;

protected:
    Frame() = default;
    ~Frame() = default;
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;
};

}  // namespace snapora
