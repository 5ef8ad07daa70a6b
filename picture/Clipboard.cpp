#include "picture/Clipboard.h"

#include "win32/Handle.h"

namespace snapora {

namespace {

// The clipboard must be open.
bool SetBitmapData(const Picture& picture) {
    win32::UniqueBitmap copy = picture.CopyForClipboard();
    if (!copy || !::SetClipboardData(CF_BITMAP, copy.get())) return false;
    // The clipboard owns the bitmap now.
    (void)copy.release();
    return true;
}

}  // namespace

bool PlacePictureOnClipboard(HWND clipboardOwner, const Picture& picture) {
    // The copy is made first, so a busy clipboard is held as briefly as
    // possible and a failed copy leaves the clipboard as it was.
    win32::UniqueBitmap copy = picture.CopyForClipboard();
    if (!copy) return false;
    // Opened with our window: the clipboard stays ours until it is closed,
    // and another program cannot slip something in between. Emptied first so
    // no earlier text or other format stays beside the picture and gets
    // pasted instead of it.
    win32::ClipboardLock clipboard(clipboardOwner);
    if (!clipboard.IsOpen() || !::EmptyClipboard()) return false;
    if (!::SetClipboardData(CF_BITMAP, copy.get())) return false;
    // The clipboard owns the bitmap now.
    (void)copy.release();
    return true;
}

bool ClipboardOffer::Offer(HWND owner, std::shared_ptr<const Picture> picture) {
    if (!picture || picture->Empty()) return false;
    win32::ClipboardLock clipboard(owner);
    // Emptying sends WM_DESTROYCLIPBOARD to the previous owner, which may be
    // us: the new offer is recorded only afterwards.
    if (!clipboard.IsOpen() || !::EmptyClipboard()) return false;
    offered_ = std::move(picture);
    ::SetClipboardData(CF_BITMAP, nullptr);
    return true;
}

void ClipboardOffer::Render(UINT format) const {
    if (format == CF_BITMAP && offered_) SetBitmapData(*offered_);
}

void ClipboardOffer::RenderAll(HWND owner) {
    if (!offered_) return;
    win32::ClipboardLock clipboard(owner);
    // Someone else may have taken the clipboard meanwhile.
    if (clipboard.IsOpen() && ::GetClipboardOwner() == owner) SetBitmapData(*offered_);
    offered_.reset();
}

}  // namespace snapora
