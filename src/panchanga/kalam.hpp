// The daytime's kalams and muhurtas: Rahu kalam, Yamaganda and Gulika kalam as eighths of the daytime by weekday,
// Abhijit as the middle fifteenth, Brahma muhurta as the second-to-last fifteenth of the night before sunrise.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace zentaric {

// A span of time between two UT Julian Days.
struct Interval {
    double start;
    double end;
};

enum class Kalam : std::uint8_t { Rahu, Yamaganda, Gulika };

// A kalam: its name and, for the weekdays Sunday .. Saturday, which eighth (1..8) of the daytime it occupies.
struct KalamRow {
    Kalam id;
    std::string_view name;
    std::array<std::uint8_t, 7> part_by_weekday;
};

inline constexpr std::array<KalamRow, 3> KALAM_TABLE{{
    {Kalam::Rahu, "rahu_kalam", {8, 2, 7, 5, 6, 4, 3}},
    {Kalam::Yamaganda, "yamaganda", {5, 4, 3, 2, 1, 7, 6}},
    {Kalam::Gulika, "gulika_kalam", {7, 6, 5, 4, 3, 2, 1}},
}};

constexpr bool kalam_table_well_formed() {
    for (std::size_t k = 0; k < KALAM_TABLE.size(); ++k) {
        if (static_cast<std::size_t>(KALAM_TABLE[k].id) != k) return false;
        for (std::uint8_t part : KALAM_TABLE[k].part_by_weekday)
            if (part < 1 || part > 8) return false;
    }
    return true;
}
static_assert(kalam_table_well_formed());

// Part `part` (1-based) of `parts` equal parts of [start, end].
Interval equal_part(double start, double end, unsigned parts, unsigned part) noexcept;

// The kalam of a weekday (0 = Sunday .. 6) in the daytime from sunrise to sunset.
Interval kalam(Kalam which, std::uint8_t weekday, double sunrise, double sunset) noexcept;

// Abhijit muhurta: the 8th of the 15 muhurtas of the daytime (the one around local noon).
Interval abhijit_muhurta(double sunrise, double sunset) noexcept;

// Brahma muhurta: the 14th of the 15 muhurtas of the night from the previous sunset to this sunrise, that is, the
// two muhurtas before sunrise minus the last.
Interval brahma_muhurta(double previous_sunset, double sunrise) noexcept;

}  // namespace zentaric
