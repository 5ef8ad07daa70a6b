#pragma once
// The fixed text of the help window and the rule that lays out its text box.
// No window system needed.
#include <string>

namespace snapora {

// The whole help text: CR LF between lines and after the last one.
const std::wstring& HelpContentsText();

struct InsetBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A box that keeps `marginX` / `marginY` free on every side of a client area
// of `clientWidth` x `clientHeight`. When the area is too small for both
// margins (a minimised window has none at all) the box shrinks to nothing
// instead of getting a negative size.
InsetBox InsetWithMargins(int clientWidth, int clientHeight, int marginX, int marginY);

}  // namespace snapora
