// Timing of one couple's ashtakoota and porutham from the two Moon longitudes (place, kootas, doshas, cancellations).
//   bench_matching [pairs]
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "vedic/matching.hpp"

int main(int argc, char** argv) {
    const long pairs = argc > 1 ? std::atol(argv[1]) : 2'000'000;
    for (const auto system : {zentaric::MatchSystem::Ashtakoota, zentaric::MatchSystem::Porutham}) {
        double best = 1e300;
        unsigned checksum = 0;
        for (int run = 0; run < 5; ++run) {
            const auto started = std::chrono::steady_clock::now();
            for (long k = 0; k < pairs; ++k) {
                const double boy = static_cast<double>(k % 3600) * 0.1, girl = static_cast<double>(k * 7 % 3599) * 0.1;
                const auto result =
                    zentaric::match_moons(system, zentaric::moon_place(boy), zentaric::moon_place(girl));
                checksum += result.total_half_points + result.cancellations;
            }
            const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - started;
            best = std::min(best, elapsed.count() / static_cast<double>(pairs));
        }
        std::printf("%-10s one couple from two Moon longitudes: %7.1f ns  (best of 5 x %ld pairs, checksum %u)\n",
                    zentaric::MATCH_SYSTEM_TABLE[static_cast<int>(system)].name.data(), best, pairs, checksum);
    }
    return 0;
}
