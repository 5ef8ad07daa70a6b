#pragma once
// What the program hands the system, seen by a test: for the hook's
// lifetime, this executable's import of one function calls a replacement.
#include <windows.h>

namespace snapora::test {

class ImportHook {
public:
    // `module` as the import table names it ("USER32.dll"; any case).
    ImportHook(const char* module, const char* function, const void* replacement);
    ~ImportHook();
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;

    [[nodiscard]] bool Installed() const noexcept { return slot_ != nullptr; }

private:
    void** slot_ = nullptr;
    void* original_ = nullptr;
};

}  // namespace snapora::test
