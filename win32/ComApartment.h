#pragma once
// COM on the calling thread, single-threaded apartment, for as long as the
// object lives. The platform's picture codecs are COM objects.
#include <objbase.h>

namespace snapora::win32 {

class ComApartment {
public:
    ComApartment() noexcept : initialised_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (initialised_) ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialised_;
};

}  // namespace snapora::win32
