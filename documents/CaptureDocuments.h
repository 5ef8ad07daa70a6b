#pragma once
// The program-wide capture counter and the document the capture modes last
// opened.
#include "documents/logic/CaptureNumbering.h"

namespace snapora {

class DocumentWindow;

void ResetCaptureCount();
CaptureNumber CaptureCount();

// Captions the document "截图" + CaptureCount, counts it and shows it as the
// active child; a main window hidden by a capture comes back with it.
void ShowCaptureDocument(DocumentWindow& document);

// The document most recently created by a capture mode, or nullptr once
// that window has closed.
DocumentWindow* CurrentDocument();
void SetCurrentDocument(DocumentWindow* document);
// Called by a closing document so nothing keeps pointing at it.
void ForgetDocument(const DocumentWindow* document);

}  // namespace snapora
