#include <windows.h>

#include <string>

#include "app/MainWindow.h"
#include "documents/DocumentWindow.h"
#include "output/OutputCommands.h"
#include "output/logic/PictureProperties.h"
#include "win32/Screen.h"

namespace snapora {

void ShowActiveDocumentProperties(MainWindow& main) {
    const DocumentWindow* document = main.ActiveDocument();
    if (!document) return;
    const Picture& picture = document->GetPicture();
    // The picture's own size, through HIMETRIC and back at the screen's
    // resolution, as a picture object reports it.
    const int dpiX = win32::ScreenDpiX();
    const int dpiY = win32::ScreenDpiY();
    const auto width = HimetricToPixels(PixelsToHimetric(picture.Width(), dpiX), dpiX);
    const auto height = HimetricToPixels(PixelsToHimetric(picture.Height(), dpiY), dpiY);

    const int length = ::GetWindowTextLengthW(document->Handle());
    std::wstring caption(static_cast<std::size_t>(length) + 1, L'\0');
    caption.resize(static_cast<std::size_t>(::GetWindowTextW(document->Handle(), caption.data(), length + 1)));

    const std::wstring message = PropertiesMessage(caption, width, height);
    ::MessageBoxW(main.Handle(), message.c_str(), kAppTitle, MB_ICONINFORMATION | MB_OK);
}

}  // namespace snapora
