#pragma once
// The platform's current printer as a drawing surface for one document.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "picture/Picture.h"
#include "output/logic/PrintLayout.h"
#include "win32/Handle.h"

namespace snapora {

class CurrentPrinter {
public:
    // Opens the default printer with its current settings; IsOpen() is
    // false when there is none or it cannot be used. `started`, when given,
    // runs once the job has started: where a printer whose port asks for a
    // file name has run its dialog and message loop (tests act there).
    explicit CurrentPrinter(std::wstring jobName, std::function<void()> started = {});
    // A document that was started but not ended is abandoned, so nothing
    // half-drawn reaches the printer.
    ~CurrentPrinter();
    CurrentPrinter(const CurrentPrinter&) = delete;
    CurrentPrinter& operator=(const CurrentPrinter&) = delete;

    [[nodiscard]] bool IsOpen() const noexcept { return static_cast<bool>(dc_); }
    [[nodiscard]] HDC Dc() const noexcept { return dc_.get(); }

    // Before the job starts: the page that follows takes it. Once it has
    // started, only the orientation it already has is accepted.
    bool SetOrientation(PageOrientation orientation);
    // Starts the job and its page, once. Starting may run a message loop.
    bool StartPage();
    // The printable area in the printer's own units, with its resolution.
    [[nodiscard]] DeviceExtent PrintableArea() const;
    // Paints the picture stretched into the rectangle, measured from the
    // printable area's top-left corner, on the page StartPage began.
    bool PaintPicture(const Picture& picture, int x, int y, int width, int height);
    // Ends the page and the document, sending it to the printer.
    bool EndDoc();

private:
    std::wstring jobName_;
    std::function<void()> started_;
    std::wstring printerName_;
    std::vector<BYTE> devMode_;
    win32::UniqueMemoryDc dc_;
    bool docStarted_ = false;
    bool pageStarted_ = false;
};

// Sets the printer's orientation by the picture's shape and paints it
// scaled to fill the printable width or height, at the area's top-left
// corner. Does not end the document. False when nothing could be painted.
bool PrintPictureToFitPage(CurrentPrinter& printer, const Picture& picture);

// Prints the document's picture on one page, fitted as above, with `owner`
// disabled for the whole job as under a modal dialog. False when nothing
// was printed (the document gone or emptied meanwhile included).
bool PrintDocument(HWND owner, HWND document, std::function<void()> started = {});

}  // namespace snapora
