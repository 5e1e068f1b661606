// C entry points into the apparent-place pipeline for the Python cross-checks, and the same pipeline as first
// written (observer moved by the Moon term, barycentre-scaled Moon, lunar aberration, nodes as J2000 bodies)
// so that the cross-check can measure what the corrections changed.
#include <cstdio>
#include <initializer_list>
#include <string>

#include "ephemeris/apparent.hpp"
#include "ephemeris/apparent_frame.hpp"
#include "ephemeris/constants.hpp"
#include "ephemeris/elp_mpp02.hpp"
#include "time/angles.hpp"
#include "time/delta_t.hpp"

namespace {

using namespace zentaric;

void copy_text(const std::string& text, char* out, int capacity) {
    if (out == nullptr || capacity <= 0) return;
    std::snprintf(out, static_cast<std::size_t>(capacity), "%s", text.c_str());
}

// The provider as first specified: the Moon scaled to the barycentre, the nodes as J2000 directions.
class FirstWrittenProvider final : public EphemerisProvider {
public:
    Result<StateVector, EphemerisError> state_vector(Body body, double jd_tt) const override {
        if (body == Body::Moon && in_ephemeris_range(jd_tt)) {
            const MoonState m = moon_state(jd_tt);
            const double f = EARTH_FRACTION_OF_EARTH_MOON_MASS / AU_KM;
            double y = m.y * f, z = m.z * f, vy = m.vy * f, vz = m.vz * f;
            ecliptic_to_equatorial_j2000(y, z);
            ecliptic_to_equatorial_j2000(vy, vz);
            return StateVector{m.x * f, y, z, m.vx * f, vy, vz};
        }
        return analytical_.state_vector(body, jd_tt);
    }

private:
    AnalyticalEphemeris analytical_;
};

Result<ApparentPosition, EphemerisError> first_written_apparent(Body body, double jd_ut) {
    const FirstWrittenProvider provider;
    const double jd = to_terrestrial_time(jd_ut);
    auto earth = provider.state_vector(Body::Earth, jd);
    if (!earth.ok()) return earth.error();
    auto moon = provider.state_vector(Body::Moon, jd);
    if (!moon.ok()) return moon.error();
    const StateVector& e = earth.value();
    const StateVector& m = moon.value();
    const double k = MOON_FRACTION_OF_EARTH_MOON_MASS;
    const Vector3 observer{e.x - k * m.x, e.y - k * m.y, e.z - k * m.z};
    const Vector3 observer_velocity{e.vx - k * m.vx, e.vy - k * m.vy, e.vz - k * m.vz};
    Vector3 geometric;
    if (body == Body::Moon || is_lunar_node(body)) {
        auto x = provider.state_vector(body, jd);
        if (!x.ok()) return x.error();
        const double s = -EARTH_MOON_MASS_OVER_MOON_MASS;
        const Vector3 light_observer{x.value().x / s, x.value().y / s, x.value().z / s};
        auto retarded = light_time_state(provider, body, light_observer, jd);
        if (!retarded.ok()) return retarded.error();
        geometric = Vector3{retarded.value().state.x, retarded.value().state.y, retarded.value().state.z};
    } else {
        auto retarded = light_time_state(provider, body, observer, jd);
        if (!retarded.ok()) return retarded.error();
        const StateVector& s = retarded.value().state;
        geometric = Vector3{s.x - observer.x, s.y - observer.y, s.z - observer.z};
    }
    return apparent_from_geometric(geometric, observer_velocity, true, frame_of_date(jd));
}

int write_position(const Result<BodyPosition, EphemerisError>& result, double out[4], char* error, int capacity) {
    if (!result.ok()) {
        copy_text(result.error().text(), error, capacity);
        return 1;
    }
    const BodyPosition& p = result.value();
    out[0] = p.longitude;
    out[1] = p.latitude;
    out[2] = p.distance;
    out[3] = p.speed;
    return 0;
}

}  // namespace

extern "C" {

double zentaric_probe_to_terrestrial_time(double jd_ut) { return zentaric::to_terrestrial_time(jd_ut); }

// Longitude, latitude (radians), distance (AU), speed (degrees/day); 0, or 1 with the error text.
int zentaric_probe_position_and_speed(int body, double jd_ut, double out[4], char* error, int capacity) {
    const zentaric::AnalyticalEphemeris provider;
    return write_position(zentaric::position_and_speed(provider, static_cast<zentaric::Body>(body), jd_ut), out,
                          error, capacity);
}

// The first-written pipeline (for measurement only), same outputs as zentaric_probe_position_and_speed.
int zentaric_probe_position_and_speed_first_written(int body, double jd_ut, double out[4], char* error,
                                                    int capacity) {
    const auto b = static_cast<zentaric::Body>(body);
    const auto now = first_written_apparent(b, jd_ut);
    const auto before = first_written_apparent(b, jd_ut - 0.5);
    const auto after = first_written_apparent(b, jd_ut + 0.5);
    for (const auto* r : {&now, &before, &after}) {
        if (!r->ok()) {
            copy_text(r->error().text(), error, capacity);
            return 1;
        }
    }
    out[0] = now.value().longitude;
    out[1] = now.value().latitude;
    out[2] = now.value().distance;
    out[3] = zentaric::speed_degrees_per_day(before.value().longitude, after.value().longitude);
    return 0;
}

}  // extern "C"
