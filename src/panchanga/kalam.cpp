#include "panchanga/kalam.hpp"

namespace zentaric {

Interval equal_part(double start, double end, unsigned parts, unsigned part) noexcept {
    const double length = (end - start) / static_cast<double>(parts);
    return {start + length * static_cast<double>(part - 1), start + length * static_cast<double>(part)};
}

Interval kalam(Kalam which, std::uint8_t weekday, double sunrise, double sunset) noexcept {
    const KalamRow& row = KALAM_TABLE[static_cast<std::size_t>(which) % KALAM_TABLE.size()];
    return equal_part(sunrise, sunset, 8, row.part_by_weekday[weekday % 7]);
}

// Muhurta Chintamani: the day and the night have fifteen muhurtas each; Abhijit is the eighth of the day.
Interval abhijit_muhurta(double sunrise, double sunset) noexcept { return equal_part(sunrise, sunset, 15, 8); }

Interval brahma_muhurta(double previous_sunset, double sunrise) noexcept {
    return equal_part(previous_sunset, sunrise, 15, 14);
}

}  // namespace zentaric
