#include "transits/gochara.hpp"

#include "time/angles.hpp"
#include "vedic/index.hpp"

namespace zentaric {
namespace {

bool exempt(Graha a, Graha b) noexcept {
    const auto pair = [&](Graha x, Graha y) { return (a == x && b == y) || (a == y && b == x); };
    return pair(Graha::Sun, Graha::Saturn) || pair(Graha::Moon, Graha::Mercury);
}

std::uint8_t house_from(std::uint8_t sign, std::uint8_t from) noexcept {
    return static_cast<std::uint8_t>((sign + 12 - from % 12) % 12 + 1);
}

}  // namespace

std::array<GocharaReading, GRAHA_COUNT> gochara(const GrahaLongitudes& transit, std::uint8_t moon_sign,
                                                std::uint8_t lagna_sign) noexcept {
    std::array<std::uint8_t, GRAHA_COUNT> houses{};
    for (std::size_t g = 0; g < GRAHA_COUNT; ++g) houses[g] = house_from(sign_index_of(normalize_degrees(transit[g])), moon_sign);
    std::array<GocharaReading, GRAHA_COUNT> readings{};
    for (std::size_t g = 0; g < GRAHA_COUNT; ++g) {
        const auto graha = static_cast<Graha>(g);
        GocharaReading& reading = readings[g];
        reading.house_from_moon = houses[g];
        reading.house_from_lagna = house_from(sign_index_of(normalize_degrees(transit[g])), lagna_sign);
        const std::uint8_t vedha = GOCHARA_TABLE[g].vedha[houses[g]];
        reading.favourable = vedha != 0;
        for (std::size_t other = 0; reading.favourable && other < GRAHA_COUNT; ++other) {
            const auto by = static_cast<Graha>(other);
            if (other != g && houses[other] == vedha && !exempt(graha, by)) {
                reading.vedha_by = by;
                break;
            }
        }
    }
    return readings;
}

std::optional<SaturnPhase> saturn_phase(std::uint8_t saturn_sign, std::uint8_t moon_sign) noexcept {
    const std::uint8_t house = house_from(saturn_sign, moon_sign);
    for (const SaturnPhaseRow& row : SATURN_PHASE_TABLE)
        if (row.house == house) return row.id;
    return std::nullopt;
}

}  // namespace zentaric
