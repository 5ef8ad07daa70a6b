#include "picture/Clipboard.h"

#include <cstring>
#include <vector>

#include "picture/PictureEncoder.h"
#include "picture/logic/ProgramName.h"
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

// The clipboard must be open.
bool SetPngData(const Picture& picture) {
    HGLOBAL memory = nullptr;
    std::vector<std::uint8_t> scratch;
    const bool encoded = EncodePicture(picture, PictureFormat::Png, scratch, [&memory](std::span<const std::uint8_t> file) {
        memory = ::GlobalAlloc(GMEM_MOVEABLE, file.size());
        void* bytes = memory ? ::GlobalLock(memory) : nullptr;
        if (!bytes) return false;
        std::memcpy(bytes, file.data(), file.size());
        ::GlobalUnlock(memory);
        return true;
    });
    if (encoded && ::SetClipboardData(PngClipboardFormat(), memory)) return true;
    // Not handed over: still ours to free.
    if (memory) ::GlobalFree(memory);
    return false;
}

std::wstring ExecutableOfWindow(HWND window) {
    DWORD processId = 0;
    if (!::GetWindowThreadProcessId(window, &processId) || processId == 0) return {};
    const win32::UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return {};
    wchar_t path[MAX_PATH * 2]{};
    DWORD length = ARRAYSIZE(path);
    if (!::QueryFullProcessImageNameW(process.get(), 0, path, &length)) return {};
    return std::wstring(ExecutableFileName(std::wstring_view(path, length)));
}

// Who keeps the clipboard open, as the user would recognise it.
std::wstring ClipboardHolderName() {
    const HWND window = ::GetOpenClipboardWindow();
    if (!window) return {};
    std::wstring name = ExecutableOfWindow(window);
    if (!name.empty()) return name;
    wchar_t caption[256]{};
    ::GetWindowTextW(window, caption, ARRAYSIZE(caption));
    return caption;
}

}  // namespace

UINT PngClipboardFormat() { return ::RegisterClipboardFormatW(L"PNG"); }

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

ClipboardWrite ClipboardOffer::Offer(HWND owner, std::shared_ptr<const Picture> picture, Bitmap bitmap) {
    ClipboardWrite write;
    if (!picture || picture->Empty()) return write;
    win32::ClipboardLock clipboard(owner);
    if (!clipboard.IsOpen()) {
        write.busy = true;
        write.holder = ClipboardHolderName();
        return write;
    }
    // Emptying sends WM_DESTROYCLIPBOARD to the previous owner, which may be
    // us: the new offer is recorded only afterwards.
    if (!::EmptyClipboard()) return write;
    if (bitmap == Bitmap::AtOnce) {
        if (!SetBitmapData(*picture)) return write;
    } else {
        // A promise to render later: it succeeds without returning a handle,
        // so its result tells nothing.
        ::SetClipboardData(CF_BITMAP, nullptr);
    }
    offered_ = std::move(picture);
    bitmapRendered_ = bitmap == Bitmap::AtOnce;
    pngRendered_ = false;
    ::SetClipboardData(PngClipboardFormat(), nullptr);
    write.placed = true;
    return write;
}

void ClipboardOffer::Render(UINT format) {
    if (!offered_) return;
    if (format == CF_BITMAP && !bitmapRendered_) bitmapRendered_ = SetBitmapData(*offered_);
    if (format == PngClipboardFormat() && !pngRendered_) RenderPng();
}

void ClipboardOffer::RenderAll(HWND owner) {
    if (!offered_) return;
    win32::ClipboardLock clipboard(owner);
    // Someone else may have taken the clipboard meanwhile. Forms already
    // rendered are left as they are.
    if (clipboard.IsOpen() && ::GetClipboardOwner() == owner) {
        if (!bitmapRendered_) bitmapRendered_ = SetBitmapData(*offered_);
        if (!pngRendered_) RenderPng();
    }
    offered_.reset();
}

void ClipboardOffer::RenderPng() {
    pngRendered_ = SetPngData(*offered_);
    if (pngRendered_) ++pngRenders_;
}

}  // namespace snapora
