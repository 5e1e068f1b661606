// Earth orientation: the rotation matrices (obliquity, nutation and precession are checked against ERFA in
// tests/python/test_earth_orientation_reference.py).
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
