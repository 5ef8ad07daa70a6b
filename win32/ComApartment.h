#pragma once
// COM on the calling thread, single-threaded apartment, for as long as the
// object lives. The platform's picture codecs are COM objects. COM's DLLs
// are loaded only when one is made: importing them would load them, and
// everything they import, at every start of the program.
#include <objbase.h>

#include "win32/SystemLibrary.h"

namespace snapora::win32 {

class ComApartment {
public:
    ComApartment() noexcept {
        const auto initialise = LoadSystemFunction<decltype(&::CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
        uninitialise_ = LoadSystemFunction<decltype(&::CoUninitialize)>(L"ole32.dll", "CoUninitialize");
        const HRESULT result = initialise && uninitialise_ ? initialise(nullptr, COINIT_APARTMENTTHREADED) : E_FAIL;
        initialised_ = SUCCEEDED(result);
        // A thread already in the other kind of apartment can use COM too.
        usable_ = initialised_ || result == RPC_E_CHANGED_MODE;
    }
    ~ComApartment() {
        if (initialised_) uninitialise_();
    }
    // Whether COM can be used on this thread while the object lives.
    [[nodiscard]] bool Usable() const noexcept { return usable_; }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    decltype(&::CoUninitialize) uninitialise_ = nullptr;
    bool initialised_ = false;
    bool usable_ = false;
};

}  // namespace snapora::win32
