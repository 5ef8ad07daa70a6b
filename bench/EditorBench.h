#pragma once
// The editor on a document of the screen's size: memory of 200 objects
// with their undo history, repaint per pointer move while dragging one of
// 500 objects, and flattening them against one PNG save.
namespace snapora::bench {

int RunEditor(int repetitions);

}  // namespace snapora::bench
