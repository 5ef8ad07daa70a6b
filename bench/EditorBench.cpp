#include "EditorBench.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <random>

#include "BenchTiming.h"
#include "app/MainWindow.h"
#include "documents/CaptureDocuments.h"
#include "documents/DocumentWindow.h"
#include "editor/DocumentEditor.h"
#include "editor/GdiCanvas.h"
#include "editor/logic/DrawingChoices.h"
#include "editor/logic/TextShapes.h"
#include "editor/logic/Tools.h"
#include "picture/PictureFile.h"
#include "win32/Screen.h"

namespace snapora::bench {

namespace {

using editor::ToolKind;

void Pump() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

double ResidentBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
    return static_cast<double>(counters.WorkingSetSize);
}

Picture NoisePicture(int width, int height) {
    Picture picture = Picture::CreateBlank(width, height);
    std::uint32_t* pixels = picture.MutablePixels();
    std::minstd_rand random(7);
    for (std::size_t i = 0; i < std::size_t(width) * std::size_t(height); ++i) pixels[i] = random() & 0xFFFFFF;
    return picture;
}

DocumentWindow* OpenDocument(MainWindow& main, Picture picture) {
    DocumentWindow* document = DocumentWindow::Create(main);
    document->SetSurfaceSize(picture.Width(), picture.Height());
    document->SetPicture(std::move(picture));
    ShowCaptureDocument(main, *document);
    ::UpdateWindow(document->Handle());
    Pump();
    return document;
}

// Objects of every kind, spread over the picture, each moved once too so
// the history holds more than their additions.
void AddObjects(DocumentEditor& editor, int count, int width, int height) {
    std::minstd_rand random(11);
    const auto rows = editor::ToolRows();
    for (int i = 0; i < count; ++i) {
        const auto& row = rows[1 + std::size_t(i) % (rows.size() - 2)];
        const PixelPoint at{int(random() % unsigned(width - 200)), int(random() % unsigned(height - 200))};
        auto shape = row.start(at, editor::Style{});
        for (int k = 1; k <= 8; ++k) shape->Extend(PixelPoint{at.x + k * 20, at.y + int(random() % 150)});
        if (auto* text = dynamic_cast<editor::TextShape*>(shape.get())) {
            const SIZE size = editor::MeasureText(L"标注 note", 20);
            text->SetText(L"标注 note", size.cx, size.cy);
        }
        editor.EditModel().Add(std::move(shape));
        editor.EditModel().Move(editor.Model().Count() - 1, 3, 2);
    }
}

// The middle of the topmost object that is hit there and lies in the
// window's visible part: a drag elsewhere would repaint nothing.
PixelPoint VisibleGrip(const DocumentEditor& editor, HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    for (std::size_t i = editor.Model().Count(); i-- > 0;) {
        const PixelRect bounds = editor.Model().At(i).Bounds();
        const PixelPoint grip{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
        if (grip.x < client.right - 60 && grip.y < client.bottom - 40 && editor.Model().ShapeAt(grip, 0) == i) return grip;
    }
    std::printf("EDITOR no object to drag in the visible part\n");
    return {};
}

void Repaint(HWND window) {
    ::InvalidateRect(window, nullptr, FALSE);
    ::UpdateWindow(window);
}

// Sends a pointer move with the button held and waits for its repaint.
void DragStep(HWND window, PixelPoint at) {
    ::SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ::UpdateWindow(window);
}

constexpr int kLimitWidth = 1920;
constexpr int kLimitHeight = 1080;

void TimeLongText(DocumentEditor& editor, HWND window, int repetitions) {
    std::wstring text;
    for (int i = 0; text.size() < 10000; ++i) text += (i % 80 == 79) ? L"\n" : (i % 7 == 0 ? L"字" : L"a");
    text.resize(10000);
    Report("editor-text-10000-commit", kLimitWidth, kLimitHeight, Measure(0, 1, [&] {
               auto shape = std::make_unique<editor::TextShape>(PixelPoint{10, 10}, editor::Style{});
               const SIZE size = editor::MeasureText(text, 12);
               shape->SetText(text, size.cx, size.cy);
               editor.EditModel().Add(std::move(shape));
           }));
    Report("editor-text-10000-repaint", kLimitWidth, kLimitHeight, Measure(1, repetitions, [&] { Repaint(window); }));
    editor.EditModel().Undo();
}

void TimeLongLine(MainWindow& main, DocumentEditor& editor, HWND window, int repetitions) {
    main.Drawing().tool = ToolKind::Pen;
    // Back and forth over the part of the picture the window shows, so that
    // every move has something to repaint.
    const auto penAt = [](int i) { return PixelPoint{20 + (i * 7) % 700, 20 + (i / 100 * 3) % 360}; };
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(penAt(0).x, penAt(0).y));
    int point = 1;
    for (; point < 100000; ++point) {
        ::SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(penAt(point).x, penAt(point).y));
    }
    ::UpdateWindow(window);
    Report("editor-pen-100000-move", kLimitWidth, kLimitHeight,
           Measure(2, repetitions, [&] { DragStep(window, penAt(++point)); }));
    ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(penAt(point).x, penAt(point).y));
    Report("editor-pen-100000-repaint", kLimitWidth, kLimitHeight, Measure(1, repetitions, [&] { Repaint(window); }));
    editor.EditModel().Undo();
}

void TimeManyObjects(MainWindow& main, DocumentEditor& editor, HWND window, int repetitions) {
    AddObjects(editor, 10000, kLimitWidth, kLimitHeight);
    Report("editor-10000-repaint", kLimitWidth, kLimitHeight, Measure(1, repetitions, [&] { Repaint(window); }));
    main.Drawing().tool = ToolKind::Select;
    const PixelPoint grip = VisibleGrip(editor, window);
    Report("editor-10000-select", kLimitWidth, kLimitHeight, Measure(1, repetitions, [&] {
               ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(grip.x, grip.y));
               ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(grip.x, grip.y));
               ::UpdateWindow(window);
           }));
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(grip.x, grip.y));
    int step = 0;
    Report("editor-10000-drag", kLimitWidth, kLimitHeight, Measure(2, repetitions, [&] {
               ++step;
               DragStep(window, PixelPoint{grip.x + step % 40, grip.y + step % 30});
           }));
    ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(grip.x, grip.y));
}

// What must stay responsive however large it gets, on a 1920x1080 picture:
// a text of 10,000 characters, a freehand line of 100,000 points, 10,000
// objects. Each is timed as the user meets it: the repaint of the whole
// document, and a pointer move while drawing or dragging.
void RunLimits(MainWindow& main, int repetitions) {
    DocumentWindow* document = OpenDocument(main, NoisePicture(kLimitWidth, kLimitHeight));
    const HWND window = document->Handle();
    DocumentEditor* editor = DocumentEditor::Of(window);
    TimeLongText(*editor, window, repetitions);
    TimeLongLine(main, *editor, window, repetitions);
    TimeManyObjects(main, *editor, window, repetitions);
    document->MarkSaved();
    document->Close();
    Pump();
}

}  // namespace

int RunEditor(int repetitions) {
    MainWindow* main = MainWindow::Create(::GetModuleHandleW(nullptr));
    main->Show(SW_SHOWMAXIMIZED);
    Pump();
    for (const SIZE size : {SIZE{1920, 1080}, SIZE{3840, 2160}}) {
        const int w = size.cx;
        const int h = size.cy;
        DocumentWindow* plain = OpenDocument(*main, NoisePicture(w, h));
        const Timing repaint = Measure(2, repetitions, [&] { Repaint(plain->Handle()); });
        Report("editor-repaint-empty", w, h, repaint);
        plain->MarkSaved();
        plain->Close();

        const double before = ResidentBytes();
        DocumentWindow* document = OpenDocument(*main, NoisePicture(w, h));
        DocumentEditor* editor = DocumentEditor::Of(document->Handle());
        const double empty = ResidentBytes();
        AddObjects(*editor, 200, w, h);
        Repaint(document->Handle());
        const double drawn = ResidentBytes();
        const double pictureBytes = double(w) * h * 4;
        std::printf("EDITOR-MEMORY %dx%d document %.3f of-w-x-h-x-4, with 200 objects %.3f (+%.0f bytes, history %zu bytes)\n",
                    w, h, (empty - before) / pictureBytes, (drawn - before) / pictureBytes, drawn - empty,
                    editor->Model().GetHistory().Bytes());

        AddObjects(*editor, 300, w, h);
        main->Drawing().tool = ToolKind::Select;
        // A drag of one object: each move repaints what it left and where it went.
        const PixelPoint at = VisibleGrip(*editor, document->Handle());
        ::SendMessageW(document->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        int step = 0;
        const Timing drag = Measure(2, repetitions, [&] {
            ++step;
            ::SendMessageW(document->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x + step % 40, at.y + step % 30));
            ::UpdateWindow(document->Handle());
        });
        ::SendMessageW(document->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        Report("editor-drag-500", w, h, drag);
        std::printf("EDITOR-DRAG %dx%d %.2f x-empty-repaint\n", w, h, drag.medianMs / repaint.medianMs);

        Report("editor-flatten-500", w, h, Measure(1, repetitions, [&] { (void)editor->Flatten(); }));
        const std::wstring png = L"editor-bench.png";
        Report("editor-png-save", w, h, Measure(1, repetitions, [&] {
                   (void)WritePictureFile(document->GetPicture(), png, PictureFormat::Png);
               }));
        ::DeleteFileW(png.c_str());
        document->MarkSaved();
        document->Close();
        Pump();
    }
    RunLimits(*main, repetitions);
    ::DestroyWindow(main->Handle());
    return 0;
}

}  // namespace snapora::bench
