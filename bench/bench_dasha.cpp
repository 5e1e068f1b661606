// Timing of the dasha tree, its JSON text, and the text written without the tree, at depths 1..5; then the period
// records of every dasha system to 3 and 5 levels.
//   bench_dasha [repetitions]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "format/dasha_json.hpp"
#include "vedic/dasha.hpp"
#include "timing.hpp"
#include "vedic/dasha_periods.hpp"

using zentaric::bench::best_milliseconds;

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    constexpr double moon_longitude = 123.4;
    constexpr double birth_jd = 2451545.0;
    std::printf("moon %.1f, birth %.1f, best of %d\n", moon_longitude, birth_jd, repetitions);
    std::printf("%6s %10s %10s %12s %12s %12s\n", "levels", "periods", "bytes", "tree ms", "tree+json ms",
                "direct ms");
    for (std::uint8_t levels = 1; levels <= zentaric::DASHA_MAX_LEVELS; ++levels) {
        std::size_t bytes = 0;
        std::size_t periods = 0;
        const double tree_ms = best_milliseconds(repetitions, [&] {
            const auto dasha = zentaric::compute_dasha_tree(levels, moon_longitude, birth_jd);
            periods = dasha.maha_dashas.size();
        });
        const double tree_json_ms = best_milliseconds(repetitions, [&] {
            const std::string text = zentaric::dasha_json(zentaric::compute_dasha_tree(levels, moon_longitude, birth_jd));
            bytes = text.size();
        });
        std::string direct;
        const double direct_ms = best_milliseconds(repetitions, [&] {
            direct = zentaric::compute_dasha_json(levels, moon_longitude, birth_jd);
        });
        // count the period objects in the text
        periods = 0;
        for (std::size_t at = direct.find("\"lord\""); at != std::string::npos; at = direct.find("\"lord\"", at + 1))
            ++periods;
        std::printf("%6d %10zu %10zu %12.3f %12.3f %12.3f  (capacity %zu)\n", levels, periods, bytes, tree_ms,
                    tree_json_ms, direct_ms, direct.capacity());
    }
    // A chart's places: the Moon at 123.4 as above, the other grahas and the lagna spread over the signs.
    zentaric::GrahaPositions positions{{10.0, moon_longitude, 215.0, 40.0, 250.0, 300.0, 130.0, 77.0, 257.0}, 95.0};
    std::printf("\n%-18s %10s %12s %10s %12s\n", "system", "3 levels", "ms", "5 levels", "ms");
    for (const zentaric::DashaSystemRow& row : zentaric::DASHA_SYSTEM_TABLE) {
        std::size_t counts[2] = {0, 0};
        double milliseconds[2] = {0, 0};
        for (int depth = 0; depth < 2; ++depth) {
            const auto levels = static_cast<std::uint8_t>(depth == 0 ? 3 : 5);
            milliseconds[depth] = best_milliseconds(repetitions, [&] {
                counts[depth] = zentaric::dasha_periods(row.id, positions, birth_jd, levels, 365.25,
                                                        std::numeric_limits<double>::quiet_NaN())
                                    .records.size();
            });
        }
        std::printf("%-18.*s %10zu %12.4f %10zu %12.3f\n", static_cast<int>(row.name.size()), row.name.data(),
                    counts[0], milliseconds[0], counts[1], milliseconds[1]);
    }
    return 0;
}
