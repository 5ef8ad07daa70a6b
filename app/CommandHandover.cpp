#include "app/CommandHandover.h"

#include <chrono>
#include <cstring>
#include <optional>
#include <vector>

#include "capture/CommandCapture.h"
#include "win32/Window.h"
#include "win32/WindowPlacement.h"

namespace snapora {

namespace {

// Marks on the copied data: a command, and its result coming back.
constexpr ULONG_PTR kCommandData = 0x534E5043;  // "SNPC"
constexpr ULONG_PTR kResultData = 0x534E5052;   // "SNPR"
constexpr wchar_t kReplyClass[] = L"SnaporaCommandReply";
// The running copy may still be starting: its window is looked for a while.
constexpr auto kFindTimeout = std::chrono::seconds(10);
constexpr UINT kSendTimeoutMs = 10000;

// The second copy's message-only window, where the result arrives.
class ReplyWindow : public win32::WindowBase<ReplyWindow, win32::WindowKind::TopLevel> {
public:
    static ReplyWindow* Create(HINSTANCE instance) {
        if (!win32::RegisterWindowClassOnce(instance, kReplyClass, &Procedure)) return nullptr;
        Owner self(new ReplyWindow);
        return FromHandle(::CreateWindowExW(0, kReplyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                                            reinterpret_cast<void*>(Handover(self))));
    }
    [[nodiscard]] const std::optional<HandedResult>& Result() const noexcept { return result_; }

private:
    friend class win32::WindowBase<ReplyWindow, win32::WindowKind::TopLevel>;
    ReplyWindow() = default;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != WM_COPYDATA) return CallDefault(window_, message, wParam, lParam);
        const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        std::int32_t code = 0;
        if (data.dwData != kResultData || data.cbData < sizeof(code) || !data.lpData) return FALSE;
        std::memcpy(&code, data.lpData, sizeof(code));
        const std::size_t chars = (data.cbData - sizeof(code)) / sizeof(wchar_t);
        std::wstring reason(chars, L'\0');
        std::memcpy(reason.data(), static_cast<const char*>(data.lpData) + sizeof(code), chars * sizeof(wchar_t));
        result_ = HandedResult{code, std::move(reason)};
        return TRUE;
    }

    std::optional<HandedResult> result_;
};

HWND FindRunningMain(const wchar_t* mainWindowClass) {
    const auto end = std::chrono::steady_clock::now() + kFindTimeout;
    for (;;) {
        if (const HWND main = ::FindWindowW(mainWindowClass, nullptr)) return main;
        if (std::chrono::steady_clock::now() > end) return nullptr;
        ::Sleep(50);
    }
}

HandedResult NoAnswer() { return {ExitCodeOf(CommandOutcome::NoAnswer), CommandReason({CommandOutcome::NoAnswer, {}, false})}; }

void SendResult(HWND replyWindow, const CommandResult& result) {
    const std::int32_t code = ExitCodeOf(result.outcome);
    const std::wstring reason = CommandReason(result);
    std::vector<char> block(sizeof(code) + reason.size() * sizeof(wchar_t));
    std::memcpy(block.data(), &code, sizeof(code));
    std::memcpy(block.data() + sizeof(code), reason.data(), reason.size() * sizeof(wchar_t));
    COPYDATASTRUCT data{kResultData, static_cast<DWORD>(block.size()), block.data()};
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutW(replyWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                          kSendTimeoutMs, &answer);
}

}  // namespace

HandedResult HandCommandOver(HINSTANCE instance, const wchar_t* mainWindowClass, const CaptureRequest& request) {
    const HWND main = FindRunningMain(mainWindowClass);
    ReplyWindow* reply = ReplyWindow::Create(instance);
    if (!main || !reply) return NoAnswer();
    const HWND replyWindow = reply->Handle();
    const std::wstring block = JoinArguments(ArgumentsOf(request));
    COPYDATASTRUCT data{kCommandData, static_cast<DWORD>(block.size() * sizeof(wchar_t)), const_cast<wchar_t*>(block.data())};
    DWORD_PTR accepted = FALSE;
    if (!::SendMessageTimeoutW(main, WM_COPYDATA, reinterpret_cast<WPARAM>(replyWindow), reinterpret_cast<LPARAM>(&data),
                               SMTO_ABORTIFHUNG, kSendTimeoutMs, &accepted) ||
        !accepted) {
        ::DestroyWindow(replyWindow);
        return NoAnswer();
    }
    // The command may take as long as the user drags; the wait ends early
    // only when the running copy is gone.
    while (!ReplyWindow::FromHandle(replyWindow)->Result()) {
        if (!::IsWindow(main)) break;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 250, QS_ALLINPUT);
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    }
    const std::optional<HandedResult> result = ReplyWindow::FromHandle(replyWindow)->Result();
    ::DestroyWindow(replyWindow);
    return result ? *result : NoAnswer();
}

bool ReceiveHandedCommand(Frame& frame, HWND replyWindow, const COPYDATASTRUCT& data) {
    if (data.dwData != kCommandData || !data.lpData || data.cbData % sizeof(wchar_t) != 0 || !::IsWindow(replyWindow)) {
        return false;
    }
    const std::wstring_view block(static_cast<const wchar_t*>(data.lpData), data.cbData / sizeof(wchar_t));
    const std::vector<std::wstring> arguments = SplitArguments(block);
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (parsed.action != ParsedCommandLine::Action::Capture) return false;
    if (!StartCommandCapture(frame, parsed.request,
                             [replyWindow](const CommandResult& result) { SendResult(replyWindow, result); })) {
        SendResult(replyWindow, {CommandOutcome::Busy, {}, false});
    }
    return true;
}

}  // namespace snapora
