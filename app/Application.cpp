#include "app/Application.h"

#include "app/MainWindow.h"
#include "settings/logic/StartSwitch.h"
#include "win32/ComApartment.h"
#include "win32/Handle.h"
#include "win32/Screen.h"

namespace snapora {

namespace {

constexpr wchar_t kSingleInstanceMutex[] = L"Local\\Snapora.SingleInstance.{6A1F0C52-3B7E-4E0B-9C1D-2F4B8E5D7A90}";

}  // namespace

int RunApplication(HINSTANCE instance, int showCommand) {
    win32::EnableDpiAwareness();

    // A second copy ends at once, silently, leaving the first alone.
    win32::UniqueKernelHandle instanceMutex(::CreateMutexW(nullptr, FALSE, kSingleInstanceMutex));
    if (!instanceMutex || ::GetLastError() == ERROR_ALREADY_EXISTS) return 0;
    // The picture codecs are COM objects, used from this, the only UI thread.
    const win32::ComApartment com;

    MainWindow* main = MainWindow::Create(instance);
    if (!main) return 1;
    // Started with Windows: minimised, which with the icon shown means
    // into the notification area.
    main->Show(HasTraySwitch(::GetCommandLineW()) ? SW_SHOWMINNOACTIVE : showCommand);
    // The client lives as long as the frame; once both are gone the
    // translation finds no window and passes every message on.
    const HWND mdiClient = main->MdiClient();

    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (::TranslateMDISysAccel(mdiClient, &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace snapora
