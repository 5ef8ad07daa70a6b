// The PNG writer alone, natively, on screens dumped as raw RGB (see
// scripts/png-bench.sh):  png_writer_bench repetitions WIDTHxHEIGHT file...
// The name "noise" stands for the benchmark's noise screen, made here.
// For each: the bytes and the median time of the writer on one core and on
// its usual bands, and, for comparison, the bytes and time of zlib at level
// 6 over unfiltered rows, which is what the platform's PNG codec writes
// under Wine (within its framing).
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

#include "picture/logic/PngEncoder.h"

namespace {

template <typename Work>
double MedianMs(int repetitions, Work work) {
    std::vector<double> samples;
    for (int i = 0; i < repetitions; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        samples.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// The same noise as the benchmark's noise screen.
std::vector<unsigned char> Noise(std::size_t count) {
    std::vector<unsigned char> rgb(3 * count);
    std::uint32_t state = 1;
    for (std::size_t i = 0; i < count; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        rgb[3 * i] = static_cast<unsigned char>(state >> 16);
        rgb[3 * i + 1] = static_cast<unsigned char>(state >> 8);
        rgb[3 * i + 2] = static_cast<unsigned char>(state);
    }
    return rgb;
}

void Measure(const char* path, int width, int height, int repetitions) {
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> rgb =
        std::string_view(path) == "noise" ? Noise(count) : std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
    if (rgb.size() != 3 * count) {
        std::printf("%s: not %dx%d raw RGB\n", path, width, height);
        return;
    }
    std::vector<std::uint32_t> pixels(count);
    std::vector<unsigned char> rows;  // unfiltered, for zlib alone
    for (std::size_t i = 0; i < count; ++i) {
        if (i % static_cast<std::size_t>(width) == 0) rows.push_back(0);
        rows.insert(rows.end(), &rgb[3 * i], &rgb[3 * i + 3]);
        pixels[i] = 0xFF000000u | std::uint32_t{rgb[3 * i]} << 16 | std::uint32_t{rgb[3 * i + 1]} << 8 | rgb[3 * i + 2];
    }
    std::vector<std::uint8_t> file;
    for (const unsigned bands : {1u, snapora::PngBandsFor(width, height)}) {
        const double ms = MedianMs(repetitions, [&] {
            (void)snapora::EncodePngInto(file, pixels.data(), static_cast<std::size_t>(width), width, height, bands);
        });
        std::printf("PNGWRITER %s %dx%d bands %u bytes %zu ms %.2f\n", path, width, height, bands, file.size(), ms);
    }
    std::vector<unsigned char> packed(compressBound(static_cast<uLong>(rows.size())));
    uLongf packedBytes = 0;
    const double ms = MedianMs(repetitions, [&] {
        packedBytes = static_cast<uLongf>(packed.size());
        (void)compress2(packed.data(), &packedBytes, rows.data(), static_cast<uLong>(rows.size()), 6);
    });
    std::printf("ZLIB6 %s %dx%d bytes %lu ms %.2f\n", path, width, height, static_cast<unsigned long>(packedBytes), ms);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: png_writer_bench repetitions WIDTHxHEIGHT file...\n");
        return 2;
    }
    const int repetitions = std::max(1, std::atoi(argv[1]));
    int width = 0;
    int height = 0;
    if (std::sscanf(argv[2], "%dx%d", &width, &height) != 2 || width <= 0 || height <= 0) return 2;
    for (int i = 3; i < argc; ++i) Measure(argv[i], width, height, repetitions);
    return 0;
}
