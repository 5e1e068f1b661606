#include "vedic/relationship.hpp"

#include <array>

namespace zentaric {
namespace {

constexpr std::array<std::string_view, 5> RELATIONSHIP_NAMES{"GreatFriend", "Friend", "Neutral", "Enemy",
                                                             "GreatEnemy"};

// Naisargika maitri (BPHS ch. 3): row = the graha, columns Sun, Moon, Mars, Mercury, Jupiter, Venus, Saturn;
// F friend, N neutral, E enemy, '-' itself.
constexpr std::array<std::string_view, PLANET_GRAHA_COUNT> NATURAL{
    "-FFNFEE",  // Sun: friends Moon, Mars, Jupiter; neutral Mercury; enemies Venus, Saturn
    "F-NFNNN",  // Moon: friends Sun, Mercury; no enemy
    "FF-EFNN",  // Mars: friends Sun, Moon, Jupiter; enemy Mercury
    "FEN-NFN",  // Mercury: friends Sun, Venus; enemy Moon
    "FFFE-EN",  // Jupiter: friends Sun, Moon, Mars; enemies Mercury, Venus
    "EENFN-F",  // Venus: friends Mercury, Saturn; enemies Sun, Moon
    "EEEFNF-",  // Saturn: friends Mercury, Venus; enemies Sun, Moon, Mars
};

}  // namespace

std::string_view relationship_name(Relationship relationship) noexcept {
    const auto index = static_cast<std::size_t>(relationship);
    return index < RELATIONSHIP_NAMES.size() ? RELATIONSHIP_NAMES[index] : std::string_view{};
}

Relationship natural_relationship(Graha of, Graha towards) noexcept {
    const auto row = static_cast<std::size_t>(of), column = static_cast<std::size_t>(towards);
    if (row >= PLANET_GRAHA_COUNT || column >= PLANET_GRAHA_COUNT) return Relationship::Neutral;
    switch (NATURAL[row][column]) {
        case 'F': return Relationship::Friend;
        case 'E': return Relationship::Enemy;
        default: return Relationship::Neutral;
    }
}

bool temporal_friend(std::uint8_t sign_of, std::uint8_t sign_towards) noexcept {
    const unsigned count = (sign_towards % 12 + 12 - sign_of % 12) % 12 + 1;  // 1..12, the sign itself is 1
    return (count >= 2 && count <= 4) || count >= 10;
}

Relationship compound_relationship(Relationship natural, bool temporal_friendship) noexcept {
    switch (natural) {
        case Relationship::Friend:
            return temporal_friendship ? Relationship::GreatFriend : Relationship::Neutral;
        case Relationship::Enemy:
            return temporal_friendship ? Relationship::Neutral : Relationship::GreatEnemy;
        default:
            return temporal_friendship ? Relationship::Friend : Relationship::Enemy;
    }
}

Relationship compound_relationship(Graha of, Graha towards, const GrahaLongitudes& d1) noexcept {
    const auto signs = graha_signs(d1);
    return compound_relationship(natural_relationship(of, towards),
                                 temporal_friend(signs[static_cast<std::size_t>(of) % GRAHA_COUNT],
                                                 signs[static_cast<std::size_t>(towards) % GRAHA_COUNT]));
}

}  // namespace zentaric
