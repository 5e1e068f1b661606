#include "vedic/aspects.hpp"

#include <array>
#include <cmath>

#include "time/angles.hpp"

namespace zentaric {
namespace {

struct AspectDefinition {
    std::string_view name;
    double angle_degrees;
    double default_orb_degrees;
};

// The five Ptolemaic aspects with their customary orbs, then the six minor aspects with 2° each.
constexpr std::array<AspectDefinition, 11> ASPECT_DEFINITIONS = {{
    {"Conjunction", 0.0, 8.0},
    {"Sextile", 60.0, 6.0},
    {"Square", 90.0, 7.0},
    {"Trine", 120.0, 8.0},
    {"Opposition", 180.0, 8.0},
    {"SemiSextile", 30.0, 2.0},
    {"Quincunx", 150.0, 2.0},
    {"SemiSquare", 45.0, 2.0},
    {"Sesquiquadrate", 135.0, 2.0},
    {"Quintile", 72.0, 2.0},
    {"BiQuintile", 144.0, 2.0},
}};

// Speeds are projected this far ahead to tell applying from separating aspects.
inline constexpr double APPLYING_LOOKAHEAD_DAYS = 0.01;

const AspectDefinition* definition_of(AspectKind kind) noexcept {
    const auto index = static_cast<std::size_t>(kind);
    return index < ASPECT_DEFINITIONS.size() ? &ASPECT_DEFINITIONS[index] : nullptr;
}

// Angular separation 0..180 degrees of a longitude difference (any real; non-finite counts as 0).
double separation_degrees(double difference) noexcept {
    const double normalized = normalize_degrees(difference);
    return normalized > 180.0 ? 360.0 - normalized : normalized;
}

}  // namespace

std::string_view aspect_kind_name(AspectKind kind) noexcept {
    const AspectDefinition* definition = definition_of(kind);
    return definition ? definition->name : std::string_view{};
}

double aspect_angle(AspectKind kind) noexcept {
    const AspectDefinition* definition = definition_of(kind);
    return definition ? definition->angle_degrees : NAN;
}

double aspect_default_orb(AspectKind kind) noexcept {
    const AspectDefinition* definition = definition_of(kind);
    return definition ? definition->default_orb_degrees : NAN;
}

std::vector<Aspect> find_aspects(std::span<const AspectPosition> positions, std::span<const AspectKind> kinds,
                                 double orb_factor) {
    std::vector<Aspect> aspects;
    for (std::size_t first = 0; first < positions.size(); ++first) {
        for (std::size_t second = first + 1; second < positions.size(); ++second) {
            const AspectPosition& a = positions[first];
            const AspectPosition& b = positions[second];
            const double separation = separation_degrees(a.longitude - b.longitude);
            // Separation 0.01 day later, both bodies keeping their current speeds.
            const double later_separation =
                separation_degrees(a.longitude + (a.speed - b.speed) * APPLYING_LOOKAHEAD_DAYS - b.longitude);
            for (const AspectKind kind : kinds) {
                const AspectDefinition* definition = definition_of(kind);
                if (definition == nullptr) continue;
                const double allowed = orb_factor * definition->default_orb_degrees;
                const double deviation = std::fabs(separation - definition->angle_degrees);
                // Also rejects a NaN allowed orb (NaN orb factor).
                if (!(deviation <= allowed)) continue;
                // A zero allowed orb admits only exact aspects; they have full strength.
                const double strength = allowed > 0.0 ? 1.0 - deviation / allowed : 1.0;
                const double later_deviation = std::fabs(later_separation - definition->angle_degrees);
                aspects.push_back(Aspect{first, second, deviation, strength, kind, later_deviation < deviation});
            }
        }
    }
    return aspects;
}

}  // namespace zentaric
