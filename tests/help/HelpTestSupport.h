#pragma once
// Helpers for the help window and about box tests: driving modal loops,
// overriding registry values for one test, scratch folders.
#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Kept in their own namespace: other subsystems have helpers of their own.
namespace snapora::test::helpsupport {

// Steps run one after another from a thread timer, so they also run while
// a modal dialog or message box holds this thread. A step returns true when
// it is done.
class ModalScript {
public:
    using Step = std::function<bool()>;

    ModalScript& Then(Step step);
    // Calls `blocking` (which may run a modal loop) and works through the
    // steps meanwhile. After `timeout` every dialog of this thread is
    // cancelled so that a failing test cannot hang. True when every step
    // finished.
    bool Run(const std::function<void()>& blocking, std::chrono::milliseconds timeout = std::chrono::seconds(15));
    // Like Run, but stops as soon as `blocking` returns.
    void RunDuring(const std::function<void()>& blocking, std::chrono::milliseconds timeout = std::chrono::seconds(15));

private:
    bool Start(const std::function<void()>& blocking, std::chrono::milliseconds timeout, bool waitForSteps);
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
    void Tick();

    std::vector<Step> steps_;
    std::size_t next_ = 0;
    bool inTick_ = false;
    bool timedOut_ = false;
    std::chrono::steady_clock::time_point deadline_;
};

// Runs `blocking` and cancels every dialog that it opens meanwhile;
// returns how many there were.
int CancelDialogsDuring(const std::function<void()>& blocking);

// Visible dialog windows (#32770) of this thread owned by `owner`
// (any owner when nullptr).
std::vector<HWND> ThreadDialogs(HWND owner = nullptr);
// The visible dialog of this thread captioned `caption`, or nullptr.
HWND FindThreadDialog(const std::wstring& caption);

// Sets or removes one registry value for the length of a test and puts the
// old state back afterwards, removing keys it had to create.
class RegistryValueOverride {
public:
    RegistryValueOverride(HKEY root, std::wstring keyPath, std::wstring valueName);
    ~RegistryValueOverride();
    RegistryValueOverride(const RegistryValueOverride&) = delete;
    RegistryValueOverride& operator=(const RegistryValueOverride&) = delete;

    bool SetString(const std::wstring& text, DWORD type = REG_SZ);
    bool SetRaw(DWORD type, const void* data, DWORD size);
    void Remove();

private:
    HKEY root_;
    std::wstring keyPath_;
    std::wstring valueName_;
    std::vector<std::wstring> createdKeys_;  // deepest last
    std::optional<std::pair<DWORD, std::vector<BYTE>>> previous_;
};

// A new empty folder under the temporary folder, deleted with its files.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    [[nodiscard]] const std::wstring& Path() const { return path_; }
    [[nodiscard]] bool Valid() const { return valid_; }

private:
    std::wstring path_;
    bool valid_ = false;
};

// The stand-in system-information program built beside the tests.
std::wstring ProbeProgramPath();
// What a started copy of the probe wrote beside itself, if it ran.
std::optional<std::string> ProbeReport(const std::wstring& programPath);

}  // namespace snapora::test::helpsupport
