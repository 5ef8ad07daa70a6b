#include "editor/DocumentEditor.h"

#include <cstdlib>

#include "documents/DocumentWindow.h"
#include "editor/EditorResource.h"
#include "editor/GdiCanvas.h"
#include "editor/logic/DrawingChoices.h"
#include "editor/logic/TextShapes.h"
#include "editor/logic/Tools.h"
#include "frame/Frame.h"
#include "frame/Texts.h"
#include "frame/logic/CaptureSettings.h"

namespace snapora {

using editor::ToolKind;

namespace {

constexpr int kHitTolerance = 3;
constexpr int kHandleSize = 7;

PixelRect ToRect(const RECT& r) { return PixelRect{r.left, r.top, r.right, r.bottom}; }

PixelPoint PointerAt(LPARAM lParam) {
    return PixelPoint{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

DocumentEditor::DocumentEditor(Frame& frame, DrawingChoices& choices, HWND document)
    : frame_(frame), choices_(choices), document_(document), drawing_(*this) {}

DocumentEditor::~DocumentEditor() = default;

DocumentEditor* DocumentEditor::Of(HWND document) {
    const DocumentWindow* window = DocumentWindow::FromHandle(document);
    return window ? dynamic_cast<DocumentEditor*>(window->Overlay()) : nullptr;
}

DocumentWindow* DocumentEditor::Document() const { return DocumentWindow::FromHandle(document_); }

editor::Style DocumentEditor::ChosenStyle() const { return editor::StyleOf(frame_.Settings().drawing); }

editor::ImageView DocumentEditor::View() const {
    const DocumentWindow* document = Document();
    if (!document) return {};
    const Picture& picture = document->GetPicture();
    const std::uint32_t* pixels = picture.DirectPixels();
    return pixels ? editor::ImageView{picture.Width(), picture.Height(), pixels} : editor::ImageView{};
}

bool DocumentEditor::Replace(int width, int height, const std::function<void(std::uint32_t*)>& fill) {
    DocumentWindow* document = Document();
    Picture next = Picture::CreateBlank(width, height);
    if (!document || next.Empty()) return false;
    fill(next.MutablePixels());
    document->AdoptEditedPicture(std::move(next));
    return true;
}

bool DocumentEditor::EnsureEditable() {
    DocumentWindow* document = Document();
    if (!document || document->GetPicture().Empty()) return false;
    if (View().pixels) return true;
    // Edits work on a 32-bit picture of our own; a grab already is one.
    const Picture& picture = document->GetPicture();
    Picture own = picture.CopyArea(0, 0, picture.Width(), picture.Height());
    if (own.Empty()) return false;
    document->AdoptEditedPicture(std::move(own));
    return View().pixels != nullptr;
}

bool DocumentEditor::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_LBUTTONDOWN:
            OnButtonDown(PointerAt(lParam));
            return true;
        case WM_MOUSEMOVE:
            OnPointerMove(PointerAt(lParam));
            return gesture_ != Gesture::None;
        case WM_LBUTTONUP:
            OnButtonUp(PointerAt(lParam));
            return true;
        case WM_LBUTTONDBLCLK:
            // A double click applies a crop; for every other tool it is a
            // second click, such as the next numbered marker.
            if (choices_.tool == ToolKind::Crop) {
                ApplyCrop();
            } else {
                OnButtonDown(PointerAt(lParam));
            }
            return true;
        case WM_CAPTURECHANGED:
            if (gesture_ != Gesture::None && reinterpret_cast<HWND>(lParam) != document_) EndGesture();
            return false;
        case WM_KEYDOWN:
            return OnKey(wParam);
        case WM_CTLCOLOREDIT:
            if (reinterpret_cast<HWND>(lParam) != text_.Box()) return false;
            result = text_.Colours(reinterpret_cast<HDC>(wParam));
            return true;
        case WM_COMMAND:
            if (reinterpret_cast<HWND>(lParam) != text_.Box() || !text_.IsOpen()) return false;
            if (HIWORD(wParam) == EN_CHANGE) text_.Fit();
            if (HIWORD(wParam) == EN_KILLFOCUS) ::PostMessageW(document_, kEndTextMessage, 0, 0);
            return true;
        case kEndTextMessage:
            FinishText();
            return true;
        case WM_DESTROY:
            text_.Close();
            return false;
        default:
            return false;
    }
}

void DocumentEditor::OnButtonDown(PixelPoint at) {
    if (text_.IsOpen()) {
        // A click outside the box ends the text and nothing else.
        FinishText();
        return;
    }
    EndGesture();
    if (!EnsureEditable()) return;
    ::SetFocus(document_);
    const DrawingChoices& choices = choices_;
    const editor::Style style = ChosenStyle();
    start_ = last_ = at;
    if (choices.tool == ToolKind::Select) {
        StartSelectGesture(at);
    } else if (choices.tool == ToolKind::Crop) {
        gesture_ = Gesture::Cropping;
        Invalidate(crop_);
        crop_ = PixelRect{};
    } else if (choices.tool == ToolKind::Text) {
        text_.Open(document_, at, style.textSize, editor::ToColorRef(style.colour));
        return;
    } else if (const auto start = editor::ToolRowOf(choices.tool).start) {
        Invalidate(SelectionArea());
        selected_.reset();
        pending_ = start(at, style);
        gesture_ = Gesture::Drawing;
        Invalidate(pending_->Bounds());
    }
    if (gesture_ != Gesture::None) ::SetCapture(document_);
}

void DocumentEditor::StartSelectGesture(PixelPoint at) {
    if (selected_) {
        const auto handles = drawing_.At(*selected_).Handles();
        for (std::size_t i = 0; i < handles.size(); ++i) {
            if (std::abs(handles[i].x - at.x) <= kHandleSize / 2 + 1 && std::abs(handles[i].y - at.y) <= kHandleSize / 2 + 1) {
                handle_ = i;
                before_ = drawing_.At(*selected_).Clone();
                gesture_ = Gesture::Resizing;
                return;
            }
        }
    }
    Invalidate(SelectionArea());
    selected_ = drawing_.ShapeAt(at, kHitTolerance);
    Invalidate(SelectionArea());
    if (selected_) gesture_ = Gesture::Moving;
    frame_.RefreshUi();
}

void DocumentEditor::OnPointerMove(PixelPoint at) {
    if (gesture_ == Gesture::None || at == last_) return;
    switch (gesture_) {
        case Gesture::Drawing:
            Invalidate(pending_->ExtendChanging(at));
            break;
        case Gesture::Moving:
            Invalidate(SelectionArea());
            drawing_.Edit(*selected_).MoveBy(at.x - last_.x, at.y - last_.y);
            Invalidate(SelectionArea());
            break;
        case Gesture::Resizing:
            Invalidate(SelectionArea());
            drawing_.Edit(*selected_).DragHandle(handle_, at);
            Invalidate(SelectionArea());
            break;
        case Gesture::Cropping:
            Invalidate(editor::Inflate(crop_, 2));
            crop_ = editor::Intersect(editor::SpanOf(start_, at), drawing_.PictureArea());
            Invalidate(editor::Inflate(crop_, 2));
            break;
        case Gesture::None:
            break;
    }
    last_ = at;
}

void DocumentEditor::OnButtonUp(PixelPoint at) {
    OnPointerMove(at);
    const Gesture finished = gesture_;
    gesture_ = Gesture::None;
    if (::GetCapture() == document_) ::ReleaseCapture();
    if (finished == Gesture::Drawing) {
        Invalidate(pending_->Bounds());
        drawing_.Add(std::move(pending_));
        Changed();
    } else if (finished == Gesture::Moving) {
        const PixelRect was = SelectionArea();
        drawing_.CommitMove(*selected_, at.x - start_.x, at.y - start_.y);
        InvalidateAround(editor::Union(was, SelectionArea()));
        Changed();
    } else if (finished == Gesture::Resizing) {
        const PixelRect was = SelectionArea();
        if (!drawing_.CommitEdit(*selected_, std::move(before_))) selected_.reset();
        InvalidateAround(editor::Union(was, SelectionArea()));
        Changed();
    } else if (finished == Gesture::Cropping && start_ == at) {
        // A click without a drag selects nothing.
        Invalidate(editor::Inflate(crop_, 2));
        crop_ = PixelRect{};
    }
}

bool DocumentEditor::OnKey(WPARAM key) {
    const bool control = ::GetKeyState(VK_CONTROL) < 0;
    const int step = ::GetKeyState(VK_SHIFT) < 0 ? 10 : 1;
    if (control && key == 'Z') return Undo(), true;
    if (control && key == 'Y') return Redo(), true;
    // With 裁剪 chosen, Enter applies the area, or does nothing without one.
    if (key == VK_RETURN && choices_.tool == ToolKind::Crop) return ApplyCrop(), true;
    if (key == VK_ESCAPE && !crop_.Empty()) {
        Invalidate(editor::Inflate(crop_, 2));
        crop_ = PixelRect{};
        return true;
    }
    if (!selected_ || gesture_ != Gesture::None) return false;
    switch (key) {
        case VK_DELETE:
            DeleteSelected();
            return true;
        case VK_LEFT:
            return Nudge(-step, 0), true;
        case VK_RIGHT:
            return Nudge(step, 0), true;
        case VK_UP:
            return Nudge(0, -step), true;
        case VK_DOWN:
            return Nudge(0, step), true;
        default:
            return false;
    }
}

void DocumentEditor::Nudge(int dx, int dy) {
    Invalidate(SelectionArea());
    drawing_.Move(*selected_, dx, dy);
    Invalidate(SelectionArea());
    Changed();
}

void DocumentEditor::DeleteSelected() {
    InvalidateAll();  // the markers after it are numbered anew
    drawing_.Remove(*selected_);
    selected_.reset();
    Changed();
}

void DocumentEditor::ApplyCrop() {
    const PixelRect area = crop_;
    crop_ = PixelRect{};
    if (area.Empty()) return;
    selected_.reset();
    if (drawing_.Crop(area)) Changed();
    InvalidateAll();
}

void DocumentEditor::FinishText() {
    if (!text_.IsOpen()) return;
    const std::wstring text = text_.Text();
    const PixelPoint at = text_.Origin();
    text_.Close();
    ::SetFocus(document_);
    if (text.empty()) return;
    const editor::Style style = ChosenStyle();
    auto shape = std::make_unique<editor::TextShape>(at, style);
    const SIZE size = editor::MeasureText(text, style.textSize);
    shape->SetText(text, size.cx, size.cy);
    Invalidate(shape->Bounds());
    drawing_.Add(std::move(shape));
    Changed();
}

void DocumentEditor::Undo() {
    EndGesture();
    selected_.reset();
    if (drawing_.Undo()) Changed();
    InvalidateAll();
}

void DocumentEditor::Redo() {
    EndGesture();
    selected_.reset();
    if (drawing_.Redo()) Changed();
    InvalidateAll();
}

void DocumentEditor::EndGesture() {
    if (gesture_ == Gesture::Moving || gesture_ == Gesture::Resizing) {
        // Let go without a button: the shape keeps where it got to.
        if (gesture_ == Gesture::Moving) drawing_.CommitMove(*selected_, last_.x - start_.x, last_.y - start_.y);
        if (gesture_ == Gesture::Resizing && !drawing_.CommitEdit(*selected_, std::move(before_))) selected_.reset();
        Changed();
    }
    gesture_ = Gesture::None;
    if (pending_) Invalidate(pending_->Bounds());
    pending_.reset();
    if (::GetCapture() == document_) ::ReleaseCapture();
    if (text_.IsOpen()) FinishText();
    Invalidate(editor::Inflate(crop_, 2));
    crop_ = PixelRect{};
}

void DocumentEditor::ApplyStyle() {
    if (!selected_) return;
    auto before = drawing_.At(*selected_).Clone();
    editor::Style style = before->GetStyle();
    const editor::Style chosen = ChosenStyle();
    style.colour = chosen.colour;
    style.width = chosen.width;
    style.textSize = chosen.textSize;
    Invalidate(SelectionArea());
    editor::Shape& shape = drawing_.Edit(*selected_);
    shape.Restyle(style);
    if (auto* text = dynamic_cast<editor::TextShape*>(&shape)) {
        const SIZE size = editor::MeasureText(text->Text(), style.textSize);
        text->SetExtent(size.cx, size.cy);
    }
    drawing_.CommitEdit(*selected_, std::move(before));
    Invalidate(SelectionArea());
    Changed();
}

void DocumentEditor::PictureReplaced() {
    // A new capture: what was being drawn ends with the old picture. Only a
    // gesture holds the mouse; the pointer-area preview comes here twenty
    // times a second, and asking who holds it is a round trip under Wine.
    if (gesture_ != Gesture::None && ::GetCapture() == document_) ::ReleaseCapture();
    gesture_ = Gesture::None;
    pending_.reset();
    before_.reset();
    text_.Close();
    selected_.reset();
    crop_ = PixelRect{};
    drawing_.Reset();
    droppedShown_ = 0;
}

void DocumentEditor::Changed() {
    const std::size_t dropped = drawing_.GetHistory().DroppedSteps();
    if (dropped != droppedShown_) {
        droppedShown_ = dropped;
        frame_.SetStatusText(FormatText(IDS_UNDO_DROPPED, std::to_wstring(dropped)));
    }
    if (DocumentWindow* document = Document()) document->NoteEdit();
}

void DocumentEditor::Invalidate(const PixelRect& area) {
    if (area.Empty()) return;
    const RECT gdi{area.left - 1, area.top - 1, area.right + 1, area.bottom + 1};
    ::InvalidateRect(document_, &gdi, FALSE);
}

void DocumentEditor::InvalidateAround(const PixelRect& area) {
    // A redaction that moved changes the mean of every mosaic block it
    // reaches into, up to a block beyond its edge.
    Invalidate(editor::Inflate(area, 2 * editor::Style{}.mosaicBlock));
}

void DocumentEditor::InvalidateAll() { ::InvalidateRect(document_, nullptr, FALSE); }

PixelRect DocumentEditor::SelectionArea() const {
    if (!selected_ || *selected_ >= drawing_.Count()) return PixelRect{};
    return editor::Inflate(drawing_.At(*selected_).Bounds(), kHandleSize);
}

Picture DocumentEditor::Flatten() const {
    const DocumentWindow* document = Document();
    if (!document || drawing_.Count() == 0) return {};
    const Picture& picture = document->GetPicture();
    Picture flat = Picture::CreateBlank(picture.Width(), picture.Height());
    if (flat.Empty() || !editor::RenderArea(picture, drawing_, nullptr, drawing_.PictureArea(), flat)) return {};
    return flat;
}

void DocumentEditor::Paint(HDC dc, const RECT& gdiArea) {
    const DocumentWindow* document = Document();
    const PixelRect area = ToRect(gdiArea);
    if (document && drawing_.Count() == 0 && !pending_ && crop_.Empty()) {
        // Nothing lies over the picture (a fresh capture, the pointer-area
        // preview): no buffer to compose it in.
        document->GetPicture().Draw(dc, 0, 0, area.right, area.bottom);
        return;
    }
    Picture buffer = Picture::CreateBlank(area.Width(), area.Height());
    win32::UniqueMemoryDc memory(::CreateCompatibleDC(dc));
    if (!document || buffer.Empty() || !memory || !editor::RenderArea(document->GetPicture(), drawing_, pending_.get(), area, buffer)) {
        if (document) document->GetPicture().Draw(dc, 0, 0, area.right, area.bottom);
        return;
    }
    win32::ScopedSelect select(memory.get(), buffer.Bitmap());
    ::SetViewportOrgEx(memory.get(), -area.left, -area.top, nullptr);
    PaintMarks(memory.get());
    ::BitBlt(dc, area.left, area.top, area.Width(), area.Height(), memory.get(), area.left, area.top, SRCCOPY);
}

void DocumentEditor::PaintMarks(HDC dc) const {
    // Marks that are only on the screen: the selection's handles and the
    // crop's area, in inverted dots so they show on any picture.
    if (!crop_.Empty()) {
        const RECT gdi{crop_.left, crop_.top, crop_.right, crop_.bottom};
        ::DrawFocusRect(dc, &gdi);
    }
    if (!selected_ || *selected_ >= drawing_.Count()) return;
    const editor::Shape& shape = drawing_.At(*selected_);
    const PixelRect bounds = shape.Bounds();
    const RECT outline{bounds.left - 2, bounds.top - 2, bounds.right + 2, bounds.bottom + 2};
    ::DrawFocusRect(dc, &outline);
    for (const PixelPoint& p : shape.Handles()) {
        const RECT box{p.x - kHandleSize / 2, p.y - kHandleSize / 2, p.x + kHandleSize / 2 + 1, p.y + kHandleSize / 2 + 1};
        ::FillRect(dc, &box, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::FrameRect(dc, &box, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }
}

}  // namespace snapora
