// Quadrant houses: Placidus, Koch, Regiomontanus, Campanus and Alcabitius. Each keeps the four
// angles as cusps 1, 4, 7 and 10 and builds the intermediate cusps by its own division.
#include <cmath>
#include <optional>

#include "houses/constants.hpp"
#include "houses/spherical.hpp"
#include "houses/systems.hpp"
#include "time/angles.hpp"

namespace zentaric::houses {
namespace {

// Cusps of a quadrant system whose houses 5, 6, 8 and 9 are opposite 11, 12, 2 and 3.
HouseCusps opposite_pairs_houses(HouseSystem system, Angles angles, double cusp11, double cusp12, double cusp2,
                                 double cusp3) noexcept {
    const double ic = normalize_degrees(angles.mc + 180.0);
    const double descendant = normalize_degrees(angles.asc + 180.0);
    return HouseCusps{{angles.asc, cusp2, cusp3, ic, normalize_degrees(cusp11 + 180.0),
                       normalize_degrees(cusp12 + 180.0), descendant, normalize_degrees(cusp2 + 180.0),
                       normalize_degrees(cusp3 + 180.0), angles.mc, cusp11, cusp12},
                      angles.asc,
                      angles.mc,
                      system,
                      false};
}

// Cusps of a quadrant system that evaluates its own formula for every intermediate house index
// (0-based h, house h + 1).
template <class CuspOfIndex>
HouseCusps own_formula_houses(HouseSystem system, Angles angles, CuspOfIndex cusp_of_index) noexcept {
    const double ic = normalize_degrees(angles.mc + 180.0);
    const double descendant = normalize_degrees(angles.asc + 180.0);
    HouseCusps result{{}, angles.asc, angles.mc, system, false};
    for (unsigned h = 0; h < 12; ++h) {
        switch (h) {
            case 0: result.cusps[h] = angles.asc; break;
            case 3: result.cusps[h] = ic; break;
            case 6: result.cusps[h] = descendant; break;
            case 9: result.cusps[h] = angles.mc; break;
            default: result.cusps[h] = cusp_of_index(h); break;
        }
    }
    return result;
}

// Right ascension (degrees) of a Placidus cusp for a semi-arc S: above the horizon the fraction f of the
// diurnal semi-arc east of the meridian, below it the fraction 1 − f of the nocturnal semi-arc before
// lower culmination.
double placidus_right_ascension(bool above, double ramc, double ic_right_ascension, double fraction,
                                double semi_arc) noexcept {
    return normalize_degrees(above ? ramc + fraction * semi_arc
                                   : ic_right_ascension - (1.0 - fraction) * (180.0 - semi_arc));
}

// Longitude (degrees) of a Placidus cusp: the ecliptic point whose hour angle is the given fraction of
// its own semi-arc, found by fixed-point iteration on its right ascension; nothing where the point is
// circumpolar.
std::optional<double> placidus_cusp(bool above, double ramc, double latitude, double obliquity,
                                    double fraction) noexcept {
    const double midheaven = compute_angles(ramc, latitude, obliquity).mc;
    // First estimate from the semi-arc of the midheaven's degree.
    std::optional<double> semi_arc = diurnal_semi_arc(latitude, declination_of_longitude(midheaven, obliquity));
    if (!semi_arc) return std::nullopt;
    const double ic_right_ascension = normalize_degrees(ramc + 180.0);
    double estimate = placidus_right_ascension(above, ramc, ic_right_ascension, fraction, *semi_arc);
    for (int step = 0; step < PLACIDUS_MAX_STEPS; ++step) {
        const double previous = estimate;
        const double longitude = longitude_of_ra(previous, obliquity);
        semi_arc = diurnal_semi_arc(latitude, declination_of_longitude(longitude, obliquity));
        if (!semi_arc) return std::nullopt;
        estimate = placidus_right_ascension(above, ramc, ic_right_ascension, fraction, *semi_arc);
        double change = estimate - previous;
        if (change > 180.0) change -= 360.0;
        if (change < -180.0) change += 360.0;
        if (std::fabs(change) < PLACIDUS_TOLERANCE_DEGREES) break;
    }
    return longitude_of_ra(estimate, obliquity);
}

// Longitude (degrees) of a Koch cusp: the ascendant at the moment the midheaven's degree had covered
// (above) or will cover (below) the given fraction of its diurnal semi-arc; nothing where that degree
// is circumpolar.
std::optional<double> koch_cusp(bool above, double ramc, double latitude, double obliquity, double midheaven,
                                double fraction) noexcept {
    const std::optional<double> semi_arc =
        diurnal_semi_arc(latitude, declination_of_longitude(midheaven, obliquity));
    if (!semi_arc) return std::nullopt;
    const double shift = fraction * *semi_arc;
    const double shifted_ramc = normalize_degrees(above ? ramc - shift : ramc + shift);
    return compute_angles(shifted_ramc, latitude, obliquity).asc;
}

// Longitude (degrees) of Regiomontanus cusp h (0-based): the equator divided in 30° steps from the
// east point, each house circle through the north and south points of the horizon, reached through its
// pole P with tan P = tan φ · sin H.
double regiomontanus_cusp(unsigned h, double ramc, double latitude, double obliquity) noexcept {
    const double house_angle = (30.0 * static_cast<double>(h) + 90.0) * DEG_TO_RAD;
    const double epsilon = obliquity * DEG_TO_RAD;
    const double tan_pole = std::tan(std::atan(std::tan(latitude * DEG_TO_RAD) * std::sin(house_angle)));
    const double a = ramc * DEG_TO_RAD + house_angle;
    // Ascendant formula for the oblique horizon of pole P
    return normalize_degrees(
        std::atan2(std::sin(a), std::cos(epsilon) * std::cos(a) - std::sin(epsilon) * tan_pole) * RAD_TO_DEG);
}

// Longitude (degrees) of Campanus cusp h (0-based): the prime vertical divided in 30° steps from the east
// point, the house circle through the north and south points of the horizon and the division point,
// intersected with the ecliptic. Equatorial rectangular coordinates throughout.
double campanus_cusp(unsigned h, double ramc, double latitude, double obliquity) noexcept {
    const double a = 30.0 * static_cast<double>(h) * DEG_TO_RAD;
    const double r = ramc * DEG_TO_RAD;
    const double phi = latitude * DEG_TO_RAD;
    const double epsilon = obliquity * DEG_TO_RAD;
    const double sin_r = std::sin(r), cos_r = std::cos(r);
    const double sin_phi = std::sin(phi), cos_phi = std::cos(phi);
    const double sin_a = std::sin(a), cos_a = std::cos(a);
    const double sin_epsilon = std::sin(epsilon), cos_epsilon = std::cos(epsilon);
    // Division point P = cos A · east point + sin A · nadir
    const double px = -sin_r * cos_a - sin_a * cos_phi * cos_r;
    const double py = cos_r * cos_a - sin_a * cos_phi * sin_r;
    const double pz = -sin_phi * sin_a;
    // North point of the horizon
    const double vx = -sin_phi * cos_r;
    const double vy = -sin_phi * sin_r;
    const double vz = cos_phi;
    // Pole of the house circle N = P × V
    const double nx = py * vz - pz * vy;
    const double ny = pz * vx - px * vz;
    const double nz = px * vy - py * vx;
    // Intersection with the ecliptic D = K × N, K the north ecliptic pole (0, −sin ε, cos ε)
    double dx = -sin_epsilon * nz - cos_epsilon * ny;
    double dy = cos_epsilon * nx;
    double dz = sin_epsilon * nx;
    // Of the two intersections, the one on P's side
    if (px * dx + py * dy + pz * dz < 0.0) {
        dx = -dx;
        dy = -dy;
        dz = -dz;
    }
    // Ecliptic longitude of D
    return normalize_degrees(std::atan2(cos_epsilon * dy + sin_epsilon * dz, dx) * RAD_TO_DEG);
}

}  // namespace

HouseCusps placidus_houses(double ramc, double latitude, double obliquity) noexcept {
    if (std::fabs(latitude) > POLAR_LATITUDE_LIMIT) {
        return equal_fallback(HouseSystem::Placidus, ramc, latitude, obliquity);
    }
    const Angles angles = compute_angles(ramc, latitude, obliquity);
    const std::optional<double> cusp11 = placidus_cusp(true, ramc, latitude, obliquity, ONE_THIRD);
    const std::optional<double> cusp12 = placidus_cusp(true, ramc, latitude, obliquity, TWO_THIRDS);
    const std::optional<double> cusp2 = placidus_cusp(false, ramc, latitude, obliquity, ONE_THIRD);
    const std::optional<double> cusp3 = placidus_cusp(false, ramc, latitude, obliquity, TWO_THIRDS);
    if (!cusp11 || !cusp12 || !cusp2 || !cusp3) {
        return equal_fallback(HouseSystem::Placidus, ramc, latitude, obliquity);
    }
    return opposite_pairs_houses(HouseSystem::Placidus, angles, *cusp11, *cusp12, *cusp2, *cusp3);
}

HouseCusps koch_houses(double ramc, double latitude, double obliquity) noexcept {
    if (std::fabs(latitude) > POLAR_LATITUDE_LIMIT) {
        return equal_fallback(HouseSystem::Koch, ramc, latitude, obliquity);
    }
    const Angles angles = compute_angles(ramc, latitude, obliquity);
    const double mc = angles.mc;
    const std::optional<double> cusp11 = koch_cusp(true, ramc, latitude, obliquity, mc, TWO_THIRDS);
    const std::optional<double> cusp12 = koch_cusp(true, ramc, latitude, obliquity, mc, ONE_THIRD);
    const std::optional<double> cusp2 = koch_cusp(false, ramc, latitude, obliquity, mc, ONE_THIRD);
    const std::optional<double> cusp3 = koch_cusp(false, ramc, latitude, obliquity, mc, TWO_THIRDS);
    if (!cusp11 || !cusp12 || !cusp2 || !cusp3) {
        return equal_fallback(HouseSystem::Koch, ramc, latitude, obliquity);
    }
    return opposite_pairs_houses(HouseSystem::Koch, angles, *cusp11, *cusp12, *cusp2, *cusp3);
}

HouseCusps regiomontanus_houses(double ramc, double latitude, double obliquity) noexcept {
    return own_formula_houses(HouseSystem::Regiomontanus, compute_angles(ramc, latitude, obliquity),
                              [=](unsigned h) { return regiomontanus_cusp(h, ramc, latitude, obliquity); });
}

HouseCusps campanus_houses(double ramc, double latitude, double obliquity) noexcept {
    return own_formula_houses(HouseSystem::Campanus, compute_angles(ramc, latitude, obliquity),
                              [=](unsigned h) { return campanus_cusp(h, ramc, latitude, obliquity); });
}

HouseCusps alcabitius_houses(double ramc, double latitude, double obliquity) noexcept {
    const Angles angles = compute_angles(ramc, latitude, obliquity);
    const double asc_right_ascension = ra_of_longitude(angles.asc, obliquity);
    // The ascendant's diurnal semi-arc, a quarter circle where it is undefined (polar latitudes).
    const double diurnal =
        diurnal_semi_arc(latitude, declination_of_longitude(angles.asc, obliquity)).value_or(90.0);
    const double nocturnal = 180.0 - diurnal;
    // Alcabitius: the semi-arcs trisected along the equator, projected to the ecliptic along hour circles.
    const double cusp11 = longitude_of_ra(normalize_degrees(ramc + diurnal / 3.0), obliquity);
    const double cusp12 = longitude_of_ra(normalize_degrees(ramc + (diurnal + diurnal) / 3.0), obliquity);
    const double cusp2 = longitude_of_ra(normalize_degrees(asc_right_ascension + nocturnal / 3.0), obliquity);
    const double cusp3 =
        longitude_of_ra(normalize_degrees(asc_right_ascension + (nocturnal + nocturnal) / 3.0), obliquity);
    return opposite_pairs_houses(HouseSystem::Alcabitius, angles, cusp11, cusp12, cusp2, cusp3);
}

}  // namespace zentaric::houses
