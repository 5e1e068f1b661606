// Timing of the series, the Earth-orientation models and the apparent positions: ns per call of
// vsop87_state for each planet, moon_state, moon_position, nutation, precession_matrix, the fast-kernel
// moon_position_fast, and µs per natal chart (the nine chart bodies) by
// position_and_speed body by body and by chart_positions (best of 7 runs over varying dates).
//   bench_ephemeris [calls per run]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "chart/natal_chart.hpp"
#include "ephemeris/apparent.hpp"
#include "ephemeris/elp_mpp02.hpp"
#include "ephemeris/fast_series.hpp"
#include "ephemeris/series_kernel.hpp"
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
    std::printf("vector kernels: %s\n", vector_kernels_available() ? "AVX2+FMA" : "portable");
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
    std::printf("%-28s %10.0f\n", "moon_position_fast",
                best_nanoseconds_per_call(calls, [](double jd) { return moon_position_fast(jd).x; }));

    const AnalyticalEphemeris ephemeris;
    const int charts = std::max(1, calls / 100);
    const double per_body = best_nanoseconds_per_call(charts, [&](double jd) {
        double sum = 0.0;
        for (Body body : CHART_BODY_IDS) {
            const Result<BodyPosition, EphemerisError> p = position_and_speed(ephemeris, body, jd);
            sum += p.ok() ? p.value().longitude : 0.0;
        }
        return sum;
    });
    std::printf("%-28s %10.1f\n", "chart by position_and_speed", per_body / 1000.0);
    const double batch = best_nanoseconds_per_call(calls / 10 + 1, [&](double jd) {
        BodyPosition out[CHART_BODY_IDS.size()];
        const Result<std::size_t, EphemerisError> done =
            chart_positions(ephemeris, CHART_BODY_IDS.data(), CHART_BODY_IDS.size(), jd, out);
        return done.ok() ? out[0].longitude : 0.0;
    });
    std::printf("%-28s %10.1f\n", "chart by chart_positions", batch / 1000.0);
    std::printf("(chart rows in us)\n");
    return 0;
}
