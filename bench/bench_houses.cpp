// Cost of one house_cusps call per house system, in nanoseconds of this thread's CPU time (so that
// other load on a shared machine, which preempts the thread, inflates the figures as little as possible).
//   bench_houses [calls per timed loop]
#include <time.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "houses/house_cusps.hpp"

namespace {

double thread_cpu_nanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

// Nanoseconds per call, best of several timed loops: over varying RAMC and latitude (varying = true), or
// at RAMC 45°, latitude 40°, obliquity 23.44°, the call the Python benchmark times.
double nanoseconds_per_call(zentaric::HouseSystem system, int calls, bool varying, double& checksum) {
    double best = 1e300;
    for (int repeat = 0; repeat < 25; ++repeat) {
        const double started = thread_cpu_nanoseconds();
        for (int i = 0; i < calls; ++i) {
            const double ramc = varying ? 0.37 * (i % 971) : 45.0;
            const double latitude = varying ? -60.0 + 0.011 * (i % 10007) : 40.0;
            const zentaric::HouseCusps houses = zentaric::house_cusps(system, ramc, latitude, 23.44);
            checksum += houses.cusps[1] + houses.cusps[11];
        }
        best = std::min(best, (thread_cpu_nanoseconds() - started) / calls);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const int calls = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20000;
    double checksum = 0.0;
    std::printf("%-14s %12s %14s\n", "system", "ns/call grid", "ns/call 45/40");
    for (const zentaric::HouseSystemRow& row : zentaric::HOUSE_SYSTEM_TABLE) {
        const double grid = nanoseconds_per_call(row.id, calls, true, checksum);
        const double fixed = nanoseconds_per_call(row.id, calls, false, checksum);
        std::printf("%-14.*s %12.1f %14.1f\n", static_cast<int>(row.name.size()), row.name.data(), grid, fixed);
    }
    std::printf("(checksum %.3f)\n", checksum);
    return 0;
}
