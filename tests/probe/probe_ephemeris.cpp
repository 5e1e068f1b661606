// C entry points into the ephemeris series and the Earth-orientation models for the Python cross-checks.
#include "ephemeris/elp_mpp02.hpp"
#include "ephemeris/vsop87.hpp"
#include "time/earth_orientation.hpp"

namespace {

void copy_matrix(const zentaric::Matrix3& matrix, double out[9]) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) out[3 * i + j] = matrix.m[i][j];
}

}  // namespace

extern "C" {

// Heliocentric VSOP87A state: AU and AU per Julian millennium, ecliptic and equinox J2000.
void zentaric_probe_vsop87_state(int planet, double jd_tt, double out[6]) {
    const zentaric::VsopState s = zentaric::vsop87_state(planet, jd_tt);
    const double values[6] = {s.x, s.y, s.z, s.vx, s.vy, s.vz};
    for (int i = 0; i < 6; ++i) out[i] = values[i];
}

// Geocentric ELP/MPP02 Moon: km and km per day, ecliptic and equinox J2000.
void zentaric_probe_moon_state(double jd_tt, double out[6]) {
    const zentaric::MoonState s = zentaric::moon_state(jd_tt);
    const double values[6] = {s.x, s.y, s.z, s.vx, s.vy, s.vz};
    for (int i = 0; i < 6; ++i) out[i] = values[i];
}

double zentaric_probe_mean_obliquity(double jd_tt) { return zentaric::mean_obliquity(jd_tt); }

// Δψ, Δε in radians.
void zentaric_probe_nutation(double jd_tt, double out[2]) {
    const zentaric::Nutation n = zentaric::nutation(jd_tt);
    out[0] = n.longitude;
    out[1] = n.obliquity;
}

// Row-major 3×3.
void zentaric_probe_precession_matrix(double jd_tt, double out[9]) {
    copy_matrix(zentaric::precession_matrix(jd_tt), out);
}
}  // extern "C"
