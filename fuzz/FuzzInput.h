#pragma once
// Takes typed values off the front of a fuzzer's input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace snapora::fuzz {

// A broken invariant is a crash, which the fuzzer reports with its input.
inline void Check(bool condition) {
    if (!condition) std::abort();
}

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    template <class T>
    T Take() {
        T value{};
        const std::size_t n = size_ < sizeof(T) ? size_ : sizeof(T);
        if (n) std::memcpy(&value, data_, n);
        data_ += n;
        size_ -= n;
        return value;
    }
    // An int in [low, high].
    int TakeInt(int low, int high) {
        const auto raw = Take<std::uint32_t>();
        const auto span = static_cast<std::uint64_t>(static_cast<std::int64_t>(high) - low) + 1;
        return static_cast<int>(low + static_cast<std::int64_t>(raw % span));
    }
    std::wstring TakeWideString(std::size_t maxLength) {
        std::wstring text;
        while (size_ >= 2 && text.size() < maxLength) {
            const auto unit = Take<std::uint16_t>();
            if (unit == 0xFFFF) break;  // a separator between strings
            text.push_back(static_cast<wchar_t>(unit));
        }
        return text;
    }
    [[nodiscard]] const std::uint8_t* Data() const { return data_; }
    [[nodiscard]] std::size_t Size() const { return size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

}  // namespace snapora::fuzz
