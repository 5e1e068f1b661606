#include "transits/saturn_phases.hpp"

#include <algorithm>
#include <optional>

#include "ephemeris/constants.hpp"
#include "moments/events.hpp"

namespace zentaric {

Result<std::vector<SaturnPhaseSpan>> saturn_phases(std::uint8_t moon_sign, Ayanamsha ayanamsha, double start,
                                                   double end) {
    // Saturn never stays in one sign for 1,100 days, so the search's first ingress tells its sign at `start`.
    constexpr double LONGEST_STAY_DAYS = 1100.0;
    const double search_start = std::max(start - LONGEST_STAY_DAYS, JD_MIN);
    const auto ingresses = moments::find_events(moments::EventKind::Sign, moments::MomentBody::Saturn, ayanamsha,
                                                search_start, end);
    if (!ingresses) return ingresses.error();
    std::vector<SaturnPhaseSpan> spans;
    const auto& found = ingresses.value();
    if (found.empty()) return spans;
    // The signs Saturn holds between consecutive ingresses, the first from the first ingress's `before`.
    int sign = found.front().before;
    double since = search_start;
    const auto close = [&](double until) {
        const std::optional<SaturnPhase> phase = saturn_phase(static_cast<std::uint8_t>(sign), moon_sign);
        if (!phase || until <= start || since >= end) return;
        spans.push_back({*phase, std::max(since, start), std::min(until, end), since < start, until > end});
    };
    for (const moments::Event& ingress : found) {
        close(ingress.jd_ut);
        sign = ingress.after;
        since = ingress.jd_ut;
    }
    close(end + 1.0);
    return spans;
}

}  // namespace zentaric
