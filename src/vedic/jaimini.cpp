#include "vedic/jaimini.hpp"

#include <algorithm>
#include <cmath>

#include "time/angles.hpp"
#include "vedic/co_lord.hpp"
#include "vedic/varga.hpp"

namespace zentaric {
namespace {

constexpr std::array<std::string_view, 7> SEVEN_KARAKAS{"AK", "AmK", "BK", "MK", "PK", "GK", "DK"};
constexpr std::array<std::string_view, 8> EIGHT_KARAKAS{"AK", "AmK", "BK", "MK", "PiK", "PK", "GK", "DK"};

}  // namespace

std::string_view karaka_name(KarakaScheme scheme, std::size_t rank) noexcept {
    if (scheme == KarakaScheme::Eight) return rank < EIGHT_KARAKAS.size() ? EIGHT_KARAKAS[rank] : std::string_view{};
    return rank < SEVEN_KARAKAS.size() ? SEVEN_KARAKAS[rank] : std::string_view{};
}

CharaKarakas chara_karakas(const GrahaLongitudes& longitudes, KarakaScheme scheme) noexcept {
    CharaKarakas karakas{};
    karakas.count = scheme == KarakaScheme::Eight ? 8 : 7;
    std::array<double, 8> longitude{}, degree{};
    for (std::size_t g = 0; g < karakas.count; ++g) {
        longitude[g] = normalize_degrees(longitudes[g]);
        degree[g] = std::fmod(longitude[g], 30.0);
        if (static_cast<Graha>(g) == Graha::Rahu) degree[g] = 30.0 - degree[g];
        karakas.graha[g] = static_cast<Graha>(g);
    }
    std::stable_sort(karakas.graha.begin(), karakas.graha.begin() + karakas.count, [&](Graha a, Graha b) {
        const auto i = static_cast<std::size_t>(a), j = static_cast<std::size_t>(b);
        return degree[i] != degree[j] ? degree[i] > degree[j] : longitude[i] > longitude[j];
    });
    return karakas;
}

std::uint8_t karakamsha(const GrahaLongitudes& longitudes, KarakaScheme scheme) noexcept {
    const Graha atmakaraka = chara_karakas(longitudes, scheme).graha[0];
    return varga_sign(Varga::Navamsha, longitudes[static_cast<std::size_t>(atmakaraka)]);
}

std::array<std::uint8_t, 12> arudha_padas(const GrahaLongitudes& longitudes, std::uint8_t lagna_sign) noexcept {
    const auto signs = graha_signs(longitudes);
    std::array<std::uint8_t, 12> padas{};
    for (unsigned house = 0; house < 12; ++house) {
        const unsigned sign = (lagna_sign % 12 + house) % 12;
        const unsigned lord_sign = signs[static_cast<std::size_t>(stronger_lord(static_cast<std::uint8_t>(sign), longitudes))];
        unsigned pada = (2 * lord_sign + 12 - sign) % 12;  // lord_sign + (lord_sign - sign)
        if (pada == sign || pada == (sign + 6) % 12) pada = (pada + 9) % 12;
        padas[house] = static_cast<std::uint8_t>(pada);
    }
    return padas;
}

}  // namespace zentaric
