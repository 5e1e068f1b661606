// Quadrant houses: Placidus, Koch, Regiomontanus, Campanus and Alcabitius. Each keeps the four
// angles as cusps 1, 4, 7 and 10 and builds the intermediate cusps by its own division.
//
// For speed the trigonometry of the latitude, obliquity and RAMC is evaluated once per call, Placidus
// takes its semi-arc argument straight from the right ascension, and Regiomontanus and Campanus use the
// exact sines of multiples of 30° with the addition theorems. Each shortcut stays within 1e-9 degrees of
// the formulas evaluated as written (tests/cpp/test_houses_fast_paths.cpp); where rounding could decide
// otherwise (a Placidus step on its tolerance, a house circle along the ecliptic) the literal formula is
// evaluated instead.
#include <array>
#include <cmath>
#include <cstddef>
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
    const double ic = normalize_degrees_fast(angles.mc + 180.0);
    const double descendant = normalize_degrees_fast(angles.asc + 180.0);
    return HouseCusps{{angles.asc, cusp2, cusp3, ic, normalize_degrees_fast(cusp11 + 180.0),
                       normalize_degrees_fast(cusp12 + 180.0), descendant, normalize_degrees_fast(cusp2 + 180.0),
                       normalize_degrees_fast(cusp3 + 180.0), angles.mc, cusp11, cusp12},
                      angles.asc,
                      angles.mc,
                      system,
                      false};
}

// Cusps of a quadrant system that evaluates its own formula for every intermediate house index
// (0-based h, house h + 1).
template <class CuspOfIndex>
HouseCusps own_formula_houses(HouseSystem system, Angles angles, CuspOfIndex cusp_of_index) noexcept {
    const double ic = normalize_degrees_fast(angles.mc + 180.0);
    const double descendant = normalize_degrees_fast(angles.asc + 180.0);
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

// What one Placidus cusp needs besides its fraction: the RAMC and the right ascension of the IC (degrees),
// the semi-arc of the midheaven's degree that gives the first estimate (degrees), and tan φ · tan ε.
struct PlacidusFrame {
    double ramc;
    double ic_right_ascension;
    double first_semi_arc;
    double tan_latitude_tan_obliquity;
};

// Right ascension (degrees) of a Placidus cusp for a semi-arc S: above the horizon the fraction f of the
// diurnal semi-arc east of the meridian, below it the fraction 1 − f of the nocturnal semi-arc before
// lower culmination.
double placidus_right_ascension(bool above, const PlacidusFrame& frame, double fraction, double semi_arc) noexcept {
    return normalize_degrees_fast(above ? frame.ramc + fraction * semi_arc
                                        : frame.ic_right_ascension - (1.0 - fraction) * (180.0 - semi_arc));
}

// The change from one estimate to the next (degrees), taken the short way round the circle.
double placidus_step(double estimate, double previous) noexcept {
    double change = estimate - previous;
    if (change > 180.0) change -= 360.0;
    if (change < -180.0) change += 360.0;
    return change;
}

// Right ascension (degrees) of a Placidus cusp by the fixed-point iteration evaluated literally: each
// estimate goes to its ecliptic longitude, that longitude to its declination, the declination to its
// semi-arc. Nothing where the point is circumpolar.
std::optional<double> placidus_right_ascension_literal(bool above, const PlacidusFrame& frame, double fraction,
                                                       const SkyTrigonometry& sky) noexcept {
    double estimate = placidus_right_ascension(above, frame, fraction, frame.first_semi_arc);
    for (int step = 0; step < PLACIDUS_MAX_STEPS; ++step) {
        const double previous = estimate;
        const std::optional<double> semi_arc =
            diurnal_semi_arc(declination_of_longitude(longitude_of_ra(previous, sky), sky), sky);
        if (!semi_arc) return std::nullopt;
        estimate = placidus_right_ascension(above, frame, fraction, *semi_arc);
        if (std::fabs(placidus_step(estimate, previous)) < PLACIDUS_TOLERANCE_DEGREES) break;
    }
    return estimate;
}

enum class PlacidusOutcome { Running, Converged, Circumpolar, Undecided };

// One Placidus cusp's search for its right ascension.
struct PlacidusSearch {
    bool above;
    double fraction;
    double estimate;         // degrees
    double previous_change;  // size of the previous step, degrees
    PlacidusOutcome outcome;
};

// One refinement of a running search with the semi-arc argument t of its estimate; ends the search where
// it converges, where its point is circumpolar, or where the shortened step cannot vouch for the decision
// the literal iteration would take.
void refine_placidus_search(PlacidusSearch& search, double cos_semi_arc, const PlacidusFrame& frame) noexcept {
    const double distance_from_one = 1.0 - std::fabs(cos_semi_arc);
    if (!(distance_from_one > PLACIDUS_SEMI_ARC_MARGIN)) {
        search.outcome = distance_from_one < -PLACIDUS_SEMI_ARC_MARGIN ? PlacidusOutcome::Circumpolar
                                                                      : PlacidusOutcome::Undecided;
        return;
    }
    const double previous = search.estimate;
    search.estimate =
        placidus_right_ascension(search.above, frame, search.fraction, std::acos(cos_semi_arc) * RAD_TO_DEG);
    const double change = std::fabs(placidus_step(search.estimate, previous));
    if (change < PLACIDUS_TOLERANCE_DEGREES * (1.0 - PLACIDUS_TOLERANCE_MARGIN)) {
        search.outcome = PlacidusOutcome::Converged;
    } else if (change < PLACIDUS_TOLERANCE_DEGREES * (1.0 + PLACIDUS_TOLERANCE_MARGIN) ||
               change >= search.previous_change) {
        search.outcome = PlacidusOutcome::Undecided;
    }
    search.previous_change = change;
}

// The four cusps' iterations with the semi-arc argument taken straight from the estimate: the ecliptic
// point at right ascension α has tan δ = tan ε · sin α, so t = −tan φ · tan ε · sin α (one sine per step
// instead of atan2, sin, asin and tan). The estimates differ from the literal ones only by rounding, which
// can change a decision only near its threshold; there, and where the steps stop shrinking (so that
// rounding could grow from step to step), a search ends Undecided and the literal iteration decides.
// The four run in lockstep, their sines first, so that the processor overlaps the independent evaluations.
void run_placidus_searches(std::array<PlacidusSearch, 4>& searches, const PlacidusFrame& frame) noexcept {
    for (PlacidusSearch& search : searches) {
        search.estimate = placidus_right_ascension(search.above, frame, search.fraction, frame.first_semi_arc);
        search.previous_change = HUGE_VAL;
        search.outcome = PlacidusOutcome::Running;
    }
    for (int step = 0; step < PLACIDUS_MAX_STEPS; ++step) {
        double cos_semi_arc[4] = {};
        bool running = false;
        for (std::size_t c = 0; c < searches.size(); ++c) {
            if (searches[c].outcome != PlacidusOutcome::Running) continue;
            cos_semi_arc[c] = -(frame.tan_latitude_tan_obliquity * std::sin(searches[c].estimate * DEG_TO_RAD));
            running = true;
        }
        if (!running) return;
        for (std::size_t c = 0; c < searches.size(); ++c) {
            if (searches[c].outcome == PlacidusOutcome::Running) {
                refine_placidus_search(searches[c], cos_semi_arc[c], frame);
            }
        }
    }
    for (PlacidusSearch& search : searches) {
        if (search.outcome == PlacidusOutcome::Running) search.outcome = PlacidusOutcome::Undecided;
    }
}

// Longitude (degrees) of a Koch cusp: the ascendant at the moment the midheaven's degree had covered
// (above) or will cover (below) the given shift, a fraction of its diurnal semi-arc (degrees).
double koch_cusp(bool above, double ramc, double shift, const SkyTrigonometry& sky) noexcept {
    return ascendant_of_ramc(normalize_degrees_fast(above ? ramc - shift : ramc + shift), sky);
}

// Longitude (degrees) of Regiomontanus cusp h (0-based): the equator divided in 30° steps from the
// east point, each house circle through the north and south points of the horizon, reached through its
// pole P with tan P = tan φ · sin H, H = 30°·h + 90°, and the ascendant formula for the oblique horizon
// of pole P. Every function evaluated from its own argument, tan P as tan(atan(tan φ · sin H)).
double regiomontanus_cusp_literal(unsigned h, double ramc, const SkyTrigonometry& sky) noexcept {
    const double house_angle = (30.0 * static_cast<double>(h) + 90.0) * DEG_TO_RAD;
    const double tan_pole = std::tan(std::atan(sky.tan_latitude * std::sin(house_angle)));
    const double a = ramc * DEG_TO_RAD + house_angle;
    return normalize_degrees_fast(
        std::atan2(std::sin(a), sky.cos_obliquity * std::cos(a) - sky.sin_obliquity * tan_pole) * RAD_TO_DEG);
}

// The same cusp from the sine and cosine of the RAMC (radians, as given) by the addition theorems, with
// sin H from the exact values and tan P = tan φ · sin H; literally where the house circle nearly
// coincides with the ecliptic.
double regiomontanus_cusp(unsigned h, double ramc, double sin_r, double cos_r, const SkyTrigonometry& sky) noexcept {
    // sin H and cos H for H = 30°·h + 90°
    const double sin_h = COS_OF_30_DEGREE_STEPS[h];
    const double cos_h = -SIN_OF_30_DEGREE_STEPS[h];
    const double oblique_term = sky.sin_obliquity * sky.tan_latitude * sin_h;
    const double sin_a = sin_r * cos_h + cos_r * sin_h;
    const double cos_a = cos_r * cos_h - sin_r * sin_h;
    const double y = sin_a;
    const double x = sky.cos_obliquity * cos_a - oblique_term;
    const double scale = ILL_CONDITIONED_CUSP_LENGTH * (1.0 + std::fabs(oblique_term));
    if (!(x * x + y * y >= scale * scale)) return regiomontanus_cusp_literal(h, ramc, sky);
    return normalize_degrees_fast(std::atan2(y, x) * RAD_TO_DEG);
}

// Trigonometry of the RAMC and the latitude for the Campanus construction.
struct CampanusFrame {
    double sin_r, cos_r, sin_phi, cos_phi;
};

// The intersection of a Campanus house circle with the ecliptic, in ecliptic components (x toward λ = 0,
// y toward λ = 90°), and |P · D|, how far it is from the tie between the two intersections; the circle
// passes through the north and south points of the horizon and the point P of the prime vertical at angle
// A below the east point (sin A, cos A given). Equatorial rectangular coordinates throughout.
struct EclipticDirection {
    double x, y;
    double side_margin;
};

EclipticDirection campanus_direction(double sin_a, double cos_a, const CampanusFrame& frame,
                                     const SkyTrigonometry& sky) noexcept {
    const double sin_r = frame.sin_r, cos_r = frame.cos_r, sin_phi = frame.sin_phi, cos_phi = frame.cos_phi;
    const double sin_epsilon = sky.sin_obliquity, cos_epsilon = sky.cos_obliquity;
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
    const double side = px * dx + py * dy + pz * dz;
    if (side < 0.0) {
        dx = -dx;
        dy = -dy;
        dz = -dz;
    }
    return EclipticDirection{dx, cos_epsilon * dy + sin_epsilon * dz, std::fabs(side)};
}

// Longitude (degrees) of Campanus cusp h (0-based): the prime vertical divided in 30° steps from the east
// point, with sin A and cos A from the exact values; from sin and cos of A evaluated literally where the
// house circle nearly coincides with the ecliptic or the ecliptic nearly passes through the north or south
// point of the horizon (where the choice between the two intersections is a tie).
double campanus_cusp(unsigned h, const CampanusFrame& frame, const SkyTrigonometry& sky) noexcept {
    EclipticDirection d = campanus_direction(SIN_OF_30_DEGREE_STEPS[h], COS_OF_30_DEGREE_STEPS[h], frame, sky);
    if (!(d.x * d.x + d.y * d.y >= ILL_CONDITIONED_CUSP_LENGTH * ILL_CONDITIONED_CUSP_LENGTH &&
          d.side_margin >= ILL_CONDITIONED_CUSP_LENGTH)) {
        const double a = 30.0 * static_cast<double>(h) * DEG_TO_RAD;
        d = campanus_direction(std::sin(a), std::cos(a), frame, sky);
    }
    // Ecliptic longitude of D
    return normalize_degrees_fast(std::atan2(d.y, d.x) * RAD_TO_DEG);
}

// Where the ascendant is turned (inside the polar circle), Regiomontanus and Campanus keep the convention of
// the Swiss Ephemeris: the midheaven turns with it (cusp 10 and the record's midheaven are the lower meridian).
Angles turned_wheel_angles(const RisingAngles& rising) noexcept {
    if (!rising.ascendant_turned) return rising.angles;
    return Angles{rising.angles.asc, normalize_degrees_fast(rising.angles.mc + 180.0)};
}

}  // namespace

HouseCusps placidus_houses(double ramc, double latitude, double obliquity) noexcept {
    if (std::fabs(latitude) > POLAR_LATITUDE_LIMIT) {
        return equal_fallback(HouseSystem::Placidus, ramc, latitude, obliquity);
    }
    const SkyTrigonometry sky = sky_trigonometry(latitude, obliquity);
    const Angles angles = angles_of(ramc, sky);
    // Every cusp's first estimate comes from the semi-arc of the midheaven's degree.
    const std::optional<double> first_semi_arc = diurnal_semi_arc(declination_of_longitude(angles.mc, sky), sky);
    if (!first_semi_arc) return equal_fallback(HouseSystem::Placidus, ramc, latitude, obliquity);
    const PlacidusFrame frame{ramc, normalize_degrees_fast(ramc + 180.0), *first_semi_arc,
                              sky.tan_latitude * std::tan(obliquity * DEG_TO_RAD)};
    std::array<PlacidusSearch, 4> searches = {{{true, ONE_THIRD, 0.0, 0.0, PlacidusOutcome::Running},
                                                {true, TWO_THIRDS, 0.0, 0.0, PlacidusOutcome::Running},
                                                {false, ONE_THIRD, 0.0, 0.0, PlacidusOutcome::Running},
                                                {false, TWO_THIRDS, 0.0, 0.0, PlacidusOutcome::Running}}};
    run_placidus_searches(searches, frame);
    // Cusps 11, 12, 2 and 3.
    double cusps[4];
    for (std::size_t c = 0; c < searches.size(); ++c) {
        const PlacidusSearch& search = searches[c];
        std::optional<double> right_ascension = search.estimate;
        if (search.outcome == PlacidusOutcome::Circumpolar) right_ascension = std::nullopt;
        if (search.outcome == PlacidusOutcome::Undecided) {
            right_ascension = placidus_right_ascension_literal(search.above, frame, search.fraction, sky);
        }
        if (!right_ascension) return equal_fallback(HouseSystem::Placidus, ramc, latitude, obliquity);
        cusps[c] = longitude_of_ra(*right_ascension, sky);
    }
    return opposite_pairs_houses(HouseSystem::Placidus, angles, cusps[0], cusps[1], cusps[2], cusps[3]);
}

HouseCusps koch_houses(double ramc, double latitude, double obliquity) noexcept {
    if (std::fabs(latitude) > POLAR_LATITUDE_LIMIT) {
        return equal_fallback(HouseSystem::Koch, ramc, latitude, obliquity);
    }
    const SkyTrigonometry sky = sky_trigonometry(latitude, obliquity);
    const Angles angles = angles_of(ramc, sky);
    // The four cusps divide the semi-arc of the midheaven's degree.
    const std::optional<double> semi_arc = diurnal_semi_arc(declination_of_longitude(angles.mc, sky), sky);
    if (!semi_arc) return equal_fallback(HouseSystem::Koch, ramc, latitude, obliquity);
    const double cusp11 = koch_cusp(true, ramc, TWO_THIRDS * *semi_arc, sky);
    const double cusp12 = koch_cusp(true, ramc, ONE_THIRD * *semi_arc, sky);
    const double cusp2 = koch_cusp(false, ramc, ONE_THIRD * *semi_arc, sky);
    const double cusp3 = koch_cusp(false, ramc, TWO_THIRDS * *semi_arc, sky);
    return opposite_pairs_houses(HouseSystem::Koch, angles, cusp11, cusp12, cusp2, cusp3);
}

HouseCusps regiomontanus_houses(double ramc, double latitude, double obliquity) noexcept {
    const SkyTrigonometry sky = sky_trigonometry(latitude, obliquity);
    const double r = ramc * DEG_TO_RAD;
    const double sin_r = std::sin(r), cos_r = std::cos(r);
    const RisingAngles rising = rising_angles(ramc, sky);
    // With a turned ascendant the whole wheel turns: every cusp lies opposite the one of its formula.
    return own_formula_houses(HouseSystem::Regiomontanus, turned_wheel_angles(rising), [&](unsigned h) {
        const double cusp = regiomontanus_cusp(h, ramc, sin_r, cos_r, sky);
        return rising.ascendant_turned ? normalize_degrees_fast(cusp + 180.0) : cusp;
    });
}

HouseCusps campanus_houses(double ramc, double latitude, double obliquity) noexcept {
    const SkyTrigonometry sky = sky_trigonometry(latitude, obliquity);
    const double r = ramc * DEG_TO_RAD;
    const double phi = latitude * DEG_TO_RAD;
    const CampanusFrame frame{std::sin(r), std::cos(r), std::sin(phi), std::cos(phi)};
    // With a turned ascendant only the four angles turn; the cusps between them stay where the prime vertical
    // puts them.
    return own_formula_houses(HouseSystem::Campanus, turned_wheel_angles(rising_angles(ramc, sky)),
                              [&](unsigned h) { return campanus_cusp(h, frame, sky); });
}

HouseCusps alcabitius_houses(double ramc, double latitude, double obliquity) noexcept {
    const SkyTrigonometry sky = sky_trigonometry(latitude, obliquity);
    const Angles angles = angles_of(ramc, sky);
    const double asc_right_ascension = ra_of_longitude(angles.asc, sky);
    // The ascendant's diurnal semi-arc, a quarter circle where it is undefined (polar latitudes).
    const double diurnal = diurnal_semi_arc(declination_of_longitude(angles.asc, sky), sky).value_or(90.0);
    const double nocturnal = 180.0 - diurnal;
    // Alcabitius: the semi-arcs trisected along the equator, projected to the ecliptic along hour circles.
    const double cusp11 = longitude_of_ra(normalize_degrees_fast(ramc + diurnal / 3.0), sky);
    const double cusp12 = longitude_of_ra(normalize_degrees_fast(ramc + (diurnal + diurnal) / 3.0), sky);
    const double cusp2 = longitude_of_ra(normalize_degrees_fast(asc_right_ascension + nocturnal / 3.0), sky);
    const double cusp3 =
        longitude_of_ra(normalize_degrees_fast(asc_right_ascension + (nocturnal + nocturnal) / 3.0), sky);
    return opposite_pairs_houses(HouseSystem::Alcabitius, angles, cusp11, cusp12, cusp2, cusp3);
}

}  // namespace zentaric::houses
