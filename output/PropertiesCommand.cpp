#include <windows.h>

#include <string>

#include "documents/DocumentWindow.h"
#include "frame/Frame.h"
#include "frame/Texts.h"
#include "output/OutputCommands.h"
#include "output/logic/PictureProperties.h"
#include "win32/Screen.h"
#include "win32/WindowPlacement.h"

namespace snapora {

void ShowActiveDocumentProperties(Frame& frame) {
    const DocumentWindow* document = DocumentWindow::FromHandle(frame.ActiveChild());
    if (!document) return;
    const Picture& picture = document->GetPicture();
    // The picture's own size, through HIMETRIC and back at the screen's
    // resolution, as a picture object reports it.
    const int dpiX = win32::ScreenDpiX();
    const int dpiY = win32::ScreenDpiY();
    const auto width = HimetricToPixels(PixelsToHimetric(picture.Width(), dpiX), dpiX);
    const auto height = HimetricToPixels(PixelsToHimetric(picture.Height(), dpiY), dpiY);
    const std::wstring message = PropertiesMessage(win32::WindowText(document->Handle()), width, height);
    ShowMessage(frame.Handle(), message);
}

}  // namespace snapora
