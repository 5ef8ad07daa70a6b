#pragma once
// What is done with the active document's picture.
namespace snapora {

class Frame;

void ShowPageSetup(Frame& frame);
void PrintActiveDocument(Frame& frame);
void ShowActiveDocumentProperties(Frame& frame);
void CopyActiveDocument(Frame& frame);

}  // namespace snapora
