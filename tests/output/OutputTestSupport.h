#pragma once
// Shared by the picture-output tests: scratch folders, pictures with a known
// pattern, and an independent way to read a BMP file back.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "picture/Picture.h"

namespace snapora {
class MainWindow;
class DocumentWindow;
}  // namespace snapora

namespace snapora::test {

// Opens a captured-style document holding `picture`, captioned by the
// running capture number, active and unsaved.
DocumentWindow* OpenPictureDocument(MainWindow& main, Picture picture);

// Answers modal dialogs while the code under test waits in them. A thread
// timer runs the steps in order, each at every tick until it returns true;
// modal loops dispatch the ticks. After `limit` every dialog of the thread is
// cancelled so a failing test cannot hang, and TimedOut() says so.
class DialogScript {
public:
    using Step = std::function<bool()>;
    explicit DialogScript(std::vector<Step> steps, std::chrono::milliseconds limit = std::chrono::seconds(20));
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;
    [[nodiscard]] bool Finished() const { return next_ >= steps_.size(); }
    [[nodiscard]] bool TimedOut() const { return timedOut_; }
    [[nodiscard]] std::size_t StepsDone() const { return next_; }

private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
    void Tick();
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    std::chrono::steady_clock::time_point deadline_;
    bool timedOut_ = false;
    UINT_PTR timer_ = 0;
};

// Visible dialogs (#32770) of this thread.
std::vector<HWND> ThreadDialogs();
// The save dialog (it has the file-name box), or nullptr.
HWND FindSaveDialog();
// A message box (text in control 0xFFFF, no file-name box), optionally only
// one owned by `owner`; nullptr if none.
HWND FindMessageBoxOwnedBy(HWND owner = nullptr);
// Puts a name in the save dialog's file-name box.
void TypeFileName(HWND saveDialog, const std::wstring& name);
// Answers a dialog as its button would.
void Answer(HWND dialog, int buttonId);

// A step that waits for the save dialog, names the file and accepts.
DialogScript::Step SaveAs(std::wstring path, HWND* seen = nullptr);
// A step that answers the close question with `button` and records its
// text and title.
DialogScript::Step AnswerQuestion(int button, std::wstring* text = nullptr, std::wstring* title = nullptr);
// Runs `action`; any dialog that shows meanwhile is cancelled and counted.
bool DialogShownDuring(const std::function<void()>& action);

// A fresh empty folder under the system's temporary folder, removed with
// everything in it when the object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    [[nodiscard]] const std::wstring& Path() const { return path_; }
    [[nodiscard]] std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }
    // Names of everything in the folder, sorted.
    [[nodiscard]] std::vector<std::wstring> Names() const;

private:
    std::wstring path_;
};

// A picture whose every pixel differs from its neighbours.
Picture MakePatternPicture(int width, int height);
std::uint32_t OutputPattern(int x, int y);

std::vector<std::uint8_t> ReadWholeFile(const std::wstring& path);
void WriteWholeFile(const std::wstring& path, const std::string& content);

// Reads a BMP file with the system's own loader (which shares no code with
// the program's writer). Pixels 0x00RRGGBB, top-down; empty on failure.
struct LoadedBitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};
LoadedBitmap LoadBitmapFile(const std::wstring& path);

// Pixels (0x00RRGGBB, top-down) of any bitmap handle.
std::vector<std::uint32_t> BitmapPixels(HBITMAP bitmap, int width, int height);

}  // namespace snapora::test
