#include "vedic/dignity.hpp"

#include <array>

#include "common/name_match.hpp"
#include "time/angles.hpp"
#include "vedic/index.hpp"

namespace zentaric {
namespace {

inline constexpr int SIGN_COUNT = 12;

constexpr std::array<std::string_view, 5> DIGNITY_NAMES = {"Domicile", "Exaltation", "Detriment", "Fall",
                                                           "Peregrine"};
constexpr std::array<std::string_view, 2> RULERSHIP_NAMES = {"Traditional", "Modern"};

// Ruler of each sign, Aries..Pisces, under the traditional (Ptolemaic) scheme.
constexpr std::array<Planet, SIGN_COUNT> TRADITIONAL_RULERS = {
    Planet::Mars, Planet::Venus,   Planet::Mercury, Planet::Moon,   Planet::Sun,    Planet::Mercury,
    Planet::Venus, Planet::Mars,   Planet::Jupiter, Planet::Saturn, Planet::Saturn, Planet::Jupiter};

// Ruler of each sign under the modern scheme: Pluto, Uranus and Neptune alone rule Scorpio, Aquarius, Pisces.
constexpr std::array<Planet, SIGN_COUNT> MODERN_RULERS = {
    Planet::Mars,  Planet::Venus, Planet::Mercury, Planet::Moon,   Planet::Sun,    Planet::Mercury,
    Planet::Venus, Planet::Pluto, Planet::Jupiter, Planet::Saturn, Planet::Uranus, Planet::Neptune};

// Exalted planet of each sign (the same for both schemes); none where the sign exalts no planet.
constexpr std::array<std::optional<Planet>, SIGN_COUNT> EXALTED_PLANETS = {
    Planet::Sun,   Planet::Moon,   std::nullopt, Planet::Jupiter, std::nullopt, Planet::Mercury,
    Planet::Saturn, std::nullopt, std::nullopt, Planet::Mars,    std::nullopt, Planet::Venus};

constexpr std::array<std::string_view, 10> PLANET_KEYS = {"sun",     "moon",   "mercury", "venus",   "mars",
                                                          "jupiter", "saturn", "uranus",  "neptune", "pluto"};

const std::array<Planet, SIGN_COUNT>& rulers_of(Rulership scheme) noexcept {
    return scheme == Rulership::Modern ? MODERN_RULERS : TRADITIONAL_RULERS;
}

}  // namespace

std::string_view dignity_name(Dignity dignity) noexcept {
    const auto index = static_cast<std::size_t>(dignity);
    return index < DIGNITY_NAMES.size() ? DIGNITY_NAMES[index] : std::string_view{};
}

std::string_view rulership_name(Rulership scheme) noexcept {
    const auto index = static_cast<std::size_t>(scheme);
    return index < RULERSHIP_NAMES.size() ? RULERSHIP_NAMES[index] : std::string_view{};
}

Dignity dignity_of(Planet planet, std::uint8_t sign, Rulership scheme) noexcept {
    const std::size_t here = sign % SIGN_COUNT;
    const std::size_t opposite = (here + SIGN_COUNT / 2) % SIGN_COUNT;
    const auto& rulers = rulers_of(scheme);
    if (rulers[here] == planet) return Dignity::Domicile;
    if (EXALTED_PLANETS[here] == planet) return Dignity::Exaltation;
    if (rulers[opposite] == planet) return Dignity::Detriment;
    if (EXALTED_PLANETS[opposite] == planet) return Dignity::Fall;
    return Dignity::Peregrine;
}

std::optional<Planet> planet_from_name(std::string_view utf8) {
    const std::optional<std::string> key = ascii_lowercase_key(utf8);
    if (!key) return std::nullopt;
    for (std::size_t index = 0; index < PLANET_KEYS.size(); ++index) {
        if (*key == PLANET_KEYS[index]) return static_cast<Planet>(index);
    }
    return std::nullopt;
}

std::string_view chart_body_dignity(std::string_view name, double sidereal_longitude, Rulership scheme) {
    const std::uint8_t sign = sign_index_of(normalize_degrees(sidereal_longitude));
    const std::optional<Planet> planet = planet_from_name(name);
    if (!planet) return dignity_name(Dignity::Peregrine);
    return dignity_name(dignity_of(*planet, sign, scheme));
}

}  // namespace zentaric
