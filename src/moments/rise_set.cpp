// Rise and set over an interpolated sky: the body's apparent geocentric place (equatorial, true equator and
// equinox of date) with the nutation and obliquity is computed on a grid, the quintic through six grid points gives
// it at any instant (within 1e-9 rad for the Moon on a half-day grid), and the altitude follows from the apparent
// sidereal time, the place and the convention. Upper and lower transits (hour angle 0° and 180°) split the time
// into arcs over which the altitude rises or falls; an arc whose ends lie on either side of the horizon holds one
// rise or one set.
#include "moments/rise_set.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "ephemeris/apparent.hpp"
#include "ephemeris/constants.hpp"
#include "moments/root_search.hpp"
#include "time/angles.hpp"
#include "time/delta_t.hpp"
#include "time/sidereal_time.hpp"

namespace zentaric::moments {

namespace {

// WGS 84 equatorial radius (km) and flattening.
constexpr double EARTH_RADIUS_KM = 6378.137;
constexpr double EARTH_FLATTENING = 1.0 / 298.257223563;

// Elevations accepted, metres: from below the Dead Sea's shore to a high balloon.
constexpr double MIN_ELEVATION_M = -1000.0;
constexpr double MAX_ELEVATION_M = 100000.0;

// Mean radii in km (IAU WG on Cartographic Coordinates 2015; the Sun's nominal radius), by MomentBody.
constexpr double BODY_RADIUS_KM[MOMENT_BODY_COUNT] = {695700.0, 1737.4, 2439.4, 6051.8, 3389.5, 69911.0,
                                                     58232.0,  25362.0, 24622.0, 0.0,    0.0,    0.0,
                                                     0.0};

// Grid steps (days): the Sun and the planets move smoothly enough for a day, the Moon needs half a day.
double grid_step(MomentBody body) noexcept { return body == MomentBody::Moon ? 0.5 : 1.0; }

// Transits lie less than 0.52 day apart (the Moon's half day); a search this far beyond the range brackets the
// rises and sets at its ends.
constexpr double TRANSIT_MARGIN_DAYS = 0.6;
constexpr SamplingPlan HOUR_ANGLE_PLAN{0.25, 1};

// The apparent geocentric place of date at one instant: equatorial vector (AU), nutation in longitude and true
// obliquity (radians).
struct SkyPlace {
    double x, y, z;
    double nutation_longitude;
    double true_obliquity;
    double jd_tt;
    double delta_t_days;  // TT − UT
};

// An apparent ecliptic place of date (radians, AU) referred to the equator of date: a rotation about x by −ε.
SkyPlace equatorial_place(const ApparentPosition& p, double nutation_longitude, double epsilon, double jd_tt,
                          double delta_t_days) noexcept {
    const double cb = std::cos(p.latitude), sb = std::sin(p.latitude);
    const double cl = std::cos(p.longitude), sl = std::sin(p.longitude);
    const double ce = std::cos(epsilon), se = std::sin(epsilon);
    return SkyPlace{p.distance * cb * cl, p.distance * (cb * sl * ce - sb * se), p.distance * (cb * sl * se + sb * ce),
                    nutation_longitude, epsilon, jd_tt, delta_t_days};
}

Result<SkyPlace, EphemerisError> sky_place(Body body, double jd_ut) {
    ApparentPosition p;
    Result<FrameAngles, EphemerisError> angles = fast_apparent_positions(&body, 1, jd_ut, &p);
    if (!angles.ok()) return std::move(angles).error();
    const FrameAngles& a = angles.value();
    return equatorial_place(p, a.nutation_longitude, a.mean_obliquity + a.nutation_obliquity, a.jd_tt,
                            delta_t(jd_ut) / 86400.0);
}

// The same place read from a sampling of the Sun or the Moon.
SkyPlace sampled_place(const SampledSky& sky, Body body, double jd_ut) noexcept {
    const double delta_t_days = delta_t(jd_ut) / 86400.0, jd_tt = jd_ut + delta_t_days;
    const bool moon = body == Body::Moon;
    const double nutation_longitude = sky.nutation_longitude(jd_tt);
    const ApparentPosition p{
        (moon ? sky.moon_longitude : sky.sun_longitude)(jd_tt) * DEG_TO_RAD + nutation_longitude,
        (moon ? sky.moon_latitude : sky.sun_latitude)(jd_tt), (moon ? sky.moon_distance : sky.sun_distance)(jd_tt)};
    return equatorial_place(p, nutation_longitude, sky.true_obliquity(jd_tt), jd_tt, delta_t_days);
}

// What the convention and the place fix once.
struct Horizon {
    double sin_latitude, cos_latitude;
    double east_longitude;             // radians
    double observer_cos, observer_sin;  // ρ cos φ′ and ρ sin φ′ in AU
    double dip;                        // degrees
    double body_radius_au;
    const HorizonConventionRow* row;

    Horizon(MomentBody body, const Observer& place, HorizonConvention convention) noexcept {
        row = &horizon_convention_row(convention);
        const double phi = place.latitude * DEG_TO_RAD;
        sin_latitude = std::sin(phi);
        cos_latitude = std::cos(phi);
        east_longitude = place.longitude * DEG_TO_RAD;
        // Geocentric place of a geodetic latitude and height (Explanatory Supplement, 4.22).
        const double b = 1.0 - EARTH_FLATTENING;
        const double c = 1.0 / std::sqrt(cos_latitude * cos_latitude + b * b * sin_latitude * sin_latitude);
        const double height = place.elevation / 1000.0;
        observer_cos = (EARTH_RADIUS_KM * c + height) * cos_latitude / AU_KM;
        observer_sin = (EARTH_RADIUS_KM * b * b * c + height) * sin_latitude / AU_KM;
        // The dip of the horizon seen from a height h above a sphere of radius R: arccos(R / (R + h)).
        dip = row->sun_only || height <= 0.0 ? 0.0
                                             : std::acos(EARTH_RADIUS_KM / (EARTH_RADIUS_KM + height)) * RAD_TO_DEG;
        body_radius_au = BODY_RADIUS_KM[static_cast<std::size_t>(body)] / AU_KM;
    }

    // Hour angle (degrees, not normalised) and altitude above the convention's horizon (degrees) of a place.
    void observe(const SkyPlace& s, double jd_ut, double& hour_angle, double& altitude) const noexcept {
        const double sidereal = compute_ramc(jd_ut, east_longitude, s.nutation_longitude, s.true_obliquity);
        double x = s.x, y = s.y, z = s.z;
        if (row->topocentric) {
            x -= observer_cos * std::cos(sidereal);
            y -= observer_cos * std::sin(sidereal);
            z -= observer_sin;
        }
        const double distance = std::sqrt(x * x + y * y + z * z);
        const double declination = std::asin(z / distance);
        const double hour = sidereal - std::atan2(y, x);
        const double sin_altitude =
            sin_latitude * std::sin(declination) + cos_latitude * std::cos(declination) * std::cos(hour);
        double horizon = row->centre_altitude - dip;
        if (row->upper_limb_refracted)
            horizon -= HORIZON_REFRACTION_DEGREES + std::asin(std::min(1.0, body_radius_au / distance)) * RAD_TO_DEG;
        hour_angle = hour * RAD_TO_DEG;
        altitude = std::asin(std::clamp(sin_altitude, -1.0, 1.0)) * RAD_TO_DEG - horizon;
    }
};

// The places of a grid and the quintic through them.
class InterpolatedSky {
public:
    InterpolatedSky(double first, double step) : first_(first), step_(step) {}

    // The places of the grid up to `last`, from the sampling when it holds them, else from the theories.
    Result<bool, EphemerisError> fill(Body body, double last, const SampledSky* sampled) {
        const auto count = static_cast<std::size_t>(std::ceil((last - first_) / step_)) + 1;
        places_.reserve(count);
        const double last_node = first_ + static_cast<double>(count - 1) * step_;
        if (sampled != nullptr && (body == Body::Sun || body == Body::Moon) &&
            sampled->covers(to_terrestrial_time(first_), to_terrestrial_time(last_node), SkyDetail::Places)) {
            for (std::size_t k = 0; k < count; ++k)
                places_.push_back(sampled_place(*sampled, body, first_ + static_cast<double>(k) * step_));
            return true;
        }
        for (std::size_t k = 0; k < count; ++k) {
            Result<SkyPlace, EphemerisError> place = sky_place(body, first_ + static_cast<double>(k) * step_);
            if (!place.ok()) return std::move(place).error();
            places_.push_back(place.value());
        }
        return true;
    }

    // The place at a UT instant, interpolated in TT: Delta T moves by a step each month, which the places in UT
    // carry and the places in TT do not.
    SkyPlace at(double jd_ut) const noexcept {
        const double position = (jd_ut - first_) / step_;
        auto k = static_cast<std::ptrdiff_t>(std::floor(position));
        k = std::clamp<std::ptrdiff_t>(k, 2, static_cast<std::ptrdiff_t>(places_.size()) - 4);
        const SkyPlace* node = &places_[static_cast<std::size_t>(k - 2)];
        // Delta T is one value a calendar month: the nodes either side give it unless a month begins between them.
        const bool between = position >= static_cast<double>(k) && position <= static_cast<double>(k + 1);
        const double tt = between && node[2].delta_t_days == node[3].delta_t_days ? jd_ut + node[2].delta_t_days
                                                                                   : to_terrestrial_time(jd_ut);
        double w[6];
        for (int j = 0; j < 6; ++j) {
            double weight = 1.0;
            for (int m = 0; m < 6; ++m)
                if (m != j) weight *= (tt - node[m].jd_tt) / (node[j].jd_tt - node[m].jd_tt);
            w[j] = weight;
        }
        SkyPlace sum{0.0, 0.0, 0.0, 0.0, 0.0, tt, 0.0};
        for (int j = 0; j < 6; ++j) {
            const SkyPlace& p = node[j];
            sum.x += w[j] * p.x;
            sum.y += w[j] * p.y;
            sum.z += w[j] * p.z;
            sum.nutation_longitude += w[j] * p.nutation_longitude;
            sum.true_obliquity += w[j] * p.true_obliquity;
        }
        return sum;
    }

private:
    double first_;
    double step_;
    std::vector<SkyPlace> places_;
};

Result<bool> check_body(MomentBody body, const Observer& place, HorizonConvention convention) {
    const MomentBodyRow& row = moment_body_row(body);
    if (!row.rises)
        return value_error("rise_set: " + std::string(row.name) +
                           " is a point of the orbit, not a body in the sky: give the Sun, the Moon or a planet");
    if (horizon_convention_row(convention).sun_only && body != MomentBody::Sun)
        return value_error("rise_set: a twilight is the Sun's: the body must be Sun, not " + std::string(row.name));
    if (!(std::fabs(place.latitude) <= 90.0) || !std::isfinite(place.longitude) ||
        !(place.elevation >= MIN_ELEVATION_M && place.elevation <= MAX_ELEVATION_M))
        return value_error("rise_set: the latitude must lie within -90 and 90 degrees, the longitude must be a finite "
                           "number and the elevation must lie within -1000 and 100000 metres");
    return true;
}

// The root of a continuous function with opposite signs at a and b (Illinois false position), to 1e-9 day.
template <class Function>
double bracketed_root(Function&& f, double a, double fa, double b, double fb) noexcept {
    int side = 0;
    for (int pass = 0; pass < 100 && std::fabs(b - a) > 1e-9; ++pass) {
        const double c = (a * fb - b * fa) / (fb - fa);
        const double fc = f(c);
        if ((fc > 0.0) == (fb > 0.0)) {
            b = c;
            fb = fc;
            if (side == -1) fa *= 0.5;
            side = -1;
        } else {
            a = c;
            fa = fc;
            if (side == 1) fb *= 0.5;
            side = 1;
        }
        if (fc == 0.0) return c;
    }
    return (a * fb - b * fa) / (fb - fa);
}

// The rise or set on the arc between two transits a and b, where the altitude f has its extremes fa and fb of
// opposite signs. The first guess takes the altitude as a cosine of the hour angle between them; secant steps from
// it and a point ten seconds on converge in two or three more evaluations (the Sun's guess is seconds off, the Moon's,
// whose declination moves, minutes). A step under 1e-7 day is the last: the secant's error after it is the product
// of the last two errors times f''/2f' (a few per day), under 1e-10 day; over a year of risings at five latitudes the
// roots lie within 0.08 ms of false position over the arc to 1e-9 day, in five evaluations instead of eight. A step
// leaving the arc, or one that has not settled within six, falls back on false position over the arc.
template <class Function>
double arc_root(Function&& f, double a, double fa, double b, double fb) noexcept {
    const double cosine = std::clamp(-(fa + fb) / (fa - fb), -1.0, 1.0);
    double t0 = a + (b - a) * std::acos(cosine) / std::numbers::pi;
    double f0 = f(t0);
    double t1 = t0 + std::copysign(1.0 / 8640.0, b - a) * (((f0 > 0.0) == (fa > 0.0)) ? 1.0 : -1.0);
    double f1 = f(t1);
    const double low = std::min(a, b), high = std::max(a, b);
    for (int pass = 0; pass < 6 && f1 != f0; ++pass) {
        const double t2 = t1 - f1 * (t1 - t0) / (f1 - f0);
        if (!(t2 > low && t2 < high)) break;
        if (std::fabs(t2 - t1) <= 1e-7) return t2;
        t0 = t1;
        f0 = f1;
        t1 = t2;
        f1 = f(t1);
        if (f1 == 0.0) return t1;
    }
    return bracketed_root(f, a, fa, b, fb);
}

}  // namespace

Result<HorizonEvents> find_rise_set(MomentBody body, const Observer& place, HorizonConvention convention,
                                    double start, double end, const SampledSky* sampled, bool transits) {
    Result<bool> valid = check_body(body, place, convention);
    if (!valid) return valid.error();
    if (end < start) return value_error("rise_set: the end of the range comes before its start");
    const double step = grid_step(body);
    const double first = start - TRANSIT_MARGIN_DAYS - 1.0 - 3.0 * step;
    const double last = std::max(end, start) + TRANSIT_MARGIN_DAYS + 1.0 + 4.0 * step;
    Result<bool> range = check_search_range("rise_set", start, end, start - first, last - end);
    if (!range) return range.error();

    InterpolatedSky sky(first, step);
    Result<bool, EphemerisError> filled = sky.fill(moment_body_row(body).body, last, sampled);
    if (!filled.ok()) return value_error(filled.error().text());
    const Horizon horizon(body, place, convention);
    auto observe = [&](double jd, double& hour_angle, double& altitude) {
        horizon.observe(sky.at(jd), jd, hour_angle, altitude);
    };
    auto altitude_at = [&](double jd) {
        double hour_angle, altitude;
        observe(jd, hour_angle, altitude);
        return altitude;
    };

    HorizonEvents result{{}, altitude_at(start) > 0.0};
    if (!(end > start)) return result;
    struct Transit {
        double jd;
        bool upper;
    };
    std::vector<Transit> meridian;
    Result<std::size_t, EphemerisError> found = find_crossings(
        [&](double jd) -> Result<double, EphemerisError> {
            double hour_angle, altitude;
            observe(jd, hour_angle, altitude);
            return hour_angle;
        },
        start - TRANSIT_MARGIN_DAYS, end + TRANSIT_MARGIN_DAYS, HOUR_ANGLE_PLAN, Levels{0.0, 180.0},
        [&](const Crossing& c) { meridian.push_back(Transit{c.jd_ut, c.level % 2 == 0}); }, transits);
    if (!found.ok()) return value_error(found.error().text());

    double previous_altitude = 0.0;
    for (std::size_t i = 0; i < meridian.size(); ++i) {
        const double altitude = altitude_at(meridian[i].jd);
        if (transits && meridian[i].upper && meridian[i].jd >= start && meridian[i].jd < end)
            result.events.push_back(HorizonEvent{meridian[i].jd, HorizonEventKind::Transit});
        if (i > 0 && (previous_altitude > 0.0) != (altitude > 0.0)) {
            const double t = arc_root(altitude_at, meridian[i - 1].jd, previous_altitude, meridian[i].jd, altitude);
            if (t >= start && t < end)
                result.events.push_back(
                    HorizonEvent{t, altitude > 0.0 ? HorizonEventKind::Rise : HorizonEventKind::Set});
        }
        previous_altitude = altitude;
    }
    std::sort(result.events.begin(), result.events.end(),
              [](const HorizonEvent& a, const HorizonEvent& b) { return a.jd_ut < b.jd_ut; });
    return result;
}

Result<double> altitude_above_horizon(MomentBody body, const Observer& place, HorizonConvention convention,
                                      double jd_ut) {
    Result<bool> valid = check_body(body, place, convention);
    if (!valid) return valid.error();
    Result<bool> range = check_search_range("rise_set", jd_ut, jd_ut, 0.0, 0.0);
    if (!range) return range.error();
    Result<SkyPlace, EphemerisError> sky = sky_place(moment_body_row(body).body, jd_ut);
    if (!sky.ok()) return value_error(sky.error().text());
    double hour_angle, altitude;
    Horizon(body, place, convention).observe(sky.value(), jd_ut, hour_angle, altitude);
    return altitude;
}

}  // namespace zentaric::moments
