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
#include "picture/BitmapFile.h"
#include "win32/Screen.h"

namespace snapora::bench {

namespace {

using editor::Point;
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
        const Point at{int(random() % unsigned(width - 200)), int(random() % unsigned(height - 200))};
        auto shape = row.start(at, editor::Style{});
        for (int k = 1; k <= 8; ++k) shape->Extend(Point{at.x + k * 20, at.y + int(random() % 150)});
        if (auto* text = dynamic_cast<editor::TextShape*>(shape.get())) {
            const SIZE size = editor::MeasureText(L"标注 note", 20);
            text->SetText(L"标注 note", size.cx, size.cy);
        }
        editor.EditModel().Add(std::move(shape));
        editor.EditModel().Move(editor.Model().Count() - 1, 3, 2);
    }
}

void Repaint(HWND window) {
    ::InvalidateRect(window, nullptr, FALSE);
    ::UpdateWindow(window);
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
        const editor::Rect target = editor->Model().At(0).Bounds();
        const Point grip{(target.left + target.right) / 2, (target.top + target.bottom) / 2};
        const Point at = grip;
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
    ::DestroyWindow(main->Handle());
    return 0;
}

}  // namespace snapora::bench
