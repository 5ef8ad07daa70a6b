#include "BenchTiming.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace snapora::bench {

Timing Measure(int warmup, int repetitions, const std::function<void()>& step, const std::function<void()>& between) {
    for (int i = 0; i < warmup; ++i) {
        step();
        if (between) between();
    }
    std::vector<double> samples;
    samples.reserve(static_cast<std::size_t>(repetitions));
    for (int i = 0; i < repetitions; ++i) {
        const auto start = std::chrono::steady_clock::now();
        step();
        const auto end = std::chrono::steady_clock::now();
        samples.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        if (between) between();
    }
    return Summarize(std::move(samples));
}

Timing Summarize(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    Timing timing;
    timing.repetitions = static_cast<int>(samples.size());
    if (!samples.empty()) {
        timing.minMs = samples.front();
        const std::size_t mid = samples.size() / 2;
        timing.medianMs = samples.size() % 2 ? samples[mid] : (samples[mid - 1] + samples[mid]) / 2;
    }
    return timing;
}

void Report(const char* path, int width, int height, const Timing& timing) {
    std::printf("RESULT %s %dx%d %.2f %.2f %d\n", path, width, height, timing.minMs, timing.medianMs,
                timing.repetitions);
    std::fflush(stdout);
}

}  // namespace snapora::bench
