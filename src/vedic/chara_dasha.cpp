// Chara dasha (K.N. Rao): the order of the signs, their years, and the antardasha signs.
#include "vedic/chara_dasha.hpp"

#include "vedic/co_lord.hpp"

namespace zentaric {
namespace {

// Aries, Taurus, Gemini, Libra, Scorpio and Sagittarius count forward (the savya signs), the others backward.
constexpr bool counts_forward(std::uint8_t sign) noexcept {
    constexpr std::array<bool, 12> FORWARD{true, true, true, false, false, false, true, true, true, false, false, false};
    return FORWARD[sign % 12];
}

// Aries, Leo, Virgo, Libra, Aquarius and Pisces take their antardashas forward.
constexpr bool antardashas_forward(std::uint8_t sign) noexcept {
    constexpr std::array<bool, 12> FORWARD{true, false, false, false, true, true, true, false, false, false, true, true};
    return FORWARD[sign % 12];
}

constexpr std::uint8_t sign_step(std::uint8_t sign, int steps) noexcept {
    return static_cast<std::uint8_t>(((sign + steps) % 12 + 12) % 12);
}

}  // namespace

bool chara_runs_forward(std::uint8_t lagna_sign) noexcept { return counts_forward(sign_step(lagna_sign, 8)); }

std::uint8_t chara_years(std::uint8_t sign, const GrahaPositions& positions) noexcept {
    sign %= 12;
    const std::uint8_t lord_sign = positions.sign(stronger_lord(sign, positions.longitude));
    const int distance = counts_forward(sign) ? lord_sign - sign : sign - lord_sign;
    const auto years = static_cast<std::uint8_t>((distance % 12 + 12) % 12);
    return years == 0 ? 12 : years;
}

CharaMahaDashas chara_maha_dashas(const GrahaPositions& positions) noexcept {
    CharaMahaDashas result{};
    const std::uint8_t lagna = positions.lagna_sign();
    const int step = chara_runs_forward(lagna) ? 1 : -1;
    for (int k = 0; k < 12; ++k) {
        const std::uint8_t sign = sign_step(lagna, step * k);
        result.periods[result.count++] = CharaPeriod{sign, chara_years(sign, positions)};
    }
    for (int k = 0; k < 12; ++k) {
        const CharaPeriod first = result.periods[k];
        if (first.years < 12) result.periods[result.count++] = CharaPeriod{first.sign, static_cast<std::uint8_t>(12 - first.years)};
    }
    return result;
}

std::uint8_t chara_antardasha_sign(std::uint8_t sign, unsigned k) noexcept {
    const int steps = static_cast<int>(k % 12) + 1;
    return sign_step(sign, antardashas_forward(sign) ? steps : -steps);
}

}  // namespace zentaric
