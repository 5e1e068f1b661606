#include "chart/varsha.hpp"

namespace zentaric {

Result<VarshaLords> chart_varsha_lords(const ChartPlaces& chart, std::uint8_t natal_lagna_sign,
                                       std::uint8_t muntha_sign) {
    const Result<ChartStrength> strength = chart_strength(chart, "bphs");
    if (!strength) return strength.error();
    std::array<double, PLANET_GRAHA_COUNT> rupas{};
    for (std::size_t planet = 0; planet < PLANET_GRAHA_COUNT; ++planet)
        rupas[planet] = strength.value().shadbala[planet].rupas;
    return varsha_lords(chart.sidereal, chart.lagna, natal_lagna_sign % 12, muntha_sign % 12, rupas);
}

}  // namespace zentaric
