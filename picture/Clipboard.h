#pragma once
// Pictures on the clipboard, replacing whatever it held, in the forms other
// programs paste: the bitmap (from which the system makes CF_DIB and
// CF_DIBV5) and PNG under the registered name "PNG", which browsers, office
// and chat programs prefer.
#include <windows.h>

#include <memory>
#include <string>

#include "picture/Picture.h"

namespace snapora {

// Replaces the clipboard's content with a copy of the picture as CF_BITMAP
// alone. False when the clipboard stayed busy or the copy could not be
// made; the clipboard then keeps what it had.
bool PlacePictureOnClipboard(HWND clipboardOwner, const Picture& picture);

// What became of putting a picture on the clipboard.
struct ClipboardWrite {
    bool placed = false;
    // Another program kept the clipboard open through every retry; nothing
    // changed there.
    bool busy = false;
    // That program as the user knows it: its executable's file name, else
    // its window's caption; "" when neither could be found.
    std::wstring holder;
};

// A picture offered on the clipboard. PNG is made only when a program asks
// for it: encoding costs more than grabbing the screen, automatic capture
// offers a screen at every tick, and most copies are pasted as a bitmap or
// not at all. The bitmap is handed over at once or also only when asked.
// An offer belongs to one owner window, whose window procedure passes the
// clipboard's render messages to it.
class ClipboardOffer {
public:
    enum class Bitmap { AtOnce, WhenAsked };

    // Empties the clipboard and offers `picture` there. When another program
    // keeps the clipboard busy, it keeps what it had and the result names
    // that program.
    ClipboardWrite Offer(HWND owner, std::shared_ptr<const Picture> picture, Bitmap bitmap);
    // WM_RENDERFORMAT: a program wants one of the offered forms now.
    void Render(UINT format);
    // WM_RENDERALLFORMATS, and before the program ends: puts every offered
    // form on the clipboard so the picture outlives the program.
    void RenderAll(HWND owner);
    // WM_DESTROYCLIPBOARD: the clipboard was emptied; the offer is over.
    void Forget() noexcept { offered_.reset(); }

    // How many PNG files were made for pasting, so far.
    [[nodiscard]] int PngRenders() const noexcept { return pngRenders_; }

private:
    void RenderPng();

    std::shared_ptr<const Picture> offered_;
    bool bitmapRendered_ = false;
    bool pngRendered_ = false;
    int pngRenders_ = 0;
};

// The clipboard format id of "PNG".
UINT PngClipboardFormat();

}  // namespace snapora
