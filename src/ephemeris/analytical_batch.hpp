// The built-in provider's batched evaluation of several bodies at one instant (internal to the ephemeris;
// reached through EphemerisProvider::batch_positions and chart_positions).
#pragma once

#include <cstddef>
#include <optional>

#include "ephemeris/apparent.hpp"

namespace zentaric {

// chart_positions for the built-in provider, within 1e-9° (and 1e-9°/day) of position_and_speed body by body;
// nullopt when a sample instant lies within a day of the ends of the ephemeris (then the bodies go one by one).
std::optional<Result<std::size_t, EphemerisError>> analytical_batch_positions(const Body* bodies,
                                                                              std::size_t count, double jd_ut,
                                                                              BodyPosition* out,
                                                                              std::size_t* failed_index);

}  // namespace zentaric
