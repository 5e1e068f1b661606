// Per-call cost of shadbala (Sun..Saturn from one ShadbalaInputs record; and from a chart's places, finding its
// Vedic day) and of ashtakavarga (eight signs), over charts whose longitudes change from call to call so that
// nothing is hoisted out of the loop. Processor time, which a busy machine inflates less than the clock's.
//   bench_strength [calls]
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "chart/strength.hpp"
#include "vedic/ashtakavarga.hpp"
#include "vedic/shadbala.hpp"

namespace {

// Best of seven runs of `calls` calls of `work(i)`, in processor nanoseconds per call.
template <class Work>
double best_per_call_ns(int calls, Work&& work) {
    double best = 1e300;
    for (int run = 0; run < 7; ++run) {
        const std::clock_t started = std::clock();
        for (int i = 0; i < calls; ++i) work(i);
        const double elapsed = static_cast<double>(std::clock() - started) * 1e9 / CLOCKS_PER_SEC;
        best = std::min(best, elapsed / calls);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const int calls = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20000;
    zentaric::ShadbalaInputs in{};
    in.sidereal = {11, 190, 100, 350, 245, 40, 305, 200, 20};
    in.ayanamsha = 24;
    in.lagna = 0;
    in.mc = 270;
    in.obliquity = 23.44;
    in.sunrise = 2451545.0;
    in.jd_ut = in.jd_tt = in.sunrise + 0.2;
    in.sunset = in.sunrise + 0.5;
    in.next_sunrise = in.sunrise + 1.0;
    in.sun_hour_angle = -18;
    in.ahargana = 765;
    double sink = 0;
    const double shadbala_ns = best_per_call_ns(calls, [&](int i) {
        zentaric::ShadbalaInputs chart = in;
        for (double& longitude : chart.sidereal) longitude = std::fmod(longitude + 0.37 * (i % 977), 360.0);
        chart.lagna = std::fmod(0.91 * (i % 397), 360.0);
        sink += zentaric::shadbala(chart, zentaric::RequiredStrength::Bphs)[0].total;
    });
    // New Delhi, 15 May 1990 10:30 UT (Lahiri); the birth moves by 37 minutes a call, through every hour of a fortnight.
    const zentaric::ChartPlaces delhi{{30.6114, 272.6658, 324.563, 14.2957, 75.8055, 349.0226, 271.5261, 287.618,
                                       107.618}, 171.7621, 82.506, 23.72444, 2448026.9375, 28.6139, 77.209};
    const double chart_ns = best_per_call_ns(calls / 20, [&](int i) {
        zentaric::ChartPlaces chart = delhi;
        chart.jd_ut += 0.0257 * (i % 541);
        sink += zentaric::chart_strength(chart, "bphs").value().shadbala[0].total;
    });
    const double ashtakavarga_ns = best_per_call_ns(calls * 10, [&](int i) {
        std::array<std::uint8_t, zentaric::ASHTAKAVARGA_CONTRIBUTORS> signs{};
        const auto step = static_cast<std::size_t>(i);
        for (std::size_t k = 0; k < signs.size(); ++k) signs[k] = static_cast<std::uint8_t>((step * (k + 5) + k) % 12);
        sink += zentaric::ashtakavarga(signs).sarva[step % 12];
    });
    std::printf("shadbala(ShadbalaInputs)  %9.2f us per call (target <= 50 us)\n", shadbala_ns / 1000);
    std::printf("chart_strength(places)    %9.2f us per call (with its Vedic day; target <= 50 us)\n",
                chart_ns / 1000);
    std::printf("ashtakavarga(signs)       %9.3f us per call (target <= 5 us)   [%g]\n", ashtakavarga_ns / 1000,
                sink > 0 ? 1.0 : 0.0);
    return 0;
}
