#pragma once
// The editor on a document of the screen's size: memory of 200 objects
// with their undo history, repaint per pointer move while dragging one of
// 500 objects, and flattening them against one PNG save; then what must
// stay responsive: a text of 10,000 characters, a freehand line of 100,000
// points and 10,000 objects.
namespace snapora::bench {

int RunEditor(int repetitions);

}  // namespace snapora::bench
