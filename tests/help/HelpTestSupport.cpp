#include "help/HelpTestSupport.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "support/UiTest.h"
#include "win32/Handle.h"

// Kept in their own namespace: other subsystems have helpers of their own.
namespace snapora::test::helpsupport {

namespace {

ModalScript* runningScript = nullptr;

bool IsDialogClass(HWND window) {
    wchar_t className[32] = {};
    ::GetClassNameW(window, className, 32);
    return ::lstrcmpW(className, L"#32770") == 0;
}

bool KeyExists(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
}

}  // namespace

ModalScript& ModalScript::Then(Step step) {
    steps_.push_back(std::move(step));
    return *this;
}

bool ModalScript::Run(const std::function<void()>& blocking, std::chrono::milliseconds timeout) {
    return Start(blocking, timeout, true);
}

void ModalScript::RunDuring(const std::function<void()>& blocking, std::chrono::milliseconds timeout) {
    Start(blocking, timeout, false);
}

bool ModalScript::Start(const std::function<void()>& blocking, std::chrono::milliseconds timeout, bool waitForSteps) {
    next_ = 0;
    timedOut_ = false;
    deadline_ = std::chrono::steady_clock::now() + timeout;
    ModalScript* outer = std::exchange(runningScript, this);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &ModalScript::OnTick);
    blocking();
    // Steps that only make sense after the modal loop has ended.
    if (waitForSteps) PumpUntil([&] { return next_ >= steps_.size() || timedOut_; }, timeout);
    ::KillTimer(nullptr, timer);
    runningScript = outer;
    return next_ >= steps_.size() && !timedOut_;
}

void CALLBACK ModalScript::OnTick(HWND, UINT, UINT_PTR, DWORD) {
    if (runningScript) runningScript->Tick();
}

void ModalScript::Tick() {
    if (inTick_) return;
    inTick_ = true;
    if (std::chrono::steady_clock::now() > deadline_) {
        if (!timedOut_) ADD_FAILURE() << "modal script stopped at step " << next_ + 1 << " of " << steps_.size();
        timedOut_ = true;
        for (HWND dialog : ThreadDialogs()) ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    } else {
        while (next_ < steps_.size() && steps_[next_]()) ++next_;
    }
    inTick_ = false;
}

int CancelDialogsDuring(const std::function<void()>& blocking) {
    int seen = 0;
    ModalScript watch;
    watch.Then([&] {
        for (HWND dialog : ThreadDialogs()) {
            ++seen;
            ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
        return false;
    });
    watch.RunDuring(blocking, std::chrono::seconds(10));
    return seen;
}

std::vector<HWND> ThreadDialogs(HWND owner) {
    struct Search {
        HWND owner;
        std::vector<HWND> found;
    } search{owner, {}};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            if (IsDialogClass(window) && ::IsWindowVisible(window) &&
                (!s.owner || ::GetWindow(window, GW_OWNER) == s.owner)) {
                s.found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindThreadDialog(const std::wstring& caption) {
    for (HWND dialog : ThreadDialogs()) {
        if (WindowText(dialog) == caption) return dialog;
    }
    return nullptr;
}

RegistryValueOverride::RegistryValueOverride(HKEY root, std::wstring keyPath, std::wstring valueName)
    : root_(root), keyPath_(std::move(keyPath)), valueName_(std::move(valueName)) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root_, keyPath_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    win32::UniqueRegKey owned(key);
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(key, valueName_.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return;
    std::vector<BYTE> data(size);
    if (::RegQueryValueExW(key, valueName_.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS) return;
    data.resize(size);
    previous_ = std::make_pair(type, std::move(data));
}

RegistryValueOverride::~RegistryValueOverride() {
    if (previous_) {
        SetRaw(previous_->first, previous_->second.data(), static_cast<DWORD>(previous_->second.size()));
    } else {
        Remove();
    }
    for (auto it = createdKeys_.rbegin(); it != createdKeys_.rend(); ++it) ::RegDeleteKeyW(root_, it->c_str());
}

bool RegistryValueOverride::SetString(const std::wstring& text, DWORD type) {
    return SetRaw(type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

bool RegistryValueOverride::SetRaw(DWORD type, const void* data, DWORD size) {
    // Remember each missing key on the way down so that it can go again.
    for (std::size_t pos = 0; pos != std::wstring::npos;) {
        pos = keyPath_.find(L'\\', pos + 1);
        const std::wstring partial = keyPath_.substr(0, pos);
        if (!KeyExists(root_, partial)) {
            HKEY created = nullptr;
            if (::RegCreateKeyExW(root_, partial.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &created, nullptr) !=
                ERROR_SUCCESS) {
                return false;
            }
            ::RegCloseKey(created);
            createdKeys_.push_back(partial);
        }
    }
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root_, keyPath_.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return false;
    win32::UniqueRegKey owned(key);
    return ::RegSetValueExW(key, valueName_.c_str(), 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

void RegistryValueOverride::Remove() {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root_, keyPath_.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    win32::UniqueRegKey owned(key);
    ::RegDeleteValueW(key, valueName_.c_str());
}

ScratchFolder::ScratchFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) return;
    path_ = std::wstring(temp, length) + name + L" " + std::to_wstring(::GetCurrentProcessId());
    valid_ = ::CreateDirectoryW(path_.c_str(), nullptr) != 0;
}

ScratchFolder::~ScratchFolder() {
    if (!valid_) return;
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((path_ + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                // A program started from here may take a moment to end.
                const std::wstring file = path_ + L"\\" + found.cFileName;
                for (int attempt = 0; attempt < 100 && !::DeleteFileW(file.c_str()); ++attempt) ::Sleep(20);
            }
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(path_.c_str());
}

std::wstring ProbeProgramPath() { return ProgramFolderForTests() + L"\\snapora_sysinfo_probe.exe"; }

std::optional<std::string> ProbeReport(const std::wstring& programPath) {
    std::ifstream in(std::filesystem::path(programPath + L".ran"), std::ios::binary);
    if (!in) return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The probe may still be writing: only a whole line counts.
    if (text.empty() || text.back() != '\n') return std::nullopt;
    return text;
}

}  // namespace snapora::test::helpsupport
