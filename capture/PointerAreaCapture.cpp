// Pointer-area capture: a live document that shows, twenty times a second,
// the area around the mouse pointer until the user confirms.
#include <cmath>
#include <string>

#include "app/MainWindow.h"
#include "app/resource.h"
#include "capture/CaptureCommands.h"
#include "capture/ScreenGrab.h"
#include "capture/logic/PointerArea.h"
#include "documents/CaptureDocuments.h"
#include "documents/DocumentWindow.h"
#include "win32/Screen.h"

namespace snapora {

namespace {

constexpr wchar_t kConfirmHint[] = L"(空格键或回车键确认)";

int AreaSide(double setting) { return static_cast<int>(std::lround(setting)); }

}  // namespace

void TogglePointerAreaCapture(MainWindow& main) {
    const bool on = main.ToggleTimedMode(ID_CAPTURE_POINTER_AREA, MainTimer::PointerArea);
    main.SetCaption(kAppTitle);
    if (!on) return;

    DocumentWindow* document = DocumentWindow::Create(main);
    if (!document) {
        // Without a preview there is nothing to confirm: back to off.
        TogglePointerAreaCapture(main);
        return;
    }
    SetCurrentDocument(document);
    const CaptureSettings& settings = main.Settings();
    const int width = AreaSide(settings.pointerAreaWidth);
    const int height = AreaSide(settings.pointerAreaHeight);
    document->SetSurfaceSize(width, height);
    const PixelSize outer = PointerPreviewOuterSize(width, height);
    document->SetOuterSize(outer.width, outer.height);
    ShowCaptureDocument(*document);
    main.SetCaption(std::wstring(kAppTitle) + kConfirmHint);
}

void PointerAreaCaptureTick(MainWindow& main) {
    if (!main.IsMenuChecked(ID_CAPTURE_POINTER_AREA)) {
        main.Timer(MainTimer::PointerArea).SetEnabled(false);
        return;
    }
    DocumentWindow* document = CurrentDocument();
    if (!document) {
        // The user closed the preview: the mode has nothing left to show.
        TogglePointerAreaCapture(main);
        return;
    }
    POINT pointer{};
    if (!::GetCursorPos(&pointer)) return;
    const CaptureSettings& settings = main.Settings();
    // The real size in pixels, whatever the DPI.
    const SIZE screen = win32::PrimaryScreenSize();
    const PixelPoint corner =
        PointerAreaCorner(pointer.x, pointer.y, settings.pointerAreaWidth, settings.pointerAreaHeight, screen.cx, screen.cy);
    // The block has the size of the document's surface, which is the area's
    // size unless a newer capture of another mode took over CurrentDocument.
    const SIZE surface = document->SurfaceSize();
    Picture picture = CaptureWindowArea(nullptr, true, corner.x, corner.y, surface.cx, surface.cy);
    if (!picture.Empty()) document->SetPicture(std::move(picture));
}

}  // namespace snapora
