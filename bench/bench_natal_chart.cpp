// Cost of one natal chart and of its steps, in microseconds of this thread's CPU time (best of several
// timed loops over varying birth dates, so that other load on the machine inflates the figures little).
//   bench_natal_chart [charts per timed loop]
#include <time.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "chart/chart_analysis.hpp"
#include "chart/natal_chart.hpp"
#include "ephemeris/apparent.hpp"
#include "format/chart_json.hpp"
#include "time/calendar.hpp"

namespace {

double thread_cpu_microseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) * 1e-3;
}

template <class Step>
double microseconds_per_call(int calls, Step step) {
    double best = 1e300;
    for (int repeat = 0; repeat < 7; ++repeat) {
        const double started = thread_cpu_microseconds();
        for (int i = 0; i < calls; ++i) step(i);
        best = std::min(best, (thread_cpu_microseconds() - started) / calls);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace zentaric;
    const int calls = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    double checksum = 0.0;

    const double whole = microseconds_per_call(calls, [&](int i) {
        const auto text = natal_chart_json(1900 + i % 200, 1 + i % 12, 1 + i % 28, i % 24, i % 60, 40.0 - i % 50,
                                           -3.0 + i % 90, "Lahiri", "Placidus");
        checksum += text.ok() ? static_cast<double>(text.value().size()) : -1.0;
    });

    const AnalyticalEphemeris ephemeris;
    std::array<BodyPosition, CHART_BODY_TABLE.size()> positions{};
    const double ephemeris_step = microseconds_per_call(calls, [&](int i) {
        const double jd = calendar_to_jd(1900 + i % 200, 1 + i % 12, 1.0 + i % 28);
        if (chart_positions(ephemeris, CHART_BODY_IDS.data(), CHART_BODY_IDS.size(), jd, positions.data()).ok()) {
            checksum += positions[0].longitude;
        }
    });

    std::vector<TropicalPosition> tropical;
    for (std::size_t index = 0; index < CHART_BODY_TABLE.size(); ++index) {
        tropical.push_back({std::string(CHART_BODY_TABLE[index].name), 37.0 * index, 0.5, 1.0, 0.3 - 0.1 * index});
    }
    const ChartConfig config = natal_chart_config(HouseSystem::Placidus, Ayanamsha::Lahiri);
    const double analysis_and_text = microseconds_per_call(calls * 10, [&](int i) {
        const ChartAnalysis analysis = analyze_chart(tropical, config, 0.37 * i, 40.0, 23.44, 2451545.0, -0.0039);
        checksum += static_cast<double>(chart_json(analysis, 23.85, 2451545.0).size());
    });

    std::printf("%-36s %10s\n", "step", "us/call");
    std::printf("%-36s %10.1f\n", "natal_chart_json (whole chart)", whole);
    std::printf("%-36s %10.1f\n", "chart_positions (nine bodies)", ephemeris_step);
    std::printf("%-36s %10.1f\n", "analyze_chart + chart_json", analysis_and_text);
    std::printf("(checksum %.3f)\n", checksum);
    return 0;
}
