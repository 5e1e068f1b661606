// Earth orientation models: IAU 2006 obliquity and precession, IAU 2000B nutation (IERS Conventions 2003).
#include "time/earth_orientation.hpp"

#include <cmath>

#include "time/angles.hpp"
#include "time/calendar.hpp"
#include "time/data/nutation_terms.hpp"

namespace zentaric {

Matrix3 rotation_x(double angle) noexcept {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return Matrix3{{{1.0, 0.0, 0.0}, {0.0, c, s}, {0.0, -s, c}}};
}

Matrix3 rotation_z(double angle) noexcept {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return Matrix3{{{c, s, 0.0}, {-s, c, 0.0}, {0.0, 0.0, 1.0}}};
}

Matrix3 multiply(const Matrix3& a, const Matrix3& b) noexcept {
    Matrix3 product{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            product.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j];
        }
    }
    return product;
}

Vector3 multiply(const Matrix3& a, const Vector3& v) noexcept {
    return Vector3{a.m[0][0] * v.x + a.m[0][1] * v.y + a.m[0][2] * v.z,
                   a.m[1][0] * v.x + a.m[1][1] * v.y + a.m[1][2] * v.z,
                   a.m[2][0] * v.x + a.m[2][1] * v.y + a.m[2][2] * v.z};
}

double mean_obliquity(double jd_tt) noexcept {
    const double t = julian_centuries(jd_tt);
    // IAU 2006 mean obliquity (Hilton et al. 2006), arcseconds → radians as × π / 648000.
    const double arcseconds =
        84381.406 +
        t * (-46.836769 + t * (-0.0001831 + t * (0.0020034 + t * (-0.000000576 + t * -0.0000000434))));
    return arcseconds * PI / 648000.0;
}

namespace {

// Delaunay arguments l, l′, F, D, Ω in radians (IERS Conventions 2003, degree polynomials).
struct FundamentalArguments {
    double mean_anomaly_moon;
    double mean_anomaly_sun;
    double argument_of_latitude;
    double elongation;
    double node;
};

FundamentalArguments fundamental_arguments(double t) noexcept {
    FundamentalArguments a;
    a.mean_anomaly_moon =
        (134.96340251 + t * (477198.8675605 + t * (0.0088553 + t * (1.0 / 69699.0 + t / -14712000.0)))) *
        DEG_TO_RAD;
    a.mean_anomaly_sun = (357.52910918 + t * (35999.0502911 + t * (-0.0001537 + t * (-1.0 / 24490000.0)))) *
                         DEG_TO_RAD;
    a.argument_of_latitude =
        (93.27209062 + t * (483202.0174577 + t * (-0.0036825 + t * (1.0 / 327270.0 + t / -12408000.0)))) *
        DEG_TO_RAD;
    a.elongation =
        (297.85019547 + t * (445267.1114469 + t * (-0.0017696 + t * (1.0 / 545868.0 + t / -113065000.0)))) *
        DEG_TO_RAD;
    a.node = (125.04455501 + t * (-1934.1361849 + t * (0.0020756 + t * (1.0 / 467441.0 + t / -60616000.0)))) *
             DEG_TO_RAD;
    return a;
}

}  // namespace

Nutation nutation(double jd_tt) noexcept {
    const double t = julian_centuries(jd_tt);
    const FundamentalArguments a = fundamental_arguments(t);
    double longitude = 0.0;
    double obliquity = 0.0;
    // IAU 2000B luni-solar series, summed in published order; planetary offsets deliberately left out.
    for (const auto& row : NUTATION_TERMS) {
        const double argument = a.mean_anomaly_moon * static_cast<double>(row[0]) +
                                a.mean_anomaly_sun * static_cast<double>(row[1]) +
                                a.argument_of_latitude * static_cast<double>(row[2]) +
                                a.elongation * static_cast<double>(row[3]) + a.node * static_cast<double>(row[4]);
        const double sine = std::sin(argument);
        const double cosine = std::cos(argument);
        longitude += (static_cast<double>(row[5]) + static_cast<double>(row[6]) * t) * sine +
                     static_cast<double>(row[7]) * cosine;
        obliquity += (static_cast<double>(row[8]) + static_cast<double>(row[9]) * t) * cosine +
                     static_cast<double>(row[10]) * sine;
    }
    return Nutation{longitude * NUTATION_UNIT_TO_RADIANS, obliquity * NUTATION_UNIT_TO_RADIANS};
}

void nutation_series(double t, NutationSeries& out) noexcept {
    static_assert(NUTATION_SERIES_TERMS == NUTATION_TERM_COUNT, "one entry per IAU 2000B term");
    const FundamentalArguments a = fundamental_arguments(t);
    for (int i = 0; i < NUTATION_TERM_COUNT; ++i) {
        const auto& row = NUTATION_TERMS[i];
        out.argument[i] = a.mean_anomaly_moon * static_cast<double>(row[0]) +
                          a.mean_anomaly_sun * static_cast<double>(row[1]) +
                          a.argument_of_latitude * static_cast<double>(row[2]) +
                          a.elongation * static_cast<double>(row[3]) + a.node * static_cast<double>(row[4]);
        out.longitude_sine[i] = static_cast<double>(row[5]) + static_cast<double>(row[6]) * t;
        out.longitude_cosine[i] = static_cast<double>(row[7]);
        out.obliquity_cosine[i] = static_cast<double>(row[8]) + static_cast<double>(row[9]) * t;
        out.obliquity_sine[i] = static_cast<double>(row[10]);
    }
}

double precession_psi_bar(double t) noexcept {
    return -0.041775 + t * (5038.481484 + t * (1.5584175 + t * (-0.00018522 + t * (-0.000026452 + t * -0.0000000148))));
}

Matrix3 precession_matrix(double jd_tt) noexcept {
    const double t = julian_centuries(jd_tt);
    // IAU 2006 Fukushima–Williams angles (Hilton et al. 2006), arcseconds.
    const double gamma_bar =
        -0.052928 + t * (10.556378 + t * (0.4932044 + t * (-0.00031238 + t * (-0.000002788 + t * 0.000000026))));
    const double phi_bar =
        84381.412819 +
        t * (-46.811016 + t * (0.0511268 + t * (0.00053289 + t * (-0.00000044 + t * -0.0000000176))));
    const double psi_bar = precession_psi_bar(t);
    const double epsilon_a = mean_obliquity(jd_tt);
    // P = R_z(γ̄) · R_x(−φ̄) · R_z(−ψ̄) · R_x(ε_A), multiplied left to right.
    Matrix3 p = multiply(rotation_z(gamma_bar * ARCSECONDS_TO_RADIANS), rotation_x(-phi_bar * ARCSECONDS_TO_RADIANS));
    p = multiply(p, rotation_z(-psi_bar * ARCSECONDS_TO_RADIANS));
    return multiply(p, rotation_x(epsilon_a));
}

Matrix3 nutation_matrix(double mean_obliquity_rad, double nutation_longitude, double nutation_obliquity) noexcept {
    // N = R_x(−(ε_A + Δε)) · R_z(−Δψ) · R_x(ε_A).
    return multiply(multiply(rotation_x(-(mean_obliquity_rad + nutation_obliquity)), rotation_z(-nutation_longitude)),
                    rotation_x(mean_obliquity_rad));
}

}  // namespace zentaric
