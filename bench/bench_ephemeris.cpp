// Timing of the series and Earth-orientation models: ns per call of vsop87_state for each planet,
// moon_state, moon_position, nutation and precession_matrix (best of several runs over varying dates).
//   bench_ephemeris [calls per run]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "ephemeris/elp_mpp02.hpp"
#include "ephemeris/vsop87.hpp"
#include "time/earth_orientation.hpp"

namespace {

using Clock = std::chrono::steady_clock;

volatile double sink;

// Best over 7 runs of the mean time of one call of `work(jd)`, in ns.
template <class Work>
double best_nanoseconds_per_call(int calls, Work&& work) {
    double best = 1e300;
    for (int run = 0; run < 7; ++run) {
        double total = 0.0;
        const auto started = Clock::now();
        for (int i = 0; i < calls; ++i) total += work(2451545.0 + 37.123 * i);
        const std::chrono::duration<double, std::nano> elapsed = Clock::now() - started;
        sink = total;
        best = std::min(best, elapsed.count() / calls);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace zentaric;
    const int calls = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    const char* names[8] = {"Mercury", "Venus", "Earth", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune"};
    std::printf("%-28s %10s\n", "call", "ns");
    for (int planet = 0; planet < 8; ++planet) {
        const double ns = best_nanoseconds_per_call(calls, [planet](double jd) { return vsop87_state(planet, jd).x; });
        std::printf("vsop87_state(%-8s)        %10.0f\n", names[planet], ns);
    }
    std::printf("%-28s %10.0f\n", "moon_state",
                best_nanoseconds_per_call(calls, [](double jd) { return moon_state(jd).x; }));
    std::printf("%-28s %10.0f\n", "moon_position",
                best_nanoseconds_per_call(calls, [](double jd) { return moon_position(jd).x; }));
    std::printf("%-28s %10.0f\n", "nutation",
                best_nanoseconds_per_call(calls, [](double jd) { return nutation(jd).longitude; }));
    std::printf("%-28s %10.0f\n", "precession_matrix",
                best_nanoseconds_per_call(calls, [](double jd) { return precession_matrix(jd).m[0][1]; }));
    return 0;
}
