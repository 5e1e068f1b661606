// Vimshottari dasha: the 120-year cycle of the nine lords, divided into periods to a depth of up to five levels.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "vedic/nakshatra.hpp"

namespace zentaric {

// The lords' years are the Vimshottari row of DASHA_SYSTEM_TABLE (vedic/dasha_system.hpp); they add up to 120.
inline constexpr double DASHA_CYCLE_YEARS = 120.0;
inline constexpr std::uint8_t DASHA_MAX_LEVELS = 5;

struct DashaPeriod {
    DashaLord lord;
    std::uint8_t level;  // 1 for a maha dasha, 2 for its sub-periods, ... up to 5
    double start_jd;
    double end_jd;
    double duration_days;
    std::vector<DashaPeriod> sub_periods;  // in cycle order; empty at the deepest level
};

struct VimshottariDasha {
    std::uint8_t moon_nakshatra;              // nakshatra index 0..26 of the Moon
    double initial_balance;                   // fraction of the first maha dasha still to run at birth
    std::vector<DashaPeriod> maha_dashas;     // exactly nine, level 1
};

// Levels 0 → 1 and above 5 → 5.
std::uint8_t clamp_dasha_levels(unsigned levels) noexcept;

// The dasha tree from the Moon's sidereal longitude (degrees) and the birth Julian Day; levels is clamped to 1..5.
// The periods running at birth are cut at birth: every period lies within the life, the one in progress at birth
// starts at birth, and its sub-periods are those of the full period that have not yet ended.
// A non-finite longitude is taken as 0°; a non-finite birth Julian Day makes every start and end non-finite.
VimshottariDasha compute_dasha_tree(std::uint8_t levels, double moon_longitude, double birth_jd);

}  // namespace zentaric
