#include "capture/ClipboardOffer.h"

#include "win32/Handle.h"

namespace snapora {

namespace {

std::shared_ptr<const Picture> offered;

bool SetBitmapData(const Picture& picture) {
    win32::UniqueBitmap copy = picture.CopyForClipboard();
    if (!copy || !::SetClipboardData(CF_BITMAP, copy.get())) return false;
    // The clipboard owns the bitmap now.
    (void)copy.release();
    return true;
}

}  // namespace

bool OfferPictureOnClipboard(HWND owner, std::shared_ptr<const Picture> picture) {
    if (!picture || picture->Empty()) return false;
    win32::ClipboardLock clipboard(owner);
    // Emptying sends WM_DESTROYCLIPBOARD to the previous owner, which may be
    // us: the new offer is recorded only afterwards.
    if (!clipboard.IsOpen() || !::EmptyClipboard()) return false;
    offered = std::move(picture);
    ::SetClipboardData(CF_BITMAP, nullptr);
    return true;
}

void RenderOfferedPicture(UINT format) {
    if (format == CF_BITMAP && offered) SetBitmapData(*offered);
}

void RenderAllOfferedPictures(HWND owner) {
    if (!offered) return;
    win32::ClipboardLock clipboard(owner);
    // Someone else may have taken the clipboard meanwhile.
    if (clipboard.IsOpen() && ::GetClipboardOwner() == owner) SetBitmapData(*offered);
    offered.reset();
}

void ForgetOfferedPicture() { offered.reset(); }

}  // namespace snapora
