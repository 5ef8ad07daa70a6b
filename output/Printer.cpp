#include "output/Printer.h"

#include <winspool.h>

#include <utility>

#include "win32/SystemLibrary.h"

namespace snapora {
namespace {

// The spooler's functions, loaded when something is first printed.
struct Spooler {
    decltype(&::GetDefaultPrinterW) getDefaultPrinter = Load<decltype(&::GetDefaultPrinterW)>("GetDefaultPrinterW");
    decltype(&::OpenPrinterW) openPrinter = Load<decltype(&::OpenPrinterW)>("OpenPrinterW");
    decltype(&::ClosePrinter) closePrinter = Load<decltype(&::ClosePrinter)>("ClosePrinter");
    decltype(&::DocumentPropertiesW) documentProperties = Load<decltype(&::DocumentPropertiesW)>("DocumentPropertiesW");

    [[nodiscard]] bool Usable() const {
        return getDefaultPrinter && openPrinter && closePrinter && documentProperties;
    }

private:
    template <class Function>
    static Function Load(const char* name) {
        return win32::LoadSystemFunction<Function>(L"winspool.drv", name);
    }
};

const Spooler& Spool() {
    static const Spooler spooler;
    return spooler;
}

struct PrinterHandleTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return nullptr; }
    // Only handles the spooler gave out exist, so it is loaded here.
    static void Close(Type h) noexcept { Spool().closePrinter(h); }
};
using UniquePrinter = win32::UniqueHandle<PrinterHandleTraits>;

std::wstring DefaultPrinterName() {
    if (!Spool().Usable()) return {};
    DWORD length = 0;
    Spool().getDefaultPrinter(nullptr, &length);
    if (length == 0) return {};
    std::wstring name(length, L'\0');
    if (!Spool().getDefaultPrinter(name.data(), &length)) return {};
    name.resize(length > 0 ? length - 1 : 0);
    return name;
}

// The printer's current settings, as a buffer the caller may change.
std::vector<BYTE> CurrentDevMode(const std::wstring& printerName) {
    HANDLE raw = nullptr;
    if (!Spool().openPrinter(const_cast<wchar_t*>(printerName.c_str()), &raw, nullptr)) return {};
    UniquePrinter printer(raw);
    auto* name = const_cast<wchar_t*>(printerName.c_str());
    const LONG size = Spool().documentProperties(nullptr, printer.get(), name, nullptr, nullptr, 0);
    if (size < static_cast<LONG>(sizeof(DEVMODEW))) return {};
    std::vector<BYTE> buffer(static_cast<std::size_t>(size));
    if (Spool().documentProperties(nullptr, printer.get(), name, reinterpret_cast<DEVMODEW*>(buffer.data()), nullptr,
                                   DM_OUT_BUFFER) != IDOK) {
        return {};
    }
    return buffer;
}

}  // namespace

CurrentPrinter::CurrentPrinter(std::wstring jobName, std::function<void()> started)
    : jobName_(std::move(jobName)), started_(std::move(started)) {
    printerName_ = DefaultPrinterName();
    if (printerName_.empty()) return;
    devMode_ = CurrentDevMode(printerName_);
    const auto* mode = devMode_.empty() ? nullptr : reinterpret_cast<const DEVMODEW*>(devMode_.data());
    dc_.reset(::CreateDCW(L"WINSPOOL", printerName_.c_str(), nullptr, mode));
}

CurrentPrinter::~CurrentPrinter() {
    if (docStarted_ && dc_) ::AbortDoc(dc_.get());
}

bool CurrentPrinter::SetOrientation(PageOrientation orientation) {
    if (!dc_ || devMode_.empty()) return false;
    auto* mode = reinterpret_cast<DEVMODEW*>(devMode_.data());
    if (docStarted_) return mode->dmOrientation == static_cast<short>(orientation);
    mode->dmFields |= DM_ORIENTATION;
    mode->dmOrientation = static_cast<short>(orientation);
    // The page size and printable area follow the new orientation from here.
    return ::ResetDCW(dc_.get(), mode) != nullptr;
}

DeviceExtent CurrentPrinter::PrintableArea() const {
    if (!dc_) return {};
    return DeviceExtent{::GetDeviceCaps(dc_.get(), HORZRES), ::GetDeviceCaps(dc_.get(), VERTRES),
                        ::GetDeviceCaps(dc_.get(), LOGPIXELSX), ::GetDeviceCaps(dc_.get(), LOGPIXELSY)};
}

bool CurrentPrinter::StartPage() {
    if (!dc_) return false;
    if (!docStarted_) {
        DOCINFOW info{};
        info.cbSize = sizeof(info);
        info.lpszDocName = jobName_.c_str();
        if (::StartDocW(dc_.get(), &info) <= 0) return false;
        docStarted_ = true;
        if (started_) started_();
    }
    if (!pageStarted_) {
        if (::StartPage(dc_.get()) <= 0) return false;
        pageStarted_ = true;
    }
    return true;
}

bool CurrentPrinter::PaintPicture(const Picture& picture, int x, int y, int width, int height) {
    // Nothing between reading the pixels and painting them may run a
    // message loop, in which the picture could be replaced or freed: the
    // page is started already.
    if (!pageStarted_ || picture.Empty() || width <= 0 || height <= 0) return false;
    // A grabbed picture is printed from its own pixels; any other bitmap is
    // read out first.
    std::vector<std::uint32_t> copied;
    const std::uint32_t* pixels = picture.DirectPixels();
    if (!pixels) {
        copied = picture.ReadPixels();
        pixels = copied.empty() ? nullptr : copied.data();
    }
    if (!pixels) return false;
    const BITMAPINFO info = TopDownBgra32Info(picture.Width(), picture.Height());
    ::SetStretchBltMode(dc_.get(), COLORONCOLOR);
    return ::StretchDIBits(dc_.get(), x, y, width, height, 0, 0, picture.Width(), picture.Height(), pixels, &info,
                           DIB_RGB_COLORS, SRCCOPY) != 0;
}

bool CurrentPrinter::EndDoc() {
    if (!docStarted_) return false;
    const bool pageEnded = !pageStarted_ || ::EndPage(dc_.get()) > 0;
    pageStarted_ = false;
    if (!pageEnded) return false;  // the destructor abandons the document
    docStarted_ = false;
    return ::EndDoc(dc_.get()) > 0;
}

}  // namespace snapora
