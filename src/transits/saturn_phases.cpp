#include "transits/saturn_phases.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "time/angles.hpp"
#include "vedic/index.hpp"

namespace zentaric {

Result<std::vector<SaturnPhaseSpan>> saturn_phases(std::uint8_t moon_sign, Ayanamsha ayanamsha, double start,
                                                   double end) {
    Result<moments::Track> saturn = moments::Track::sample(moments::MomentBody::Saturn, ayanamsha, start, end);
    if (!saturn) return saturn.error();
    Result<std::vector<moments::Event>> ingresses = saturn.value().events(moments::EventKind::Sign);
    if (!ingresses) return ingresses.error();
    return saturn_phases(moon_sign, saturn.value(), ingresses.value());
}

Result<std::vector<SaturnPhaseSpan>> saturn_phases(std::uint8_t moon_sign, const moments::Track& saturn,
                                                   const std::vector<moments::Event>& ingresses) {
    const double start = saturn.start(), end = saturn.end();
    // Saturn's sign at the start: the sign its first ingress leaves, else the sign it holds at the start.
    int sign = 0;
    if (!ingresses.empty()) {
        sign = ingresses.front().before;
    } else {
        Result<double> longitude = saturn.longitude_at(start);
        if (!longitude) return longitude.error();
        sign = sign_index_of(normalize_degrees(longitude.value()));
    }
    std::vector<SaturnPhaseSpan> spans;
    double since = -std::numeric_limits<double>::infinity();
    const auto close = [&](double until) {
        const std::optional<SaturnPhase> phase = saturn_phase(static_cast<std::uint8_t>(sign), moon_sign);
        if (!phase || until <= start || since >= end) return;
        spans.push_back({*phase, std::max(since, start), std::min(until, end), since < start, until > end});
    };
    for (const moments::Event& ingress : ingresses) {
        close(ingress.jd_ut);
        sign = ingress.after;
        since = ingress.jd_ut;
    }
    close(std::numeric_limits<double>::infinity());
    return spans;
}

}  // namespace zentaric
