// The Vimshottari dasha as one compact JSON text.
#pragma once

#include <cstdint>
#include <string>

#include "vedic/dasha.hpp"

namespace zentaric {

// Compact JSON text of a dasha tree: {"moon_nakshatra","initial_balance","maha_dashas"}, each period
// {"lord","level","start_jd","end_jd","duration_days","sub_periods"}, members in that order.
std::string dasha_json(const VimshottariDasha& dasha);

// The same text as dasha_json(compute_dasha_tree(levels, moon_longitude, birth_jd)), written while the periods
// are generated, without building the tree.
std::string compute_dasha_json(std::uint8_t levels, double moon_longitude, double birth_jd);

}  // namespace zentaric
