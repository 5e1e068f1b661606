// The house systems whose cusps the library evaluates by rewritten formulas (Placidus, Regiomontanus, Campanus,
// Morinus) against their straightforward evaluation: every formula evaluated as written from its inputs in
// degrees, Placidus iterating through the ecliptic longitude and declination of every estimate. The shortcuts
// (the one-sine Placidus step, addition theorems, the normalisation without fmod) must keep every cusp within
// 1e-9 degrees of it and take the same polar fallbacks. The other systems share only trigonometry evaluated
// once and that normalisation, which is checked bit for bit below.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "houses/house_cusps.hpp"
#include "houses/house_system.hpp"
#include "houses/spherical.hpp"
#include "time/angles.hpp"

namespace zentaric {
namespace {

namespace straightforward {

constexpr double LIMIT = 66.56;
constexpr double ONE_THIRD = 0.3333333333333333;
constexpr double TWO_THIRDS = 0.6666666666666666;

double rad(double degrees) { return degrees * DEG_TO_RAD; }

// The ascendant formula's intersection of ecliptic and horizon, and the midheaven.
Angles formula_angles(double ramc, double latitude, double obliquity) {
    const double r = rad(ramc), phi = rad(latitude), epsilon = rad(obliquity);
    const double asc =
        std::atan2(std::cos(r), -(std::sin(r) * std::cos(epsilon) + std::sin(epsilon) * std::tan(phi)));
    const double mc = std::atan2(std::sin(r), std::cos(r) * std::cos(epsilon));
    return Angles{normalize_degrees(asc * RAD_TO_DEG), normalize_degrees(mc * RAD_TO_DEG)};
}

// Inside the polar circle the intersection can be the setting one, west of the meridian.
bool setting(const Angles& formula, double latitude, double obliquity) {
    return std::fabs(latitude) > 90.0 - obliquity && normalize_degrees(formula.asc - formula.mc) > 180.0;
}

Angles angles(double ramc, double latitude, double obliquity) {
    Angles result = formula_angles(ramc, latitude, obliquity);
    if (setting(result, latitude, obliquity)) result.asc = normalize_degrees(result.asc + 180.0);
    return result;
}

double longitude_of_ra(double ra, double obliquity) {
    return normalize_degrees(std::atan2(std::sin(rad(ra)), std::cos(rad(ra)) * std::cos(rad(obliquity))) * RAD_TO_DEG);
}

double declination_of_longitude(double longitude, double obliquity) {
    return std::asin(std::sin(rad(longitude)) * std::sin(rad(obliquity))) * RAD_TO_DEG;
}

std::optional<double> diurnal_semi_arc(double latitude, double declination) {
    const double t = -(std::tan(rad(latitude)) * std::tan(rad(declination)));
    if (!(std::fabs(t) <= 1.0)) return std::nullopt;
    return std::acos(t) * RAD_TO_DEG;
}

HouseCusps equal_record(HouseSystem system, double ramc, double latitude, double obliquity, bool fallback) {
    const Angles a = angles(ramc, latitude, obliquity);
    HouseCusps result{{}, a.asc, a.mc, system, fallback};
    for (int k = 0; k < 12; ++k) result.cusps[k] = normalize_degrees(a.asc + 30.0 * k);
    return result;
}

HouseCusps opposite_pairs(HouseSystem system, Angles a, double h11, double h12, double h2, double h3) {
    HouseCusps result{{a.asc, h2, h3, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, a.mc, h11, h12}, a.asc, a.mc, system, false};
    for (int k = 3; k < 9; ++k) result.cusps[k] = normalize_degrees(result.cusps[(k + 6) % 12] + 180.0);
    return result;
}

std::optional<double> placidus_cusp(bool above, double ramc, double latitude, double obliquity, double f) {
    const double m = angles(ramc, latitude, obliquity).mc;
    std::optional<double> s = diurnal_semi_arc(latitude, declination_of_longitude(m, obliquity));
    if (!s) return std::nullopt;
    const double ic = normalize_degrees(ramc + 180.0);
    auto x = [&](double semi_arc) {
        return normalize_degrees(above ? ramc + f * semi_arc : ic - (1.0 - f) * (180.0 - semi_arc));
    };
    double e = x(*s);
    for (int step = 0; step < 50; ++step) {
        const double p = e;
        s = diurnal_semi_arc(latitude, declination_of_longitude(longitude_of_ra(p, obliquity), obliquity));
        if (!s) return std::nullopt;
        e = x(*s);
        double d = e - p;
        if (d > 180.0) d -= 360.0;
        if (d < -180.0) d += 360.0;
        if (std::fabs(d) < 1e-8) break;
    }
    return longitude_of_ra(e, obliquity);
}

HouseCusps placidus(double ramc, double latitude, double obliquity) {
    if (std::fabs(latitude) > LIMIT) return equal_record(HouseSystem::Placidus, ramc, latitude, obliquity, true);
    const auto h11 = placidus_cusp(true, ramc, latitude, obliquity, ONE_THIRD);
    const auto h12 = placidus_cusp(true, ramc, latitude, obliquity, TWO_THIRDS);
    const auto h2 = placidus_cusp(false, ramc, latitude, obliquity, ONE_THIRD);
    const auto h3 = placidus_cusp(false, ramc, latitude, obliquity, TWO_THIRDS);
    if (!h11 || !h12 || !h2 || !h3) return equal_record(HouseSystem::Placidus, ramc, latitude, obliquity, true);
    return opposite_pairs(HouseSystem::Placidus, angles(ramc, latitude, obliquity), *h11, *h12, *h2, *h3);
}

double regiomontanus_cusp(unsigned h, double ramc, double latitude, double obliquity) {
    const double house_angle = rad(30.0 * static_cast<double>(h) + 90.0);
    const double tan_pole = std::tan(std::atan(std::tan(rad(latitude)) * std::sin(house_angle)));
    const double a = rad(ramc) + house_angle;
    return normalize_degrees(
        std::atan2(std::sin(a), std::cos(rad(obliquity)) * std::cos(a) - std::sin(rad(obliquity)) * tan_pole) *
        RAD_TO_DEG);
}

double campanus_cusp(unsigned h, double ramc, double latitude, double obliquity) {
    const double a = rad(30.0 * static_cast<double>(h)), r = rad(ramc), phi = rad(latitude), e = rad(obliquity);
    const double px = -std::sin(r) * std::cos(a) - std::sin(a) * std::cos(phi) * std::cos(r);
    const double py = std::cos(r) * std::cos(a) - std::sin(a) * std::cos(phi) * std::sin(r);
    const double pz = -std::sin(phi) * std::sin(a);
    const double vx = -std::sin(phi) * std::cos(r), vy = -std::sin(phi) * std::sin(r), vz = std::cos(phi);
    const double nx = py * vz - pz * vy, ny = pz * vx - px * vz, nz = px * vy - py * vx;
    double dx = -std::sin(e) * nz - std::cos(e) * ny, dy = std::cos(e) * nx, dz = std::sin(e) * nx;
    if (px * dx + py * dy + pz * dz < 0.0) dx = -dx, dy = -dy, dz = -dz;
    return normalize_degrees(std::atan2(std::cos(e) * dy + std::sin(e) * dz, dx) * RAD_TO_DEG);
}

// Where the ascendant is turned, Regiomontanus turns its whole wheel, Campanus its four angles.
template <class Cusp>
HouseCusps own_formula(HouseSystem system, double ramc, double latitude, double obliquity, Cusp cusp) {
    const Angles formula = formula_angles(ramc, latitude, obliquity);
    const double turn = setting(formula, latitude, obliquity) ? 180.0 : 0.0;
    const double cusp_turn = system == HouseSystem::Regiomontanus ? turn : 0.0;
    const Angles a{normalize_degrees(formula.asc + turn), normalize_degrees(formula.mc + turn)};
    HouseCusps result{{}, a.asc, a.mc, system, false};
    for (unsigned h = 0; h < 12; ++h) {
        result.cusps[h] = normalize_degrees(cusp(h, ramc, latitude, obliquity) + cusp_turn);
    }
    result.cusps[0] = a.asc;
    result.cusps[3] = normalize_degrees(a.mc + 180.0);
    result.cusps[6] = normalize_degrees(a.asc + 180.0);
    result.cusps[9] = a.mc;
    return result;
}

HouseCusps system_cusps(HouseSystem system, double ramc, double latitude, double obliquity) {
    switch (system) {
        case HouseSystem::Placidus: return placidus(ramc, latitude, obliquity);
        case HouseSystem::Campanus: return own_formula(system, ramc, latitude, obliquity, campanus_cusp);
        case HouseSystem::Regiomontanus: return own_formula(system, ramc, latitude, obliquity, regiomontanus_cusp);
        default: {  // Morinus
            const Angles a = angles(ramc, latitude, obliquity);
            HouseCusps result{{}, a.asc, a.mc, system, false};
            for (int k = 1; k <= 12; ++k) {
                const double point = rad(normalize_degrees(ramc + static_cast<double>(k - 10) * 30.0));
                result.cusps[k - 1] = normalize_degrees(
                    std::atan2(std::sin(point) * std::cos(rad(obliquity)), std::cos(point)) * RAD_TO_DEG);
            }
            return result;
        }
    }
}

// A wheel whose cusps do not follow each other once round the zodiac gives way to Equal houses.
HouseCusps house_cusps(HouseSystem system, double ramc, double latitude, double obliquity) {
    const HouseCusps own = system_cusps(system, ramc, latitude, obliquity);
    double turn = 0.0;
    bool forward = true;
    for (int k = 0; k < 12; ++k) {
        const double arc = normalize_degrees(own.cusps[(k + 1) % 12] - own.cusps[k]);
        forward = forward && arc > 0.0;
        turn += arc;
    }
    if (own.polar_fallback || (forward && std::fabs(turn - 360.0) <= 1e-9)) return own;
    return equal_record(system, ramc, latitude, obliquity, true);
}

}  // namespace straightforward

constexpr std::array<HouseSystem, 4> REWRITTEN_SYSTEMS = {HouseSystem::Placidus, HouseSystem::Campanus,
                                                       HouseSystem::Regiomontanus, HouseSystem::Morinus};

constexpr double TOLERANCE_DEGREES = 1e-9;

// Length of the shorter arc between two longitudes (degrees).
double arc_distance(double a, double b) {
    const double d = std::fabs(std::fmod(a - b, 360.0));
    return d > 180.0 ? 360.0 - d : d;
}

// Largest distance (degrees) between two records over cusps, ascendant and midheaven, or +inf where the
// system or the fallback flag differ.
double record_distance(const HouseCusps& fast, const HouseCusps& reference) {
    if (fast.system != reference.system || fast.polar_fallback != reference.polar_fallback) {
        return std::numeric_limits<double>::infinity();
    }
    double largest = std::max(arc_distance(fast.asc, reference.asc), arc_distance(fast.mc, reference.mc));
    for (int k = 0; k < 12; ++k) largest = std::max(largest, arc_distance(fast.cusps[k], reference.cusps[k]));
    return largest;
}

// RAMC in irregular steps over the circle with the quadrant points and wrap-around values; latitudes
// from −66.56 to 66.56 with the limits and the equator; obliquities from none to beyond the Earth's.
std::vector<double> grid_ramcs() {
    std::vector<double> values = {0.0, 1e-13, -1e-15, 90.0, 180.0, 270.0, 359.9999999999, 360.0, -45.0, 725.0};
    for (double ramc = 0.123; ramc < 360.0; ramc += 1.7371) values.push_back(ramc);
    return values;
}

std::vector<double> grid_latitudes() {
    std::vector<double> values = {0.0, -66.56, 66.56};
    for (int i = 1; i < 256; ++i) values.push_back(-66.56 + 133.12 * i / 256.0);
    return values;
}

constexpr std::array<double, 5> GRID_OBLIQUITIES = {0.0, 10.0, 23.44, 24.2, 35.0};

// Fails the test where the fast and the straightforward records differ by more than the tolerance; returns the
// difference.
double expect_agreement(HouseSystem system, double ramc, double latitude, double obliquity, double tolerance) {
    const double distance = record_distance(house_cusps(system, ramc, latitude, obliquity),
                                            straightforward::house_cusps(system, ramc, latitude, obliquity));
    if (!(distance <= tolerance))
        ADD_FAILURE() << house_system_name(system) << " ramc " << ramc << " latitude " << latitude << " obliquity "
                      << obliquity << ": " << distance << " degrees";
    return distance;
}

TEST(FastPaths, StayWithinANanodegreeOfTheStraightforwardEvaluation) {
    for (HouseSystem system : REWRITTEN_SYSTEMS) {
        double largest = 0.0;
        for (double ramc : grid_ramcs())
            for (double latitude : grid_latitudes())
                for (double obliquity : GRID_OBLIQUITIES)
                    largest = std::max(largest, expect_agreement(system, ramc, latitude, obliquity, TOLERANCE_DEGREES));
        std::printf("%s: largest difference %.3g degrees\n", std::string(house_system_name(system)).c_str(), largest);
    }
}

// Places where a Placidus step of the one-sine iteration lands within rounding of the 1e-8° tolerance, so
// that without handing the decision to the literal iteration the cusp would stop one step early or late
// and differ from it by 1.4e-9 to 6.1e-9 degrees (found by scanning 50 million cusps).
TEST(FastPaths, PlacidusStepsOnTheToleranceFollowTheLiteralIteration) {
    const double places[12][3] = {
        {223.81669999999596, -64.513200000000097, 23.44}, {23.504300000000026, 65.531699999996974, 23.44},
        {109.08079999999906, -56.69150000000046, 24.2},   {152.81989999999789, -47.40780000000089, 24.2},
        {166.76569999999751, -44.995500000001002, 24.2},  {196.77029999999669, 52.592999999997573, 24.2},
        {303.68809999999382, 55.590099999997435, 24.2},   {267.34449999999481, -51.647600000000693, 35.0},
        {16.53139999999998, -39.951600000001235, 35.0},   {84.147399999999735, 45.209899999997916, 35.0},
        {118.16669999999881, 47.037399999997831, 35.0},   {326.93109999999319, 54.274299999997496, 35.0}};
    for (const auto& [ramc, latitude, obliquity] : places)
        expect_agreement(HouseSystem::Placidus, ramc, latitude, obliquity, 1e-12);
}

// Regiomontanus and Campanus where a house circle (nearly) coincides with the ecliptic: for obliquity ε the
// circle of house h lies in the ecliptic when tan φ · sin(30°·h + 90°) = ±cot ε and the RAMC is a multiple
// of 30°; there the Campanus choice between the two intersections is a tie as well. Rounding of any
// rewritten formula is magnified there (shortcuts taken everywhere would differ from the straightforward
// evaluation by up to 180° at the exact latitude and by 1e-9° still 1e-3° away from it).
TEST(FastPaths, HouseCircleAlongTheEclipticFollowsTheStraightforwardEvaluation) {
    for (double obliquity : {23.44, 35.0})
        for (double sin_house_angle : {0.8660254037844386, 0.5}) {
            const double exact_latitude =
                std::atan(1.0 / std::tan(obliquity * DEG_TO_RAD) / sin_house_angle) * RAD_TO_DEG;
            for (double offset : {0.0, 1e-12, 1e-9, 1e-6, 1e-3})
                for (double latitude : {exact_latitude + offset, -exact_latitude - offset})
                    for (double ramc = 0.0; ramc < 360.0; ramc += 30.0)
                        for (HouseSystem system : {HouseSystem::Regiomontanus, HouseSystem::Campanus})
                            expect_agreement(system, ramc, latitude, obliquity, 1e-11);
        }
}

TEST(NormalizeDegreesFast, EqualsTheSharedNormalisationBitForBit) {
    std::vector<double> values = {0.0, -0.0, 1e-300, -1e-300, -1e-15, -5e-15, 359.99999999999994, 360.0,
                                  -360.0, 719.9999999999999, 720.0, -359.99999999999994, -720.0, 1e20, -1e20,
                                  std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity()};
    for (double x = -800.0; x < 800.0; x += 0.37) values.push_back(x);
    for (double x : values) {
        const double fast = houses::normalize_degrees_fast(x), shared = normalize_degrees(x);
        EXPECT_EQ(std::signbit(fast), std::signbit(shared)) << x;
        EXPECT_EQ(fast, shared) << x;
    }
}

}  // namespace
}  // namespace zentaric
