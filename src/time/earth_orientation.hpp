// Earth orientation: IAU 2006 mean obliquity and precession (Fukushima–Williams angles), IAU 2000B nutation,
// the IAU 2000 frame bias, and the rotation matrices that combine them.
#pragma once

namespace zentaric {

// One arcsecond in radians, as used by the precession angles and the lunar theory.
inline constexpr double ARCSECONDS_TO_RADIANS = 4.84813681109536e-6;
// 0.1 microarcsecond in radians: the unit of the IAU 2000B nutation coefficients.
inline constexpr double NUTATION_UNIT_TO_RADIANS = 4.848136811095359e-13;

// 3×3 matrix, row-major, applied to column vectors: v′ᵢ = Σⱼ mᵢⱼ vⱼ.
struct Matrix3 {
    double m[3][3];
};

struct Vector3 {
    double x, y, z;
};

// Nutation in longitude Δψ and in obliquity Δε, radians.
struct Nutation {
    double longitude;
    double obliquity;
};

// IAU 2000 frame bias from the ICRS to the mean J2000 equator and equinox
// (offsets −14.6, −16.617, −6.8192 mas).
inline constexpr Matrix3 FRAME_BIAS = {{
    {0.9999999999999942, -7.078279744199226e-08, 8.056148938997159e-08},
    {7.078279477859602e-08, 0.999999999999997, 3.3060414542221477e-08},
    {-8.056149173008022e-08, -3.306040883985389e-08, 0.9999999999999962},
}};

// Rotation of the axes about x by a radians.
Matrix3 rotation_x(double angle) noexcept;

// Rotation of the axes about z by a radians.
Matrix3 rotation_z(double angle) noexcept;

// Ordinary matrix product a·b (a applied last).
Matrix3 multiply(const Matrix3& a, const Matrix3& b) noexcept;

// Matrix applied to a column vector.
Vector3 multiply(const Matrix3& a, const Vector3& v) noexcept;

// IAU 2006 mean obliquity of the ecliptic ε_A at a TT Julian Day, radians.
double mean_obliquity(double jd_tt) noexcept;

// IAU 2000B nutation (Δψ, Δε) at a TT Julian Day, radians, without the fixed planetary offsets.
Nutation nutation(double jd_tt) noexcept;

// The IAU 2000B terms at T Julian centuries as nutation() forms them, for other summation kernels:
// Δψ = Σ (A + A′T)·sin φ + A″·cos φ and Δε = Σ (B + B′T)·cos φ + B″·sin φ, in 0.1 µas (NUTATION_UNIT_TO_RADIANS).
inline constexpr int NUTATION_SERIES_TERMS = 77;
struct NutationSeries {
    double argument[NUTATION_SERIES_TERMS];
    double longitude_sine[NUTATION_SERIES_TERMS];
    double longitude_cosine[NUTATION_SERIES_TERMS];
    double obliquity_sine[NUTATION_SERIES_TERMS];
    double obliquity_cosine[NUTATION_SERIES_TERMS];
};
void nutation_series(double t, NutationSeries& out) noexcept;

// IAU 2006 Fukushima–Williams angle ψ̄ (Capitaine et al. 2003, Hilton et al. 2006), the general precession in
// longitude, arcseconds, at t Julian centuries of TT since J2000.0.
double precession_psi_bar(double t) noexcept;

// IAU 2006 precession matrix from the mean J2000 frame to the mean equator and equinox of date,
// built from the Fukushima–Williams angles.
Matrix3 precession_matrix(double jd_tt) noexcept;

// Nutation matrix from the mean to the true equator and equinox of date (radians in).
Matrix3 nutation_matrix(double mean_obliquity_rad, double nutation_longitude, double nutation_obliquity) noexcept;

}  // namespace zentaric
