// Aspects: angular relations between bodies along the ecliptic, within an orb of a fixed set of angles.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace zentaric {

enum class AspectKind : std::uint8_t {
    Conjunction,
    Sextile,
    Square,
    Trine,
    Opposition,
    SemiSextile,
    Quincunx,
    SemiSquare,
    Sesquiquadrate,
    Quintile,
    BiQuintile,
};

// "Conjunction", "Sextile", ... (the variant name).
std::string_view aspect_kind_name(AspectKind kind) noexcept;

// Exact angle of the aspect, degrees.
double aspect_angle(AspectKind kind) noexcept;

// Default orb of the aspect, degrees (before the orb factor).
double aspect_default_orb(AspectKind kind) noexcept;

// One body as the aspect scan sees it: ecliptic longitude (degrees) and its daily speed (degrees per day).
struct AspectPosition {
    double longitude;
    double speed;
};

struct Aspect {
    std::uint64_t body1;  // index into the input positions
    std::uint64_t body2;  // index into the input positions, > body1
    double orb;           // degrees from exact
    double strength;      // 1 at exact, 0 at the edge of the allowed orb
    AspectKind kind;
    bool applying;        // the deviation from exact shrinks 0.01 day later
};

// Every aspect among all pairs of positions, for the requested kinds, each allowed orb_factor × its default
// orb; ordered by first body, second body, then the position of the kind in `kinds`.
std::vector<Aspect> find_aspects(std::span<const AspectPosition> positions, std::span<const AspectKind> kinds,
                                 double orb_factor);

}  // namespace zentaric
