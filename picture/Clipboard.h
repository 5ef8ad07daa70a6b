#pragma once
// Pictures on the clipboard, always as CF_BITMAP copies that the clipboard
// owns, replacing whatever it held.
#include <windows.h>

#include <memory>

#include "picture/Picture.h"

namespace snapora {

// Replaces the clipboard's content with a copy of the picture. False when
// the clipboard stayed busy or the copy could not be made; the clipboard
// then keeps what it had.
bool PlacePictureOnClipboard(HWND clipboardOwner, const Picture& picture);

// The same without handing the bitmap over at once: the clipboard is told
// a bitmap is there, and it is made only when a program asks for it.
// Putting a screen-sized bitmap on the clipboard otherwise costs more than
// grabbing the screen, and automatic capture does it at every tick. An
// offer belongs to one owner window, whose window procedure passes the
// clipboard's render messages to it.
class ClipboardOffer {
public:
    // Empties the clipboard and offers `picture` there. False when another
    // program kept the clipboard busy; the clipboard then keeps what it had.
    bool Offer(HWND owner, std::shared_ptr<const Picture> picture);
    // WM_RENDERFORMAT: a program wants the offered bitmap now.
    void Render(UINT format) const;
    // WM_RENDERALLFORMATS, and before the program ends: puts the offered
    // bitmap on the clipboard so it outlives the program.
    void RenderAll(HWND owner);
    // WM_DESTROYCLIPBOARD: the clipboard was emptied; the offer is over.
    void Forget() noexcept { offered_.reset(); }

private:
    std::shared_ptr<const Picture> offered_;
};

}  // namespace snapora
