// The birth star's place in a nakshatra dasha: its lord's position in the cycle and the balance of the period.
#include "vedic/dasha_system.hpp"

#include "time/angles.hpp"
#include "vedic/index.hpp"

namespace zentaric {
namespace {

// Abhijit: the last quarter of Uttara Ashadha and the first fifteenth of Shravana, 276°40′ to 280°53′20″.
constexpr double ABHIJIT_START = 276.0 + 40.0 / 60.0;
constexpr double ABHIJIT_END = 280.0 + 53.0 / 60.0 + 20.0 / 3600.0;

// Start longitude of a star in the row's count of stars.
double star_start(std::uint8_t star, std::uint8_t star_count) noexcept {
    if (star_count == 28) {
        if (star == 21) return ABHIJIT_START;
        if (star == 22) return ABHIJIT_END;
        if (star > 22) --star;
    }
    return static_cast<double>(star) * NAKSHATRA_SPAN;
}

}  // namespace

std::uint8_t star28_of(double normalized_longitude) noexcept {
    if (normalized_longitude >= ABHIJIT_START && normalized_longitude < ABHIJIT_END) return 21;
    const std::uint8_t star = nakshatra_of(normalized_longitude);
    return star >= 21 ? static_cast<std::uint8_t>(star + 1) : star;
}

NakshatraDashaStart nakshatra_dasha_start(const DashaSystemRow& row, double moon_longitude) noexcept {
    const double longitude = normalize_degrees(moon_longitude);
    const unsigned stars = row.star_count;
    const std::uint8_t star = stars == 28 ? star28_of(longitude) : nakshatra_of(longitude);
    std::uint8_t position = 0;
    unsigned group_first = star;
    if (row.count == StarCount::Backward) {
        position = static_cast<std::uint8_t>((row.first_star + stars - star) % stars % row.lord_count);
    } else {
        unsigned stars_in_cycle = 0;
        for (std::size_t k = 0; k < row.lord_count; ++k) stars_in_cycle += row.group[k];
        unsigned within = (star + stars - row.first_star) % stars % stars_in_cycle;
        position = row.first_position;
        while (within >= row.group[position]) {
            within -= row.group[position];
            position = static_cast<std::uint8_t>((position + 1) % row.lord_count);
        }
        group_first = (star + stars - within) % stars;
    }
    const std::uint8_t group_size = row.count == StarCount::Backward ? 1 : row.group[position];
    const double start = star_start(static_cast<std::uint8_t>(group_first), row.star_count);
    // Equal stars: the group's span is exactly size × the star's span (Vimshottari's balance is dasha_start's).
    const double span = stars == 27 ? static_cast<double>(group_size) * NAKSHATRA_SPAN
                                    : normalize_degrees(star_start(static_cast<std::uint8_t>((group_first + group_size) % stars),
                                                                   row.star_count) - start);
    double elapsed = longitude - start;
    if (elapsed < -180.0) elapsed += 360.0;  // a group running through 0° (not a rounding at a boundary)
    return NakshatraDashaStart{star, position, 1.0 - elapsed / span};
}

}  // namespace zentaric
