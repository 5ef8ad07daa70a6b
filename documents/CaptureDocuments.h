#pragma once
// Showing a new capture document, and the document the capture modes last
// opened.
#include <windows.h>

#include <optional>

#include "documents/logic/CaptureNumbering.h"
#include "picture/Picture.h"

namespace snapora {

class DocumentWindow;
class Frame;

// Opens a new capture document holding `picture` on a surface of the given
// size, and makes it the current one; `screenOrigin` is where the picture
// was on the screen, when that says anything (a rectangle or a window). False
// when no document could be made; the main window is then left as it is.
bool OpenCaptureDocument(Frame& frame, Picture picture, int surfaceWidth, int surfaceHeight,
                         std::optional<POINT> screenOrigin = std::nullopt);

// Captions the document "截图" + the run's capture count, counts it and
// shows it as the active child; a main window hidden by a capture comes
// back with it.
void ShowCaptureDocument(Frame& frame, DocumentWindow& document);

// The document most recently created by a capture mode, or nullptr once
// that window has closed.
DocumentWindow* CurrentDocument(Frame& frame);
void SetCurrentDocument(Frame& frame, const DocumentWindow* document);

}  // namespace snapora
