#pragma once
// What a document window lets a feature lay over its picture (the editor
// does): it sees the document's messages first (mouse, keys, its child
// windows' notifications), paints the surface, keeps its own saved state
// and gives the picture as it leaves the document. The document knows
// nothing else of it.
#include <windows.h>

#include "picture/Picture.h"

namespace snapora {

class PictureOverlay {
public:
    virtual ~PictureOverlay() = default;

    // Before the document's own handling; true when the overlay took the
    // message, with its result in `result`.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
    // Paints `area` of the surface (client pixels, the picture at 0,0).
    virtual void Paint(HDC dc, const RECT& area) = 0;
    // The picture with everything drawn on it, at the picture's own size;
    // an empty picture when nothing is drawn on it.
    [[nodiscard]] virtual Picture Flatten() const = 0;
    // A new capture replaced the picture: what lay over the old one goes.
    virtual void PictureReplaced() = 0;
    // Whether what lies over the picture is as it was last saved.
    [[nodiscard]] virtual bool AtSaved() const = 0;
    virtual void MarkSaved() = 0;
};

}  // namespace snapora
