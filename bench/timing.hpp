// Timing shared by the C++ benchmarks.
#pragma once

#include <algorithm>
#include <chrono>

namespace zentaric::bench {

// Best of `repetitions` runs of `work`, in milliseconds of the steady clock.
template <class Work>
double best_milliseconds(int repetitions, Work&& work) {
    using Clock = std::chrono::steady_clock;
    double best = 1e300;
    for (int run = 0; run < repetitions; ++run) {
        const auto started = Clock::now();
        work();
        const std::chrono::duration<double, std::milli> elapsed = Clock::now() - started;
        best = std::min(best, elapsed.count());
    }
    return best;
}

}  // namespace zentaric::bench
