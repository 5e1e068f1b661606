#include "vedic/vedic_dignity.hpp"

#include <cmath>

#include "time/angles.hpp"
#include "vedic/index.hpp"
#include "vedic/relationship.hpp"

namespace zentaric {
namespace {

constexpr std::array<std::string_view, 9> VEDIC_DIGNITY_NAMES{
    "Exalted", "Moolatrikona", "Own", "GreatFriend", "Friend", "Neutral", "Enemy", "GreatEnemy", "Debilitated"};

VedicDignity from_relationship(Relationship relationship) noexcept {
    switch (relationship) {
        case Relationship::GreatFriend: return VedicDignity::GreatFriend;
        case Relationship::Friend: return VedicDignity::Friend;
        case Relationship::Enemy: return VedicDignity::Enemy;
        case Relationship::GreatEnemy: return VedicDignity::GreatEnemy;
        default: return VedicDignity::Neutral;
    }
}

}  // namespace

std::string_view vedic_dignity_name(VedicDignity dignity) noexcept {
    const auto index = static_cast<std::size_t>(dignity);
    return index < VEDIC_DIGNITY_NAMES.size() ? VEDIC_DIGNITY_NAMES[index] : std::string_view{};
}

VedicDignity vedic_dignity(Graha planet, Varga varga, const GrahaLongitudes& d1) noexcept {
    const auto p = static_cast<std::size_t>(planet);
    if (p >= PLANET_GRAHA_COUNT) return VedicDignity::Neutral;
    const DignityRow& row = DIGNITY_TABLE[p];
    const double longitude = normalize_degrees(d1[p]);
    const std::uint8_t sign = varga_sign(varga, longitude);
    const bool owns = sign_lord(sign) == planet;
    if (varga == Varga::Rashi) {
        const double degree = longitude - 30.0 * sign;
        const bool in_moolatrikona = sign == row.moolatrikona_sign && degree >= row.moolatrikona_from &&
                                     degree < row.moolatrikona_to;
        if (in_moolatrikona) return VedicDignity::Moolatrikona;
        if (sign == row.exaltation_sign) {
            const bool past_moolatrikona = sign == row.moolatrikona_sign && degree >= row.moolatrikona_to;
            return past_moolatrikona && owns ? VedicDignity::Own : VedicDignity::Exalted;
        }
        if (sign == (row.exaltation_sign + 6) % 12) return VedicDignity::Debilitated;
    } else {
        if (sign == row.exaltation_sign) return VedicDignity::Exalted;
        if (sign == (row.exaltation_sign + 6) % 12) return VedicDignity::Debilitated;
        if (sign == row.moolatrikona_sign) return VedicDignity::Moolatrikona;
    }
    if (owns) return VedicDignity::Own;
    const Graha lord = sign_lord(sign);
    const std::uint8_t lord_d1_sign = sign_index_of(normalize_degrees(d1[static_cast<std::size_t>(lord)]));
    return from_relationship(compound_relationship(natural_relationship(planet, lord),
                                                   temporal_friend(sign_index_of(longitude), lord_d1_sign)));
}

double vimshopaka_points(VedicDignity dignity) noexcept {
    switch (dignity) {
        case VedicDignity::Exalted:
        case VedicDignity::Moolatrikona:
        case VedicDignity::Own: return 20;
        case VedicDignity::GreatFriend: return 18;
        case VedicDignity::Friend: return 15;
        case VedicDignity::Neutral: return 10;
        case VedicDignity::Enemy: return 7;
        default: return 5;
    }
}

double vimshopaka_bala(Graha planet, VargaGroup group, const GrahaLongitudes& d1) noexcept {
    const VargaGroupRow& row = VARGA_GROUP_TABLE[static_cast<std::size_t>(group) % VARGA_GROUP_COUNT];
    double weighted = 0.0;  // halves times whole points: exact, so only the last division rounds
    for (std::size_t v = 0; v < VARGA_COUNT; ++v) {
        if (row.weight[v] == 0.0) continue;
        weighted += row.weight[v] * vimshopaka_points(vedic_dignity(planet, static_cast<Varga>(v), d1));
    }
    return weighted / 20.0;
}

}  // namespace zentaric
