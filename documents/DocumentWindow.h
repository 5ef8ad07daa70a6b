#pragma once
// One picture document, an MDI child of the main window. Its picture
// surface sits at the top-left corner, has its own size in pixels and keeps
// the picture drawn on it.
#include <windows.h>

#include <memory>
#include <optional>

#include "documents/PictureOverlay.h"
#include "picture/Picture.h"
#include "win32/Window.h"

namespace snapora {

class Frame;

class DocumentWindow : public win32::WindowBase<DocumentWindow, win32::WindowKind::MdiChild> {
public:
    // Creates and loads a new document (visible, not yet captioned). Nullptr
    // when the window cannot be created.
    static DocumentWindow* Create(Frame& frame);

    // Unsaved: a new capture not yet written, or edits other than those
    // last saved.
    [[nodiscard]] bool IsDirty() const noexcept { return isDirty_ || (overlay_ && !overlay_->AtSaved()); }
    void SetDirty(bool dirty) noexcept { isDirty_ = dirty; }
    // Written to a file: no longer unsaved, and "另存为" is off while it is active.
    void MarkSaved();
    // The overlay changed what lies over the picture: the saved state and
    // the menus and tool bars follow.
    void NoteEdit();

    void SetOverlay(std::unique_ptr<PictureOverlay> overlay);
    [[nodiscard]] PictureOverlay* Overlay() const noexcept { return overlay_.get(); }

    [[nodiscard]] const Picture& GetPicture() const noexcept { return picture_; }
    // A new capture: whatever lay over the old picture goes with it.
    void SetPicture(Picture picture);
    // The same, handing back the picture shown until now.
    Picture ExchangePicture(Picture picture);
    // The overlay's own change of the picture (a crop, or the picture made
    // editable): the surface and the window take its size.
    void AdoptEditedPicture(Picture picture);
    // The picture as it leaves the document (files, clipboard, printer):
    // with everything drawn on it. `holder` keeps a flattened copy alive.
    [[nodiscard]] const Picture& OutputPicture(Picture& holder) const;
    void ClearPicture();
    [[nodiscard]] SIZE SurfaceSize() const noexcept { return surface_; }
    // Where the picture's top-left pixel was on the screen, for a capture
    // of a rectangle or a window; a pin of it goes there.
    [[nodiscard]] std::optional<POINT> ScreenOrigin() const noexcept { return screenOrigin_; }
    void SetScreenOrigin(POINT origin) noexcept { screenOrigin_ = origin; }
    void SetSurfaceSize(int width, int height);

    // Outer window size in pixels.
    void SetOuterSize(int width, int height);
    // Sizes the window so that its client area is exactly width x height
    // pixels, with the frame and caption the system draws at its DPI.
    void SetClientSize(int width, int height);
    void RestoreIfMaximized();

    // Closes the window; an unsaved document asks first. False when the
    // close was refused.
    bool Close();

private:
    friend class win32::WindowBase<DocumentWindow, win32::WindowKind::MdiChild>;
    explicit DocumentWindow(Frame& frame) : frame_(frame) {}

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void OnPaint();
    void PaintSurface(HDC dc, const RECT& area);
    void OnActivate(bool active);
    bool OnKeyDown(WPARAM key);
    void OnClose();
    void OnDestroy();
    void InvalidateSurface();
    bool DrawPictureNow();

    Frame& frame_;
    std::unique_ptr<PictureOverlay> overlay_;
    bool isDirty_ = true;
    Picture picture_;
    SIZE surface_{};
    std::optional<POINT> screenOrigin_;
};

}  // namespace snapora
