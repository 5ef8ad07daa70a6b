#pragma once
// Repeats a step and reports its minimum and median in milliseconds.
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace snapora::bench {

struct Timing {
    double minMs = 0;
    double medianMs = 0;
    int repetitions = 0;
};

// `step` runs `repetitions` times after `warmup` untimed runs; `between`
// (optional) runs untimed after each timed step.
Timing Measure(int warmup, int repetitions, const std::function<void()>& step,
               const std::function<void()>& between = {});

// The minimum and median of samples taken elsewhere.
Timing Summarize(std::vector<double> samplesMs);

// One result line the bench script reads: "RESULT <path> <WxH> <min> <median> <reps>".
void Report(const char* path, int width, int height, const Timing& timing);

}  // namespace snapora::bench
