// The lord of a Tajika year from its chart: the office-bearers of src/vedic/tajika weighed by the chart's shadbala.
#pragma once

#include <cstdint>

#include "chart/strength.hpp"
#include "common/result.hpp"
#include "vedic/tajika.hpp"

namespace zentaric {

// The varsha lords of the chart cast for a varsha pravesha, for the natal lagna's and the muntha's signs (0..11);
// fails as chart_strength does.
Result<VarshaLords> chart_varsha_lords(const ChartPlaces& chart, std::uint8_t natal_lagna_sign,
                                       std::uint8_t muntha_sign);

}  // namespace zentaric
