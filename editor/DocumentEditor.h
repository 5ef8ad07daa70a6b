#pragma once
// The editor laid over one document's picture: it turns the pointer and
// keys into shapes, moves, resizes, crops and text, keeps them with their
// undo history, and paints them with the picture.
#include <windows.h>

#include <memory>
#include <optional>

#include "documents/PictureOverlay.h"
#include "editor/TextEntry.h"
#include "editor/logic/Drawing.h"

namespace snapora {

class Frame;
class DocumentWindow;
struct DrawingChoices;

class DocumentEditor final : public PictureOverlay, private editor::PixelStore {
public:
    DocumentEditor(Frame& frame, DrawingChoices& choices, HWND document);
    ~DocumentEditor() override;
    DocumentEditor(const DocumentEditor&) = delete;
    DocumentEditor& operator=(const DocumentEditor&) = delete;

    // The editor of a document window, or nullptr.
    static DocumentEditor* Of(HWND document);

    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void Paint(HDC dc, const RECT& area) override;
    [[nodiscard]] Picture Flatten() const override;
    void PictureReplaced() override;
    [[nodiscard]] bool AtSaved() const override { return drawing_.AtSaved(); }
    void MarkSaved() override { drawing_.MarkSaved(); }

    [[nodiscard]] const editor::Drawing& Model() const noexcept { return drawing_; }
    // The model to change directly, as the benchmarks do; the window is
    // not told.
    [[nodiscard]] editor::Drawing& EditModel() noexcept { return drawing_; }
    [[nodiscard]] std::optional<std::size_t> Selected() const noexcept { return selected_; }
    void Undo();
    void Redo();
    // Ends what the pointer or the text box is doing (a new tool was chosen).
    void EndGesture();
    // The chosen colour, width or text size changed: the selected shape takes it.
    void ApplyStyle();

private:
    enum class Gesture { None, Drawing, Moving, Resizing, Cropping };

    [[nodiscard]] editor::ImageView View() const override;
    bool Replace(int width, int height, const std::function<void(std::uint32_t*)>& fill) override;

    DocumentWindow* Document() const;
    [[nodiscard]] editor::Style ChosenStyle() const;
    bool EnsureEditable();
    void OnButtonDown(PixelPoint at);
    void OnPointerMove(PixelPoint at);
    void OnButtonUp(PixelPoint at);
    bool OnKey(WPARAM key);
    void StartSelectGesture(PixelPoint at);
    void Nudge(int dx, int dy);
    void DeleteSelected();
    void ApplyCrop();
    void FinishText();
    void Changed();
    void Invalidate(const PixelRect& area);
    // `area` and the mosaic blocks that may reach into it.
    void InvalidateAround(const PixelRect& area);
    void InvalidateAll();
    [[nodiscard]] PixelRect SelectionArea() const;
    void PaintMarks(HDC dc) const;

    Frame& frame_;
    DrawingChoices& choices_;
    HWND document_;
    editor::Drawing drawing_;
    std::unique_ptr<editor::Shape> pending_;
    std::unique_ptr<editor::Shape> before_;
    std::optional<std::size_t> selected_;
    Gesture gesture_ = Gesture::None;
    PixelPoint start_;
    PixelPoint last_;
    std::size_t handle_ = 0;
    PixelRect crop_;
    TextEntry text_;
    std::size_t droppedShown_ = 0;
};

}  // namespace snapora
