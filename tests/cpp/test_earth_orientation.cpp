// Earth orientation: obliquity, nutation, precession and the rotation matrices.
#include <gtest/gtest.h>

#include <cmath>

#include "time/earth_orientation.hpp"

namespace zentaric {
namespace {

constexpr double ARCSECONDS_PER_RADIAN = 206264.80624709636;

void expect_matrix_near(const Matrix3& a, const Matrix3& b, double tolerance) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(a.m[i][j], b.m[i][j], tolerance) << i << "," << j;
}

void expect_orthonormal(const Matrix3& a) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const double dot = a.m[i][0] * a.m[j][0] + a.m[i][1] * a.m[j][1] + a.m[i][2] * a.m[j][2];
            EXPECT_NEAR(dot, i == j ? 1.0 : 0.0, 1e-15);
        }
}

const Matrix3 IDENTITY = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

TEST(Rotations, ZeroAngleIsTheIdentityAndAxesTurnTheStatedWay) {
    expect_matrix_near(rotation_x(0.0), IDENTITY, 0.0);
    expect_matrix_near(rotation_z(0.0), IDENTITY, 0.0);
    const double a = 0.3;
    const Vector3 turned = multiply(rotation_z(a), Vector3{1.0, 0.0, 0.0});
    EXPECT_EQ(turned.x, std::cos(a));
    EXPECT_EQ(turned.y, -std::sin(a));
    EXPECT_EQ(turned.z, 0.0);
    const Vector3 tilted = multiply(rotation_x(a), Vector3{0.0, 1.0, 0.0});
    EXPECT_EQ(tilted.y, std::cos(a));
    EXPECT_EQ(tilted.z, -std::sin(a));
}

TEST(MeanObliquity, AtJ2000IsTheIau2006Constant) {
    EXPECT_EQ(mean_obliquity(2451545.0), 84381.406 * 3.141592653589793 / 648000.0);
    EXPECT_EQ(mean_obliquity(2451545.0), 0.4090926006005829);
    // A century later it has fallen by 46.84″.
    EXPECT_NEAR((mean_obliquity(2451545.0) - mean_obliquity(2488070.0)) * ARCSECONDS_PER_RADIAN,
                46.836769 + 0.0001831 - 0.0020034 + 0.000000576 + 0.0000000434, 1e-9);
}

TEST(Nutation, AtJ2000MatchesTheIau2000bModel) {
    const Nutation n = nutation(2451545.0);
    // Published model without planetary offsets: (−13.93153″, −5.76981″); quoted as ≈ (−13.9323″, −5.7703″).
    EXPECT_NEAR(n.longitude * ARCSECONDS_PER_RADIAN, -13.93153, 1e-5);
    EXPECT_NEAR(n.obliquity * ARCSECONDS_PER_RADIAN, -5.76981, 1e-5);
    EXPECT_NEAR(n.longitude * ARCSECONDS_PER_RADIAN, -13.9323, 1e-3);
    EXPECT_NEAR(n.obliquity * ARCSECONDS_PER_RADIAN, -5.7703, 1e-3);
}

TEST(PrecessionMatrix, AtJ2000CarriesOnlyTheConstantTermsOfTheAngles) {
    const Matrix3 p = precession_matrix(2451545.0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(p.m[i][i], 1.0, 1e-14);
        for (int j = 0; j < 3; ++j)
            if (i != j) {
                EXPECT_GT(std::fabs(p.m[i][j]), 3e-8) << i << "," << j;
                EXPECT_LT(std::fabs(p.m[i][j]), 1e-7) << i << "," << j;
            }
    }
    expect_orthonormal(p);
}

TEST(PrecessionMatrix, HalfACenturyMovesTheEquinoxByTheGeneralPrecession) {
    // Composition and angles are checked against ERFA's pfw06 in the Python cross-check; here the size:
    // half a century of general precession moves the equinox about 2519″ along the ecliptic.
    const Vector3 equinox = multiply(precession_matrix(2469807.5), Vector3{1.0, 0.0, 0.0});
    EXPECT_NEAR(std::acos(equinox.x) * ARCSECONDS_PER_RADIAN, 2519.0, 10.0);
    expect_orthonormal(precession_matrix(990575.0));
}

TEST(NutationMatrix, IsIdentityWithoutNutationAndOrthonormalWithIt) {
    expect_matrix_near(nutation_matrix(0.409, 0.0, 0.0), IDENTITY, 1e-16);
    const Nutation n = nutation(2460000.5);
    const Matrix3 matrix = nutation_matrix(mean_obliquity(2460000.5), n.longitude, n.obliquity);
    expect_orthonormal(matrix);
    // Element (2, 1) of R_x(−(ε + Δε))·R_z(−Δψ)·R_x(ε) is cos(ε + Δε)·sin Δψ.
    EXPECT_NEAR(matrix.m[1][0], std::cos(mean_obliquity(2460000.5) + n.obliquity) * std::sin(n.longitude), 1e-17);
}

TEST(FrameBias, IsARotationWithTheIau2000Offsets) {
    expect_orthonormal(FRAME_BIAS);
    EXPECT_NEAR(FRAME_BIAS.m[0][1] * ARCSECONDS_PER_RADIAN, -0.0146, 1e-6);
}

}  // namespace
}  // namespace zentaric
