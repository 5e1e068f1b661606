// Timing of a year of daily panchanga at New Delhi and of its parts: the Sun's and the Moon's risings and settings,
// the sampling of their longitudes, and the whole range; and of one day.
//   bench_panchanga [repetitions]
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "moments/rise_set.hpp"
#include "moments/sampled_sky.hpp"
#include "panchanga/panchanga.hpp"
#include "timing.hpp"

using zentaric::bench::best_milliseconds;

int main(int argc, char** argv) {
    using namespace zentaric;
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const moments::Observer delhi{28.6139, 77.2090, 0.0};
    const double start = 2461041.27;  // 2026-01-01 00:00 IST
    const PanchangaRequest year{2026, 1, 1, 365, delhi, 5.5, moments::HorizonConvention::Hindu, Ayanamsha::Lahiri};
    PanchangaRequest day = year;
    day.days = 1;
    std::printf("panchanga, New Delhi, 2026, best of %d\n", repetitions);
    std::printf("%-34s %10.3f ms\n", "Sun rise/set, 367 days",
                best_milliseconds(repetitions, [&] {
                    (void)moments::find_rise_set(moments::MomentBody::Sun, delhi, moments::HorizonConvention::Hindu,
                                                 start - 1.0, start + 366.0);
                }));
    std::printf("%-34s %10.3f ms\n", "Moon rise/set, 365 days",
                best_milliseconds(repetitions, [&] {
                    (void)moments::find_rise_set(moments::MomentBody::Moon, delhi, moments::HorizonConvention::Civil,
                                                 start, start + 365.0);
                }));
    std::printf("%-34s %10.3f ms\n", "Sun and Moon sampled, 379 days",
                best_milliseconds(repetitions, [&] { (void)moments::sample_sky(Ayanamsha::Lahiri, start - 7, start + 372, moments::SkyDetail::Places); }));
    std::printf("%-34s %10.3f ms\n", "panchanga, 365 days",
                best_milliseconds(repetitions, [&] { (void)compute_panchanga(year); }));
    std::printf("%-34s %10.3f ms\n", "panchanga, 1 day",
                best_milliseconds(repetitions * 10, [&] { (void)compute_panchanga(day); }));
    return 0;
}
