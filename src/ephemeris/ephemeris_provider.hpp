// Ephemeris bodies, state vectors, ephemeris errors and the provider interface, with the built-in provider
// (VSOP87A planets, ELP/MPP02 Moon, the Meeus mean node and the osculating true node).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/result.hpp"

namespace zentaric {

enum class Body : std::uint8_t {
    Sun = 0,
    Moon = 1,
    Mercury = 2,
    Venus = 3,
    Earth = 4,
    Mars = 5,
    Jupiter = 6,
    Saturn = 7,
    Uranus = 8,
    Neptune = 9,
    Pluto = 10,
    MeanNode = 11,
    TrueNode = 12,
};

inline constexpr int BODY_COUNT = 13;

// The variant name of a body ("Sun" .. "TrueNode"); "" outside the enumeration.
constexpr std::string_view body_name(Body body) noexcept {
    constexpr std::string_view NAMES[BODY_COUNT] = {"Sun",     "Moon",   "Mercury", "Venus",   "Earth",
                                                    "Mars",    "Jupiter", "Saturn", "Uranus",  "Neptune",
                                                    "Pluto",   "MeanNode", "TrueNode"};
    const auto index = static_cast<unsigned>(body);
    return index < BODY_COUNT ? NAMES[index] : std::string_view{};
}

// Position (AU) and velocity (AU per day) in the equatorial frame of J2000 (the J2000 ecliptic of the series
// rotated about x by the J2000 obliquity): heliocentric for the planets, geocentric for the Moon and the nodes.
struct StateVector {
    double x, y, z, vx, vy, vz;
};

struct EphemerisError {
    enum class Kind : std::uint8_t { JulianDayOutOfRange, BodyNotAvailable, InvalidFormat, Io };

    Kind kind = Kind::JulianDayOutOfRange;
    double jd = 0.0;  // JulianDayOutOfRange: the instant asked for and the accepted range
    double min = 0.0;
    double max = 0.0;
    std::uint32_t body_id = 0;  // BodyNotAvailable
    std::string message;        // InvalidFormat, Io

    static EphemerisError julian_day_out_of_range(double jd, double min, double max);
    static EphemerisError body_not_available(std::uint32_t id);
    static EphemerisError invalid_format(std::string message);
    static EphemerisError io(std::string message);

    // "Julian Day {} out of range [{}, {}]", "Body with ID {} not available in ephemeris",
    // "Invalid ephemeris format: {}", "I/O error: {}".
    std::string text() const;

    bool operator==(const EphemerisError&) const = default;
};

struct BodyPosition;

class EphemerisProvider {
public:
    virtual ~EphemerisProvider() = default;
    // State of a body at a TT Julian Day, or why it cannot be given.
    virtual Result<StateVector, EphemerisError> state_vector(Body body, double jd_tt) const = 0;
    // A provider's own evaluation of chart_positions (apparent.hpp), or nullopt when it has none for these
    // bodies and instant; then chart_positions evaluates position_and_speed body by body.
    virtual std::optional<Result<std::size_t, EphemerisError>> batch_positions(const Body* /*bodies*/,
                                                                               std::size_t /*count*/,
                                                                               double /*jd_ut*/,
                                                                               BodyPosition* /*out*/,
                                                                               std::size_t* /*failed_index*/) const {
        return std::nullopt;
    }
};

// The built-in provider: VSOP87A planets, the ELP/MPP02 Moon, the Meeus mean node and the osculating true node;
// no state. Its batch shares the Earth, nutation and frames among the bodies and sums the series once per term
// for the three instants of the speeds.
class AnalyticalEphemeris final : public EphemerisProvider {
public:
    Result<StateVector, EphemerisError> state_vector(Body body, double jd_tt) const override;
    std::optional<Result<std::size_t, EphemerisError>> batch_positions(const Body* bodies, std::size_t count,
                                                                       double jd_ut, BodyPosition* out,
                                                                       std::size_t* failed_index) const override;
};

// Whether a TT Julian Day lies in [JD_MIN, JD_MAX].
bool in_ephemeris_range(double jd_tt) noexcept;

// Heliocentric ecliptic-J2000 (x, y, z) to the equatorial J2000 frame.
void ecliptic_to_equatorial_j2000(double& y, double& z) noexcept;

}  // namespace zentaric
