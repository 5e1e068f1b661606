// The spans of Sade Sati and the dhaiyas over a range: Saturn's sign ingresses (retrograde re-entries included) read
// against the natal Moon's sign.
#pragma once

#include <cstdint>
#include <vector>

#include "common/result.hpp"
#include "moments/track.hpp"
#include "sidereal/ayanamsha.hpp"
#include "transits/gochara.hpp"

namespace zentaric {

// A phase from `start` to `end` (UT Julian Days, clipped to the range asked for: `open_start`/`open_end` say that the
// phase began before it or goes on after it).
struct SaturnPhaseSpan {
    SaturnPhase phase;
    double start;
    double end;
    bool open_start;
    bool open_end;
};

// Every span of a phase in [start, end), in time order; a phase interrupted by a retrograde exit and re-entry gives
// two spans. Fails as the sign search of the moments does (a range outside the ephemeris).
Result<std::vector<SaturnPhaseSpan>> saturn_phases(std::uint8_t moon_sign, Ayanamsha ayanamsha, double start,
                                                   double end);

// The same from Saturn's track over the range and its sign ingresses in it (Track::events(EventKind::Sign)).
Result<std::vector<SaturnPhaseSpan>> saturn_phases(std::uint8_t moon_sign, const moments::Track& saturn,
                                                   const std::vector<moments::Event>& ingresses);

}  // namespace zentaric
